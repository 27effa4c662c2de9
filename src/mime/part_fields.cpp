#include "mime/part_fields.h"

#include "text/ascii.h"

namespace quillbox {

namespace {
std::string_view ValueOf(std::string_view source, const std::optional<TMimeSpan>& field)
{
    return field ? field->In(source) : std::string_view();
}

std::optional<TMimeText> NonEmpty(std::optional<TMimeText> text)
{
    if (text && text->Empty()) return std::nullopt;
    return text;
}
}  // namespace

TParameterList ContentTypeParameters(std::string_view source, const TMimePart& part)
{
    return TParameterList(ValueOf(source, part.ContentType));
}

TParameterList DispositionParameters(std::string_view source, const TMimePart& part)
{
    return TParameterList(ValueOf(source, part.ContentDisposition));
}

std::string DispositionType(std::string_view source, const TMimePart& part)
{
    return AsciiLowerCase(DispositionParameters(source, part).Leading());
}

std::optional<TMimeText> DeclaredFileName(std::string_view source, const TMimePart& part)
{
    if (auto name = NonEmpty(DispositionParameters(source, part).Text("filename"))) return name;
    return NonEmpty(ContentTypeParameters(source, part).Text("name"));
}

std::optional<std::string> TransferEncoding(std::string_view source, const TMimePart& part)
{
    const std::string_view value = TrimFoldingSpace(ValueOf(source, part.ContentTransferEncoding));
    if (value.empty()) return std::nullopt;
    std::size_t end = 0;
    while (end < value.size() && !IsFoldingSpace(value[end])) ++end;
    return std::string(value.substr(0, end));
}

}  // namespace quillbox
