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
    // A line end followed the delimiter (after any hyphens and blanks); Text
    // is what came after that line end. Otherwise Text is all that followed
    // the boundary, hyphens included, as the part began on the same line.
    bool OwnLine = true;
    std::string Text;
};

// One lead per piece (piece 0's is empty), found by walking the source along
// the pieces; nullopt when the pieces are not the source's texts between
// delimiters of this boundary.
std::optional<std::vector<TPieceLead>> PieceLeads(std::string_view source, const std::vector<std::string>& pieces,
                                                  const std::string& boundary);

}  // namespace quillbox
