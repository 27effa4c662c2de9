// The cache of small file-type icons, one entry per lower-case extension.
// The shell is asked once per extension; an extension the shell has no icon
// for keeps its entry (without an image), so that it still has a key. It is
// the scan's icon source.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/icon_source.h"
#include "text/code_page.h"

namespace quillbox {

// An icon picture; the platform that made it knows how to draw it.
class TIconImage {
public:
    virtual ~TIconImage() = default;
};

// Where pictures come from: the shell on Windows, a fake in tests. Given an
// extension (lower case, no dot), the small icon for its files, or nullptr.
using TSmallIconLoader = std::function<std::unique_ptr<TIconImage>(std::string_view ext)>;

struct TIconListItem {
    std::unique_ptr<TIconImage> IconImage;  // nullptr when the shell has none
    std::string Ext;
};

class TIconList final : public TIconSource {
public:
    TIconList(TSmallIconLoader loadIcon, TCodePage codePage);

    // The entry for an extension, with or without its leading dot, in any
    // letter case. Never null; entries live as long as the list.
    const TIconListItem* GetIcon(const std::string& extension) override;
    std::size_t Count() const { return items_.size(); }

private:
    TSmallIconLoader loadIcon_;
    TCodePage codePage_;
    std::vector<std::unique_ptr<TIconListItem>> items_;
};

// ASCII letters lowered; the trail bytes of double-byte characters are left
// alone, since they may look like capital letters.
std::string LowerExtension(std::string_view text, TCodePage codePage);

}  // namespace quillbox
