#include "operations/piece_leads.h"

namespace quillbox {

namespace {
// The white space of the cut: what \s takes.
bool IsCutSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

// After a delimiter's boundary: the hyphens and then the white space the cut takes.
std::size_t SkipCut(std::string_view source, std::size_t at)
{
    while (at < source.size() && source[at] == '-') ++at;
    while (at < source.size() && IsCutSpace(source[at])) ++at;
    return at;
}

TPieceLead LeadOf(std::string_view afterBoundary, std::size_t spaceStart)
{
    const std::string_view space = afterBoundary.substr(spaceStart);
    const std::size_t lineEnd = space.find_first_of("\r\n");
    if (lineEnd == std::string_view::npos) return {0, false, std::string(afterBoundary)};
    const std::size_t next = space.compare(lineEnd, 2, "\r\n") == 0 ? lineEnd + 2 : lineEnd + 1;
    return {0, true, std::string(space.substr(next))};
}
}  // namespace

std::optional<TPieceLeads> PieceLeads(std::string_view source, const std::vector<std::string>& pieces,
                                      const std::string& boundary)
{
    const std::string delimiter = "--" + boundary;
    TPieceLeads result;
    std::vector<TPieceLead>& leads = result.Leads;
    leads.resize(pieces.size());
    std::size_t at = 0;
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        if (source.compare(at, pieces[k].size(), pieces[k]) != 0) return std::nullopt;
        at += pieces[k].size();
        if (k + 1 == pieces.size()) {
            while (source.compare(at, delimiter.size(), delimiter) == 0) {
                result.TrailingDashes.push_back(at);
                at = SkipCut(source, at + delimiter.size());
            }
            break;
        }
        if (source.compare(at, delimiter.size(), delimiter) != 0) return std::nullopt;
        const std::size_t dash = at;
        at += delimiter.size();
        // The cut takes every hyphen and then every white space byte.
        std::size_t end = at;
        while (end < source.size() && source[end] == '-') ++end;
        const std::size_t spaceStart = end - at;
        while (end < source.size() && IsCutSpace(source[end])) ++end;
        leads[k + 1] = LeadOf(source.substr(at, end - at), spaceStart);
        leads[k + 1].Dash = dash;
        at = end;
    }
    return result;
}

}  // namespace quillbox
