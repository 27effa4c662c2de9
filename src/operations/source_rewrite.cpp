#include "operations/source_rewrite.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "operations/text_lines.h"

namespace quillbox {

namespace {
constexpr std::string_view kCrLf = "\r\n";

bool IsContinuation(std::string_view line) { return !line.empty() && (line[0] == ' ' || line[0] == '\t'); }

bool HasFieldName(std::string_view line, std::string_view name)
{
    if (line.size() <= name.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(line[i])) != name[i]) return false;
    std::size_t i = name.size();
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    return i < line.size() && line[i] == ':';
}

// Header lines grouped into fields: a line that starts with white space
// continues the field before it.
std::vector<std::vector<std::string_view>> HeaderFields(std::string_view text, const TPartLayout& layout)
{
    std::vector<std::vector<std::string_view>> fields;
    for (std::size_t i = layout.FirstHeaderLine; i < layout.EndOfHeader; ++i) {
        const std::string_view line = text.substr(layout.Lines[i].Start, layout.Lines[i].Length);
        if (fields.empty() || !IsContinuation(line)) fields.emplace_back();
        fields.back().push_back(line);
    }
    return fields;
}

bool DescribesOldBody(const std::vector<std::string_view>& field)
{
    return HasFieldName(field.front(), "content-type") || HasFieldName(field.front(), "content-transfer-encoding") ||
           HasFieldName(field.front(), "content-disposition");
}
}  // namespace

std::optional<std::string> FlattenToSinglePart(const std::string& headerPiece, const std::string& part)
{
    const TPartLayout partLayout = LayoutOfPart(part);
    if (!partLayout.HasEmptyLine) return std::nullopt;

    const TPartLayout mailLayout = LayoutOfPart(headerPiece);
    auto fields = HeaderFields(headerPiece, mailLayout);
    fields.erase(std::remove_if(fields.begin(), fields.end(), DescribesOldBody), fields.end());
    const auto mimeVersion = std::find_if(fields.begin(), fields.end(), [](const auto& field) {
        return HasFieldName(field.front(), "mime-version");
    });

    std::vector<std::string_view> partHeader;
    for (std::size_t i = partLayout.FirstHeaderLine; i < partLayout.EndOfHeader; ++i)
        partHeader.push_back(std::string_view(part).substr(partLayout.Lines[i].Start, partLayout.Lines[i].Length));
    fields.insert(mimeVersion == fields.end() ? fields.end() : mimeVersion + 1, partHeader);

    const std::size_t bodyStart = partLayout.FirstBodyLine < partLayout.Lines.size()
                                      ? partLayout.Lines[partLayout.FirstBodyLine].Start
                                      : part.size();
    std::string source;
    source.reserve(headerPiece.size() + part.size() + 64);
    for (const auto& field : fields)
        for (const std::string_view line : field) source.append(line).append(kCrLf);
    source += kCrLf;
    source.append(part, bodyStart, std::string::npos);
    return source;
}

}  // namespace quillbox
