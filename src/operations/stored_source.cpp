#include "operations/stored_source.h"

namespace quillbox {

namespace {
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// Steps over one line end (CR LF, LF or CR) at pos; false when there is none.
bool SkipLineEnd(std::string_view text, std::size_t& pos)
{
    if (pos >= text.size() || !IsLineEnd(text[pos])) return false;
    pos += text.compare(pos, 2, "\r\n") == 0 ? 2 : 1;
    return true;
}

bool OnlyLineEndsFrom(std::string_view text, std::size_t pos)
{
    for (; pos < text.size(); ++pos)
        if (!IsLineEnd(text[pos])) return false;
    return true;
}
}  // namespace

bool SameUpToLineEnds(std::string_view written, std::string_view stored)
{
    std::size_t a = 0;
    std::size_t b = 0;
    while (a < written.size() && b < stored.size()) {
        if (IsLineEnd(written[a]) || IsLineEnd(stored[b])) {
            if (OnlyLineEndsFrom(written, a) && OnlyLineEndsFrom(stored, b)) return true;
            if (!SkipLineEnd(written, a) || !SkipLineEnd(stored, b)) return false;
            continue;
        }
        if (written[a++] != stored[b++]) return false;
    }
    return OnlyLineEndsFrom(written, a) && OnlyLineEndsFrom(stored, b);
}

}  // namespace quillbox
