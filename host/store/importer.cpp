#include "store/importer.h"

#include "convert/file_bytes.h"
#include "store/mail_message.h"

#include <optional>

namespace quillbox {
namespace {

bool IsSeparatorLine(std::string_view text, std::size_t pos)
{
    return text.substr(pos).starts_with("From ") && (pos == 0 || text[pos - 1] == '\n');
}

std::string Unquoted(std::string_view message)
{
    std::string out;
    std::size_t pos = 0;
    while (pos < message.size()) {
        std::size_t end = message.find('\n', pos);
        end = end == std::string_view::npos ? message.size() : end + 1;
        std::string_view line = message.substr(pos, end - pos);
        std::size_t quotes = 0;
        while (quotes < line.size() && line[quotes] == '>') ++quotes;
        if (quotes > 0 && line.substr(quotes).starts_with("From ")) line.remove_prefix(1);
        out += line;
        pos = end;
    }
    return out;
}

}  // namespace

std::vector<std::string> SplitMessages(std::string_view text)
{
    if (!text.starts_with("From ")) return {std::string(text)};
    std::vector<std::string> messages;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t bodyStart = text.find('\n', pos);
        if (bodyStart == std::string_view::npos) break;
        std::size_t next = bodyStart + 1;
        while (next < text.size() && !IsSeparatorLine(text, next)) {
            const std::size_t nl = text.find('\n', next);
            next = nl == std::string_view::npos ? text.size() : nl + 1;
        }
        std::string_view message = text.substr(bodyStart + 1, next - bodyStart - 1);
        // The empty line before the next "From " belongs to the mbox, not the mail.
        if (message.ends_with("\r\n\r\n")) message.remove_suffix(2);
        else if (message.ends_with("\n\n")) message.remove_suffix(1);
        messages.push_back(Unquoted(message));
        pos = next;
    }
    return messages;
}

int ImportFile(TMailFolder& folder, const std::string& path)
{
    const std::optional<std::string> text = ReadFileBytes(path);
    if (!text) return -1;
    int stored = 0;
    for (const std::string& message : SplitMessages(*text))
        if (folder.Append(WithCrLf(message))) ++stored;
    return stored;
}

}  // namespace quillbox
