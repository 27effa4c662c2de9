#include "store/folder_index.h"

#include <cctype>
#include <cstdio>

namespace quillbox {
namespace {

constexpr char kSeparator = '\x01';

std::string Clean(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    return out;
}

std::string Hex(std::uint64_t value)
{
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%llX", static_cast<unsigned long long>(value));
    return buffer;
}

std::optional<std::uint64_t> ReadHex(std::string_view field)
{
    if (field.empty() || field.size() > 16) return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : field) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
        value = value * 16 + static_cast<std::uint64_t>(std::isdigit(static_cast<unsigned char>(c))
                                                            ? c - '0'
                                                            : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10);
    }
    return value;
}

}  // namespace

bool IsValidKey(std::string_view key)
{
    if (key.empty() || key.size() > 32) return false;
    for (const char c : key)
        if (!std::isalnum(static_cast<unsigned char>(c))) return false;
    return true;
}

std::string FormatIndexLine(const TIndexEntry& e)
{
    const std::string fields[kIndexFieldCount] = {
        Clean(e.fileName), Clean(e.key), Clean(e.messageId), Clean(e.subject), Clean(e.from), Clean(e.to),
        Hex(e.size), Clean(e.charset), Hex(static_cast<std::uint64_t>(e.time) & 0xFFFFFFFFu),
        Hex(static_cast<std::uint64_t>(e.storedTime) & 0xFFFFFFFFu), "0", "0", Hex(e.flags), "0", "0", "0", "$"};
    std::string line;
    for (int i = 0; i < kIndexFieldCount; ++i) {
        if (i > 0) line += kSeparator;
        line += fields[i];
    }
    return line;
}

std::optional<TIndexEntry> ParseIndexLine(std::string_view line, std::string* reason)
{
    auto fail = [&](const std::string& why) -> std::optional<TIndexEntry> {
        if (reason) *reason = why;
        return std::nullopt;
    };
    std::vector<std::string_view> fields;
    std::size_t pos = 0;
    while (true) {
        const std::size_t next = line.find(kSeparator, pos);
        fields.push_back(line.substr(pos, next == std::string_view::npos ? std::string_view::npos : next - pos));
        if (next == std::string_view::npos) break;
        pos = next + 1;
    }
    if (fields.size() < kIndexFieldCount) return fail("only " + std::to_string(fields.size()) + " fields");
    TIndexEntry e;
    e.fileName = fields[0];
    e.key = fields[1];
    if (!IsValidKey(e.key)) return fail("bad key '" + e.key + "'");
    if (e.fileName != e.key + ".eml") return fail("file name '" + e.fileName + "' does not match key");
    e.messageId = fields[2];
    e.subject = fields[3];
    e.from = fields[4];
    e.to = fields[5];
    const auto size = ReadHex(fields[6]);
    const auto time = ReadHex(fields[8]);
    const auto stored = ReadHex(fields[9]);
    const auto flags = ReadHex(fields[12]);
    if (!size || !time || !stored || !flags || *flags > 0xFFFFFFFFu || *time > 0xFFFFFFFFu)
        return fail("bad number field");
    e.size = static_cast<std::uint32_t>(*size);
    e.charset = fields[7];
    e.time = static_cast<std::int64_t>(*time);
    e.storedTime = static_cast<std::int64_t>(*stored);
    e.flags = static_cast<std::uint32_t>(*flags);
    return e;
}

std::vector<TIndexEntry> ParseIndexText(std::string_view text, const std::string& path, const TWarningSink& warn)
{
    std::vector<TIndexEntry> entries;
    std::size_t pos = 0;
    int lineNumber = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        if (line.ends_with('\r')) line.remove_suffix(1);
        ++lineNumber;
        pos = end + 1;
        if (line.empty()) continue;
        std::string reason;
        if (std::optional<TIndexEntry> entry = ParseIndexLine(line, &reason))
            entries.push_back(std::move(*entry));
        else if (warn)
            warn(path + ":" + std::to_string(lineNumber) + ": skipped: " + reason);
    }
    return entries;
}

std::string FormatIndexText(const std::vector<TIndexEntry>& entries)
{
    std::string text;
    text.reserve(entries.size() * 160);
    for (const TIndexEntry& e : entries) {
        text += FormatIndexLine(e);
        text += "\r\n";
    }
    return text;
}

}  // namespace quillbox
