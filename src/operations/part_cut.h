// Cutting parts out of a mail along its MIME tree. A part goes together with
// its own delimiter line; every other byte of the mail stays as it was.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "mime/mime_tree.h"

namespace quillbox {

struct TPartCut {
    // Per part of the tree: it goes. Besides the parts asked for, every
    // multipart inside the mail that would be left without a part goes too
    // (and with it the parts it holds).
    std::vector<bool> Erased;
    // The mail's own multipart would be left without a part.
    bool RootEmptied = false;
};

// What goes when the given parts (indexes into tree) are cut out.
TPartCut PlanCut(const TMimeTree& tree, const std::vector<std::size_t>& parts);

// The part numbers of a kept part once the cut is made: each level counts
// one less for every erased part before it there.
std::vector<int> PathAfterCut(const TMimeTree& tree, const TPartCut& cut, std::size_t index);

// The source without the erased parts. Each goes from the "--" of its own
// delimiter line to the "--" of the next one, so the line break before that
// next delimiter stays and every delimiter line still stands on its own
// line. A multipart that lacked its closing delimiter and loses its last
// part gets one in that part's place. When the mail's multipart is emptied,
// its parts make way for replacement (a whole part, ending in CR LF) behind
// a delimiter line of its own, and a missing closing delimiter is added.
std::string CutSource(std::string_view source, const TMimeTree& tree, const TPartCut& cut,
                      std::string_view replacement);

}  // namespace quillbox
