// The icon cache's lookup for code that sees the cache only as the scan's
// icon source; the two headers name different things TIconSource.
#pragma once

#include <string>

namespace quillbox {

class TIconList;
class TIconListItem;

const TIconListItem* LookUpIcon(TIconList& icons, const std::string& extension);

}  // namespace quillbox
