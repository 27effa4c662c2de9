// A multipart mail turned into its one remaining part. Pure text work on the
// mail's header with its preamble and on the part's text.
#pragma once

#include <optional>
#include <string>

namespace quillbox {

// The mail as one part: the mail's header (headerPiece: up to its first
// delimiter) without its Content-Type, Content-Transfer-Encoding and
// Content-Disposition (they described the old body), the part's
// whole header block right after MIME-Version (or at the end), one empty line,
// then the part's body as it was. The preamble goes. nullopt when the part has
// no empty line after its header block: it then stays as it is.
std::optional<std::string> FlattenToSinglePart(const std::string& headerPiece, const std::string& part);

}  // namespace quillbox
