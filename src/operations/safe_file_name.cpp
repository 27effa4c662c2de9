#include "operations/safe_file_name.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace quillbox {

namespace {
// Longer than this, the text after the last dot is part of the name, not an
// extension to keep whole.
constexpr std::size_t kMaxKeptExtensionBytes = 32;

bool IsRefused(unsigned char c)
{
    return c < 0x20 || c == 0x7F || std::string_view("<>:\"/\\|?*").find(static_cast<char>(c)) != std::string_view::npos;
}

// No double-byte code page has a trail byte below 0x40 or 0x7F: a lead byte
// before one stands alone, and Windows would not read the pair as one name
// character.
bool CanBeTrailByte(unsigned char c) { return c >= 0x40 && c != 0x7F; }

void DropTrailingDotsAndBlanks(std::string& name)
{
    while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
}

// Superscript one, two and three of the single-byte code pages: COM¹ and
// LPT² are ports as well.
bool IsSuperscriptDigit(unsigned char c, const TCodePage& codePage)
{
    return !codePage.IsDoubleByte() && (c == 0xB9 || c == 0xB2 || c == 0xB3);
}

bool IsDeviceName(const std::string& name, const TCodePage& codePage)
{
    std::string base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    std::transform(base.begin(), base.end(), base.begin(),
                   [](unsigned char c) { return c < 0x80 ? static_cast<char>(std::toupper(c)) : static_cast<char>(c); });
    static constexpr std::array<std::string_view, 6> kNames = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    if (std::find(kNames.begin(), kNames.end(), base) != kNames.end()) return true;
    if (base.size() != 4 || !(base.starts_with("COM") || base.starts_with("LPT"))) return false;
    const auto digit = static_cast<unsigned char>(base[3]);
    return (digit >= '0' && digit <= '9') || IsSuperscriptDigit(digit, codePage);
}

// Refused characters replaced, lone lead bytes dropped, whole characters kept.
std::string CleanCharacters(const std::string& name, const TCodePage& codePage)
{
    std::string clean;
    clean.reserve(name.size());
    for (std::size_t i = 0; i < name.size();) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (codePage.IsLeadByte(c)) {
            if (i + 1 < name.size() && CanBeTrailByte(static_cast<unsigned char>(name[i + 1]))) {
                clean.append(name, i, 2);
                i += 2;
            } else {
                ++i;
            }
            continue;
        }
        clean += IsRefused(c) ? '_' : static_cast<char>(c);
        ++i;
    }
    return clean;
}

// The longest start of text of at most limit bytes that ends on a whole character.
std::string WholeCharactersWithin(const std::string& text, std::size_t limit, const TCodePage& codePage)
{
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t next = end + codePage.CharLength(text, end);
        if (next > limit) break;
        end = next;
    }
    return text.substr(0, end);
}
}  // namespace

std::string SafeFileNameWithSuffix(const std::string& fileName, const std::string& suffix, const TCodePage& codePage,
                                   std::size_t maxBytes)
{
    std::string clean = CleanCharacters(fileName, codePage);
    DropTrailingDotsAndBlanks(clean);
    if (clean.empty()) clean = "NoName";

    // A leading dot starts a name (".profile"), not an extension.
    const std::size_t dot = clean.rfind('.');
    const bool hasExtension =
        dot != std::string::npos && dot > 0 && clean.size() - dot <= std::min(kMaxKeptExtensionBytes, maxBytes / 2);
    const std::string extension = hasExtension ? clean.substr(dot) : std::string();
    const std::string base = hasExtension ? clean.substr(0, dot) : clean;
    const std::size_t tail = suffix.size() + extension.size();
    const std::size_t room = tail < maxBytes ? maxBytes - tail : 0;

    std::string safe = WholeCharactersWithin(base, room, codePage) + suffix + extension;
    safe = WholeCharactersWithin(safe, maxBytes, codePage);
    DropTrailingDotsAndBlanks(safe);
    if (safe.empty()) safe = "NoName";
    if (IsDeviceName(safe, codePage)) safe = "_" + safe;
    return safe;
}

std::string SafeFileName(const std::string& fileName, const TCodePage& codePage, std::size_t maxBytes)
{
    return SafeFileNameWithSuffix(fileName, "", codePage, maxBytes);
}

std::size_t NameRoomIn(const std::string& folder)
{
    const std::size_t left = folder.size() < kMaxPathBytes ? kMaxPathBytes - folder.size() : 0;
    return std::clamp(left, kMinSafeNameBytes, kMaxSafeNameBytes);
}

}  // namespace quillbox
