#include "store/mail_message.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace quillbox {
namespace {

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string Lower(std::string_view text)
{
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// Lines of the header block: [begin, end) offsets with the line end included.
struct TLine {
    std::size_t begin;
    std::size_t end;
};

TLine NextLine(std::string_view text, std::size_t pos)
{
    const std::size_t nl = text.find('\n', pos);
    return {pos, nl == std::string_view::npos ? text.size() : nl + 1};
}

std::string_view Trimmed(std::string_view line)
{
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
    return line;
}

bool IsContinuation(std::string_view line) { return !line.empty() && (line[0] == ' ' || line[0] == '\t'); }

// Where the named field starts and ends (continuations included) in the header block.
std::optional<TLine> FindField(std::string_view source, std::string_view name)
{
    const std::string_view header = HeaderBlock(source);
    std::size_t pos = 0;
    while (pos < header.size()) {
        const TLine line = NextLine(header, pos);
        const std::string_view text = header.substr(line.begin, line.end - line.begin);
        const std::size_t colon = text.find(':');
        if (!IsContinuation(text) && colon != std::string_view::npos && EqualsNoCase(text.substr(0, colon), name)) {
            std::size_t end = line.end;
            while (end < header.size()) {
                const TLine next = NextLine(header, end);
                if (!IsContinuation(header.substr(next.begin, next.end - next.begin))) break;
                end = next.end;
            }
            return TLine{line.begin, end};
        }
        pos = line.end;
    }
    return std::nullopt;
}

std::string_view LineEnd(std::string_view source)
{
    const std::size_t nl = source.find('\n');
    return (nl != std::string_view::npos && nl > 0 && source[nl - 1] == '\r') || nl == std::string_view::npos
               ? std::string_view("\r\n")
               : std::string_view("\n");
}

}  // namespace

std::string_view HeaderBlock(std::string_view source)
{
    std::size_t pos = 0;
    while (pos < source.size()) {
        const TLine line = NextLine(source, pos);
        if (Trimmed(source.substr(line.begin, line.end - line.begin)).empty()) return source.substr(0, pos);
        pos = line.end;
    }
    return source;
}

std::optional<std::string> HeaderValue(std::string_view source, std::string_view name)
{
    const std::optional<TLine> field = FindField(source, name);
    if (!field) return std::nullopt;
    const std::string_view text = source.substr(field->begin, field->end - field->begin);
    std::string value;
    std::size_t pos = text.find(':') + 1;
    while (pos < text.size()) {
        const TLine line = NextLine(text, pos);
        value += Trimmed(text.substr(line.begin, line.end - line.begin));
        pos = line.end;
    }
    const std::size_t first = value.find_first_not_of(" \t");
    return first == std::string::npos ? std::string() : value.substr(first);
}

std::string WithHeader(std::string_view source, std::string_view name, std::string_view value)
{
    const std::string_view eol = LineEnd(source);
    std::string field(name);
    field += ": ";
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\r' && i + 1 < value.size() && value[i + 1] == '\n') continue;
        if (value[i] == '\n' || value[i] == '\r')
            field += eol;
        else
            field += value[i];
    }
    field += eol;
    if (const std::optional<TLine> existing = FindField(source, name)) {
        return std::string(source.substr(0, existing->begin)) + field + std::string(source.substr(existing->end));
    }
    const std::size_t end = HeaderBlock(source).size();
    std::string out(source.substr(0, end));
    if (!out.empty() && out.back() != '\n') out += eol;
    out += field;
    if (end == source.size()) out += eol;  // a mail without a body still needs the separating empty line
    out += source.substr(end);
    return out;
}

std::optional<std::int64_t> ParseMailDate(std::string_view value)
{
    static constexpr std::array<std::string_view, 12> kMonths = {"jan", "feb", "mar", "apr", "may", "jun",
                                                                 "jul", "aug", "sep", "oct", "nov", "dec"};
    std::string text = Lower(value);
    if (const std::size_t comma = text.find(','); comma != std::string::npos) text = text.substr(comma + 1);
    int day = 0, year = 0, hour = 0, minute = 0, second = 0;
    char month[4] = {};
    char zone[16] = {};
    const int read = std::sscanf(text.c_str(), " %d %3s %d %d:%d:%d %15s", &day, month, &year, &hour, &minute,
                                 &second, zone);
    if (read < 6) {
        // Seconds are optional.
        const int fields = std::sscanf(text.c_str(), " %d %3s %d %d:%d %15s", &day, month, &year, &hour, &minute, zone);
        second = 0;
        if (fields < 5) return std::nullopt;
    }
    const auto it = std::find(kMonths.begin(), kMonths.end(), std::string_view(month));
    if (it == kMonths.end() || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 60) return std::nullopt;
    if (year < 100) year += year < 50 ? 2000 : 1900;
    const int mon = static_cast<int>(it - kMonths.begin()) + 1;
    // Days from civil date (proleptic Gregorian).
    const int y = year - (mon <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (mon + (mon > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const std::int64_t days = static_cast<std::int64_t>(era) * 146097 + doe - 719468;
    std::int64_t offset = 0;
    const std::string_view z(zone);
    if ((z.starts_with('+') || z.starts_with('-')) && z.size() >= 5) {
        const int hhmm = std::atoi(std::string(z.substr(1, 4)).c_str());
        offset = (hhmm / 100 * 3600 + hhmm % 100 * 60) * (z[0] == '-' ? -1 : 1);
    } else {
        static constexpr std::array<std::pair<std::string_view, int>, 9> kZones = {
            {{"gmt", 0}, {"ut", 0}, {"utc", 0}, {"est", -5}, {"edt", -4}, {"cst", -6}, {"cdt", -5},
             {"pst", -8}, {"jst", 9}}};
        for (const auto& [zoneName, hours] : kZones)
            if (z == zoneName) offset = hours * 3600;
    }
    return days * 86400 + hour * 3600 + minute * 60 + second - offset;
}

bool CarriesAttachments(std::string_view source)
{
    const std::string type = Lower(HeaderValue(source, "Content-Type").value_or(""));
    if (!type.starts_with("multipart/")) return false;
    if (!type.starts_with("multipart/alternative")) return true;
    // "name=" in any letter case; "filename=" ends in it too.
    const std::string_view body = source.substr(HeaderBlock(source).size());
    constexpr std::string_view kName = "name";
    // Each '=' found by memchr, then the four letters before it: far quicker
    // than comparing case-insensitively at every byte of a long body.
    for (std::size_t at = kName.size(); at < body.size(); ++at) {
        const void* sign = std::memchr(body.data() + at, '=', body.size() - at);
        if (!sign) return false;
        at = static_cast<std::size_t>(static_cast<const char*>(sign) - body.data());
        if (EqualsNoCase(body.substr(at - kName.size(), kName.size()), kName)) return true;
    }
    return false;
}

std::string WithCrLf(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 32 + 2);
    const char* const data = text.data();
    const char* const end = data + text.size();
    const char* p = data;
    while (p < end) {
        const char* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
        const char* lineEnd = lf ? lf : end;
        if (lf && lineEnd > p && lineEnd[-1] == '\r') --lineEnd;  // already CR LF
        // A CR on its own ends a line too.
        while (const char* cr = static_cast<const char*>(std::memchr(p, '\r', static_cast<std::size_t>(lineEnd - p)))) {
            out.append(p, cr);
            out += "\r\n";
            p = cr + 1;
        }
        out.append(p, lineEnd);
        if (!lf) break;
        out += "\r\n";
        p = lf + 1;
    }
    return out;
}

}  // namespace quillbox
