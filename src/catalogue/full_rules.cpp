#include "catalogue/full_rules.h"

#include <cstdlib>

#include "catalogue/attachment_names.h"
#include "catalogue/hex_field.h"
#include "mime/part_fields.h"

namespace quillbox {

namespace {
constexpr std::int64_t kBodyNameWindow = 63072000;
}

bool NamesHtmlBody(const std::string& name, std::int32_t mailUnixTime)
{
    return std::llabs(std::int64_t{ReadHexField(name)} - mailUnixTime) < kBodyNameWindow;
}

bool IsFullRulesAttachment(std::string_view source, const TMimePart& part, std::int32_t mailUnixTime,
                           TCodePage local)
{
    if (part.IsMultipart()) return false;
    const std::optional<TMimeText> name = DeclaredFileName(source, part);
    const bool html = part.Type.Is("text", "html");
    if (html && name && NamesHtmlBody(LocalFileName(*name, local), mailUnixTime)) return false;
    if (DispositionType(source, part) == "attachment" || name) return true;
    return !(html || part.Type.Is("text", "plain"));
}

}  // namespace quillbox
