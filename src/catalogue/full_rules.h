// The full rules for a leaf that the classic tests leave undecided (any
// leaf inside a nested multipart, a top-level part that they do not list,
// the body of a mail that is not multipart). It is an attachment when it
//   - has an attachment disposition, or
//   - declares a file name in any form, or
//   - is of any type but text/plain and text/html (application, image,
//     audio, video, model, font, message/rfc822, other text subtypes, ...);
// unnamed text/plain and text/html parts are the mail's text, multiparts are
// containers. A nested HTML part named after the mail's time is the HTML
// body the host wrote, as the classic rules take it at the top level.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "mime/mime_tree.h"

namespace quillbox {

// name: the file name the part declares, in the local code page, if any.
bool IsFullRulesAttachment(std::string_view source, const TMimePart& part, const std::optional<std::string>& name,
                           std::int32_t mailUnixTime);

// The host names an HTML body after the mail's time in hexadecimal; a name
// whose leading hexadecimal digits read as a time within two years of the
// mail's is such a body.
bool NamesHtmlBody(const std::string& name, std::int32_t mailUnixTime);

}  // namespace quillbox
