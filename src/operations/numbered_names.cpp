#include "operations/numbered_names.h"

#include "operations/local_file.h"
#include "operations/safe_file_name.h"

namespace quillbox {

TNumberedNames::TNumberedNames(TInUse inUse, const TCodePage& codePage, std::size_t maxBytes)
    : inUse_(std::move(inUse)), codePage_(codePage), maxBytes_(maxBytes)
{
}

std::string TNumberedNames::FreeName(const std::string& safeName)
{
    std::string name = safeName;
    for (int number = 2; Taken(name); ++number) {
        // A folder that claims every name would keep the save searching for ever.
        if (number > kMaxNumber) throw EInOutError("No free file name for \"" + safeName + "\"");
        name = SafeFileNameWithSuffix(safeName, " (" + std::to_string(number) + ")", codePage_, maxBytes_);
    }
    given_.insert(Folded(name));
    return name;
}

bool TNumberedNames::Taken(const std::string& name) const { return given_.count(Folded(name)) != 0 || inUse_(name); }

std::string TNumberedNames::Folded(const std::string& name) const
{
    // Only letters of their own: a trail byte may be an ASCII letter.
    std::string folded = name;
    for (std::size_t pos = 0; pos < folded.size(); pos += codePage_.CharLength(folded, pos))
        if (folded[pos] >= 'a' && folded[pos] <= 'z') folded[pos] = static_cast<char>(folded[pos] - 'a' + 'A');
    return folded;
}

}  // namespace quillbox
