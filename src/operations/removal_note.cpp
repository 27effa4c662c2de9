#include "operations/removal_note.h"

#include <algorithm>
#include <ctime>

#include "operations/removed_names.h"

namespace quillbox {

std::string RemovalTimeText(std::time_t moment)
{
    // The reentrant forms: the plain one reads the zone rules again at every call.
    std::tm local{};
#ifdef _WIN32
    if (localtime_s(&local, &moment) != 0) return {};
#else
    if (!localtime_r(&moment, &local)) return {};
#endif
    char text[32] = {};
    std::strftime(text, sizeof text, "%Y/%m/%d %H:%M", &local);
    return text;
}

namespace {
std::string CharsetOf(TCodePage codePage)
{
    switch (codePage.Id()) {
    case 932: return "Shift_JIS";
    case 1252: return "windows-1252";
    default: return "windows-" + std::to_string(codePage.Id());
    }
}

bool IsAscii(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}
}  // namespace

std::string RemovalNotePart(THostApi& host, const TRemovalNote& note, const std::string& names, TCodePage codePage)
{
    const std::string sentence = RemovalNoteText(note.LocaleID) + note.When;
    std::string charset = "us-ascii";
    std::string encoding = "7bit";
    std::string text;
    if (IsJapanese(note.LocaleID)) {
        charset = "ISO-2022-JP";
        text = host.LocalToIso2022Jp(sentence) + "\r\n" + FoldRemovedNames(host.LocalToIso2022Jp(names));
    } else {
        text = sentence + "\r\n" + FoldRemovedNames(names);
        if (!IsAscii(text)) {
            charset = CharsetOf(codePage);
            encoding = "8bit";
        }
    }
    return "Content-Type: text/plain; charset=\"" + charset + "\"\r\nContent-Transfer-Encoding: " + encoding +
           "\r\n\r\n" + text + "\r\n";
}

}  // namespace quillbox
