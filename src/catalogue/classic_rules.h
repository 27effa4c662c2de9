// The classic tests for an attachment, on one top-level part's header, in
// this order; the first that the part passes decides:
//
//   1. Content-Type text/plain                       no attachment, a text part
//   2. Content-Type text/html; name="..."             named HTML part
//   3. Content-Disposition attachment; filename="..."  attachment
//   4. Content-Type application/...; name="..."       attachment
//   5. Content-Type image/...; name="..."             attachment
//   6. Content-Type text/html (no name)              unnamed HTML part
//
// As of old, the name is the first parameter, written in quotes right after
// the type's ";", and the types are read from the first field of each kind,
// in any letter case. A quoted name ends at its closing quote.
#pragma once

#include <optional>
#include <string_view>

#include "mime/mime_text.h"
#include "mime/mime_tree.h"

namespace quillbox {

enum class TClassicKind { Text, NamedHtml, Named, UnnamedHtml };

struct TClassicDecision {
    TClassicKind Kind;
    // The quoted name with its encoded words; for an unnamed HTML part the
    // subtype as written ("html").
    TMimeText Name;
};

std::optional<TClassicDecision> ClassifyClassic(std::string_view source, const TMimePart& part);

}  // namespace quillbox
