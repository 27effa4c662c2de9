#include "operations/piece_leads.h"

namespace quillbox {

namespace {
// The white space of the cut: what \s takes.
bool IsCutSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

TPieceLead LeadOf(std::string_view afterBoundary, std::size_t spaceStart)
{
    const std::string_view space = afterBoundary.substr(spaceStart);
    const std::size_t lineEnd = space.find_first_of("\r\n");
    if (lineEnd == std::string_view::npos) return {false, std::string(afterBoundary)};
    const std::size_t next = space.compare(lineEnd, 2, "\r\n") == 0 ? lineEnd + 2 : lineEnd + 1;
    return {true, std::string(space.substr(next))};
}
}  // namespace

std::optional<std::vector<TPieceLead>> PieceLeads(std::string_view source, const std::vector<std::string>& pieces,
                                                  const std::string& boundary)
{
    const std::string delimiter = "--" + boundary;
    std::vector<TPieceLead> leads(pieces.size());
    std::size_t at = 0;
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        if (source.compare(at, pieces[k].size(), pieces[k]) != 0) return std::nullopt;
        at += pieces[k].size();
        if (k + 1 == pieces.size()) break;
        if (source.compare(at, delimiter.size(), delimiter) != 0) return std::nullopt;
        at += delimiter.size();
        // The cut takes every hyphen and then every white space byte.
        std::size_t end = at;
        while (end < source.size() && source[end] == '-') ++end;
        const std::size_t spaceStart = end - at;
        while (end < source.size() && IsCutSpace(source[end])) ++end;
        leads[k + 1] = LeadOf(source.substr(at, end - at), spaceStart);
        at = end;
    }
    return leads;
}

}  // namespace quillbox
