// The new source of a mail that loses some of its parts. Pure text work on
// the pieces of the source cut at its delimiters (piece 0: header and
// preamble; piece k: part k).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "operations/piece_leads.h"

namespace quillbox {

// The kept pieces in order, each behind a delimiter line ending in CR LF and
// its lead, and a closing delimiter followed by one empty line. Only removed
// pieces go; an empty piece stays, so the part numbers the catalogue
// renumbers to stay true. With nothing kept the mail is its header and
// preamble and a closing delimiter.
std::string JoinKeptPieces(const std::vector<std::string>& pieces, const std::vector<TPieceLead>& leads,
                           const std::vector<bool>& removed, const std::string& boundary);

// The mail as one part: the header of piece 0 without its Content-Type and
// Content-Transfer-Encoding (they described the multipart body), the part's
// whole header block right after MIME-Version (or at the end), one empty line,
// then the part's body as it was. The preamble goes. nullopt when the part has
// no empty line after its header block: it then stays as it is.
std::optional<std::string> FlattenToSinglePart(const std::string& headerPiece, const std::string& part);

}  // namespace quillbox
