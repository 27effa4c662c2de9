#include "catalogue/classic_rules.h"

#include "text/ascii.h"
#include "mime/encoded_words.h"
#include "mime/parameters.h"

namespace quillbox {

namespace {

std::string_view FieldValue(std::string_view source, const std::optional<TMimeSpan>& field)
{
    if (!field) return {};
    std::string_view value = field->In(source);
    while (!value.empty() && IsFoldingSpace(value.front())) value.remove_prefix(1);
    return value;
}

// The quoted, non-empty value of the first parameter when it is called
// name; the parameters start at the ";" that ends the type.
std::optional<TMimeText> QuotedFirstParameter(std::string_view parameters, std::string_view name)
{
    const TParameterList list(parameters);
    if (list.Parameters().empty()) return std::nullopt;
    const TParameter& first = list.Parameters().front();
    if (first.Name != name || first.Section >= 0 || first.Extended || !first.Quoted || first.Value.empty())
        return std::nullopt;
    return DecodeEncodedWords(first.Value);
}

// "type/...;" with a subtype of at least one character before the ";".
std::optional<TMimeText> NamedType(std::string_view contentType, std::string_view typeSlash)
{
    if (!StartsWithIgnoringCase(contentType, typeSlash)) return std::nullopt;
    const std::size_t semicolon = contentType.find(';', typeSlash.size());
    if (semicolon == std::string_view::npos || semicolon == typeSlash.size()) return std::nullopt;
    return QuotedFirstParameter(contentType.substr(semicolon), "name");
}

// "text/htm", any "l"s, any ";"s, then white space or the end of the field.
std::optional<TMimeText> UnnamedHtml(std::string_view contentType)
{
    if (!StartsWithIgnoringCase(contentType, "text/htm")) return std::nullopt;
    std::size_t end = 8;
    while (end < contentType.size() && AsciiLower(contentType[end]) == 'l') ++end;
    std::size_t after = end;
    while (after < contentType.size() && contentType[after] == ';') ++after;
    if (after < contentType.size() && !IsFoldingSpace(contentType[after]) && contentType[after] != '\f' &&
        contentType[after] != '\v')
        return std::nullopt;
    TMimeText subtype;
    subtype.Append({}, contentType.substr(5, end - 5));
    return subtype;
}

}  // namespace

std::optional<TClassicDecision> ClassifyClassic(std::string_view source, const TMimePart& part)
{
    const std::string_view contentType = FieldValue(source, part.ContentType);
    const std::string_view disposition = FieldValue(source, part.ContentDisposition);
    if (part.ContentType && StartsWithIgnoringCase(contentType, "text/plain"))
        return TClassicDecision{TClassicKind::Text, {}};
    if (StartsWithIgnoringCase(contentType, "text/html;"))
        if (auto name = QuotedFirstParameter(contentType.substr(9), "name"))
            return TClassicDecision{TClassicKind::NamedHtml, std::move(*name)};
    if (StartsWithIgnoringCase(disposition, "attachment;"))
        if (auto name = QuotedFirstParameter(disposition.substr(10), "filename"))
            return TClassicDecision{TClassicKind::Named, std::move(*name)};
    for (const std::string_view type : {"application/", "image/"})
        if (auto name = NamedType(contentType, type)) return TClassicDecision{TClassicKind::Named, std::move(*name)};
    if (auto subtype = UnnamedHtml(contentType)) return TClassicDecision{TClassicKind::UnnamedHtml, std::move(*subtype)};
    return std::nullopt;
}

}  // namespace quillbox
