// File names of attachments as the grid, the saved file and the removal
// record show them: bytes of the local code page.
#pragma once

#include <string>

#include "mime/media_type.h"
#include "mime/mime_text.h"
#include "text/code_page.h"

namespace quillbox {

// The declared name in the local code page; control characters (a CR or LF
// an encoded word smuggled in, a zero byte) become blanks.
std::string LocalFileName(const TMimeText& name, TCodePage local);

// The name of a part that declares none: "NoName" and the extension its
// type usually has ("NoName.pdf", "NoName.ics", "NoName.eml").
std::string NameForType(const TMediaType& type);

// ASCII letters in lower case; the bytes of double-byte characters stay.
std::string LowerCaseName(const std::string& name, TCodePage codePage);

// Text from the last dot on, unless a path or drive separator follows it;
// empty otherwise.
std::string ExtensionOf(const std::string& name, TCodePage codePage);

}  // namespace quillbox
