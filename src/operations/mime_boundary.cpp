#include "operations/mime_boundary.h"

namespace quillbox {

namespace {
constexpr const char* kBoundaryCommand =
    R"(m/content\-type\:\s*\w+\/\w+\;\s*boundary\s*\=\"*([^\s\"]+)\"*/i)";
constexpr const char* kEscapeNonWord = R"(s/(\W)/\\$1/g)";
}  // namespace

std::optional<TMimeBoundary> FindBoundary(TBRegExp& regExp, const std::string& header)
{
    if (!regExp.Match(kBoundaryCommand, header)) return std::nullopt;
    TMimeBoundary result;
    result.Boundary = regExp.Strings(1);
    result.BoundaryPattern = "--" + result.Boundary;
    regExp.Subst(kEscapeNonWord, result.BoundaryPattern);
    return result;
}

std::string DelimiterCommand(const TMimeBoundary& boundary)
{
    return "m/" + boundary.BoundaryPattern + R"(\-*\s*/)";
}

bool SplitAtDelimiters(TBRegExp& regExp, const TMimeBoundary& boundary, const std::string& source)
{
    return regExp.Split(DelimiterCommand(boundary), source, kMaxPieces);
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
