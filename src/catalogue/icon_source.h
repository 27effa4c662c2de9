// The icon cache as the scan sees it: an entry per extension, or none.
#pragma once

#include <string>

namespace quillbox {

struct TIconListItem;

class TIconSource {
public:
    virtual ~TIconSource() = default;
    // extension: lower case, with or without its leading dot.
    virtual const TIconListItem* GetIcon(const std::string& extension) = 0;
};

// Where there is no shell to ask (qbx, benchmarks): no extension has an icon.
class TNoIcons : public TIconSource {
public:
    const TIconListItem* GetIcon(const std::string&) override { return nullptr; }
};

}  // namespace quillbox
