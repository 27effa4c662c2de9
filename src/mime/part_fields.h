// What a part's header says about it, read from its fields on demand.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "mime/mime_text.h"
#include "mime/mime_tree.h"
#include "mime/parameters.h"

namespace quillbox {

// Content-Type's and Content-Disposition's parameters; empty lists when the
// part lacks the field.
TParameterList ContentTypeParameters(std::string_view source, const TMimePart& part);
TParameterList DispositionParameters(std::string_view source, const TMimePart& part);

// "attachment", "inline", ... in lower case; empty without the field.
std::string DispositionType(std::string_view source, const TMimePart& part);

// The file name in whatever form the part declares it: Content-Disposition's
// filename, else Content-Type's name, each in its RFC 2231 form when there
// is one. An empty name is none.
std::optional<TMimeText> DeclaredFileName(std::string_view source, const TMimePart& part);

// The first word of Content-Transfer-Encoding as written ("base64",
// "Quoted-Printable"); nullopt when the field is missing or blank.
std::optional<std::string> TransferEncoding(std::string_view source, const TMimePart& part);

}  // namespace quillbox
