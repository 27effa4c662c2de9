// A multipart mail's boundary, and the cut of its source into pieces at every
// delimiter: piece 0 is the header with the preamble, piece k the k-th part.
// The rewrite cuts this way; it checks that the cut falls on the delimiter
// lines the MIME reader sees, so that its piece numbers are the part
// numbers the scan gives.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "regex/b_reg_exp.h"

namespace quillbox {

struct TMimeBoundary {
    std::string Boundary;         // as written in the header, quotes dropped
    std::string BoundaryPattern;  // "--" + Boundary, every non-word character escaped
};

// The boundary of a Content-Type whose first parameter is boundary; nullopt
// for anything else (a single-part mail, a boundary after other parameters).
std::optional<TMimeBoundary> FindBoundary(TBRegExp& regExp, const std::string& header);

// The command that cuts a source at its delimiters: "--" and the boundary,
// any further hyphens (the closing delimiter) and the white space after them.
std::string DelimiterCommand(const TMimeBoundary& boundary);

// Cuts as the rewrite does, into at most limit pieces; false when the source
// holds no delimiter.
constexpr int kMaxPieces = 1000;
bool SplitAtDelimiters(TBRegExp& regExp, const TMimeBoundary& boundary, const std::string& source,
                       int limit = kMaxPieces);
// The pieces point into the source, so it must outlive them.
bool SplitAtDelimiters(TBRegExp& regExp, const TMimeBoundary& boundary, const std::string&& source,
                       int limit = kMaxPieces) = delete;

// Every piece of the last SplitAtDelimiters, copied out of regExp.
std::vector<std::string> CopyPieces(const TBRegExp& regExp);

}  // namespace quillbox
