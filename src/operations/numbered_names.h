// Names for a marked save that numbers files of the same name instead of
// replacing them: "scan.pdf", then "scan (2).pdf", "scan (3).pdf", ...
#pragma once

#include <functional>
#include <set>
#include <string>

#include "text/code_page.h"

namespace quillbox {

class TNumberedNames {
public:
    // Whether a name is in use in the target folder (a file or a folder).
    using TInUse = std::function<bool(const std::string& name)>;

    // Numbered forms are cut to maxBytes, as the safe name was.
    TNumberedNames(TInUse inUse, const TCodePage& codePage, std::size_t maxBytes);

    // The highest number tried before giving up with EInOutError.
    static constexpr int kMaxNumber = 99999;

    // The safe name itself when neither the folder nor an earlier call of
    // this run has it, else its first free numbered form, cut like any safe
    // name. The name returned counts as taken from then on. Names differing
    // only in the case of their letters are the same name, as on Windows.
    std::string FreeName(const std::string& safeName);

private:
    bool Taken(const std::string& name) const;
    std::string Folded(const std::string& name) const;

    TInUse inUse_;
    const TCodePage& codePage_;
    std::size_t maxBytes_;
    std::set<std::string> given_;
};

}  // namespace quillbox
