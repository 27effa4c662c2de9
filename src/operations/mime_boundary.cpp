#include "operations/mime_boundary.h"

#include "catalogue/boundary_pattern.h"

namespace quillbox {

namespace {
constexpr const char* kBoundaryCommand =
    R"(m/content\-type\:\s*\w+\/\w+\;\s*boundary\s*\=\"*([^\s\"]+)\"*/i)";
}  // namespace

std::optional<TMimeBoundary> FindBoundary(TBRegExp& regExp, const std::string& header)
{
    if (!regExp.Match(kBoundaryCommand, header)) return std::nullopt;
    TMimeBoundary result;
    result.Boundary = regExp.Strings(1);
    result.BoundaryPattern = BoundaryPatternOf(result.Boundary);
    return result;
}

std::string DelimiterCommand(const TMimeBoundary& boundary)
{
    return "m/" + boundary.BoundaryPattern + R"(\-*\s*/)";
}

bool SplitAtDelimiters(TBRegExp& regExp, const TMimeBoundary& boundary, const std::string& source, int limit)
{
    return regExp.Split(DelimiterCommand(boundary), source, limit);
}

std::vector<std::string> CopyPieces(const TBRegExp& regExp)
{
    std::vector<std::string> pieces;
    const int count = regExp.Count();
    pieces.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) pieces.push_back(regExp.Strings(i));
    return pieces;
}

}  // namespace quillbox
