// What the cut at the delimiters takes from each part besides the delimiter
// itself: the white space after a delimiter goes with it, and so do a part's
// leading empty or blank lines. A rewrite puts them back, so that every kept
// part keeps its bytes (a part without header lines stays without them).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillbox {

struct TPieceLead {
    // Where the delimiter before the piece begins its "--" (0 for piece 0).
    std::size_t Dash = 0;
    // A line end followed the delimiter (after any hyphens and blanks); Text
    // is what came after that line end. Otherwise Text is all that followed
    // the boundary, hyphens included, as the part began on the same line.
    bool OwnLine = true;
    std::string Text;
};

// One lead per piece (piece 0's is empty), found by walking the source along
// the pieces; nullopt when the pieces are not the source's texts between
// delimiters of this boundary. The cut drops empty pieces at the end, so
// delimiters may follow the last piece: TrailingDashes says where.
struct TPieceLeads {
    std::vector<TPieceLead> Leads;
    std::vector<std::size_t> TrailingDashes;
};
std::optional<TPieceLeads> PieceLeads(std::string_view source, const std::vector<std::string>& pieces,
                                      const std::string& boundary);

}  // namespace quillbox
