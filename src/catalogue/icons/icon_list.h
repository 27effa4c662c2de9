// The cache of small file-type icons, one entry per lower-case extension.
// The shell is asked once per extension; an extension the shell has no icon
// for keeps its entry (without an image), so that it still has a key.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "text/code_page.h"

namespace quillbox {

// An icon picture; the platform that made it knows how to draw it.
class TIconImage {
public:
    virtual ~TIconImage() = default;
};

// Where icons come from: the shell on Windows, a fake in tests.
class TIconImageSource {
public:
    virtual ~TIconImageSource() = default;
    // The small icon for files with this extension (no dot), or nullptr.
    virtual std::unique_ptr<TIconImage> SmallIconFor(std::string_view ext) = 0;
};

struct TIconListItem {
    std::unique_ptr<TIconImage> IconImage;  // nullptr when the shell has none
    std::string Ext;
};

class TIconList {
public:
    TIconList(std::unique_ptr<TIconImageSource> source, TCodePage codePage);

    // The entry for an extension, with or without its leading dot, in any
    // letter case. Never null; entries live as long as the list.
    const TIconListItem* GetIcon(std::string_view extension);
    std::size_t Count() const { return items_.size(); }

private:
    std::unique_ptr<TIconImageSource> source_;
    TCodePage codePage_;
    std::vector<std::unique_ptr<TIconListItem>> items_;
};

// ASCII letters lowered; the trail bytes of double-byte characters are left
// alone, since they may look like capital letters.
std::string LowerExtension(std::string_view text, TCodePage codePage);

}  // namespace quillbox
