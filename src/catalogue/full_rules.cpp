#include "catalogue/full_rules.h"

#include <cstdlib>

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

bool IsFullRulesAttachment(std::string_view source, const TMimePart& part, const std::optional<std::string>& name,
                           std::int32_t mailUnixTime)
{
    if (part.IsMultipart()) return false;
    const bool html = part.Type.Is("text", "html");
    if (name) return !(html && NamesHtmlBody(*name, mailUnixTime));
    return !(html || part.Type.Is("text", "plain")) || DispositionType(source, part) == "attachment";
}

}  // namespace quillbox
