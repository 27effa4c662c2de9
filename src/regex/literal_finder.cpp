#include "regex/literal_finder.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "text/ascii.h"

namespace quillbox::regex {
TLiteralFinder::TLiteralFinder(const TLiteral& literal) : literal_(literal)
{
    folds_ = std::find(literal.Folds.begin(), literal.Folds.end(), true) != literal.Folds.end();
    if (!folds_) return;
    folded_ = literal.Bytes;
    for (std::size_t i = 0; i < folded_.size(); ++i)
        if (literal.Folds[i]) folded_[i] = AsciiLower(folded_[i]);
    const std::size_t n = folded_.size();
    shift_.fill(n);
    for (std::size_t i = 0; i + 1 < n; ++i) {
        // Indexed by the lower-cased text byte; a smaller shift is always safe.
        shift_[static_cast<unsigned char>(AsciiLower(folded_[i]))] = n - 1 - i;
    }
}

std::size_t TLiteralFinder::Find(std::string_view text, std::size_t from) const
{
    const std::size_t n = literal_.Bytes.size();
    if (from > text.size() || text.size() - from < n) return std::string_view::npos;
    if (folds_) return FindFolded(text, from);
#if defined(__GLIBC__)
    const void* hit = memmem(text.data() + from, text.size() - from, literal_.Bytes.data(), n);
    return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text.data()) : std::string_view::npos;
#else
    if (n == 1) {
        const void* hit = std::memchr(text.data() + from, literal_.Bytes[0], text.size() - from);
        return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text.data()) : std::string_view::npos;
    }
    const auto it = std::search(text.begin() + from, text.end(),
                                std::boyer_moore_horspool_searcher(literal_.Bytes.begin(), literal_.Bytes.end()));
    return it == text.end() ? std::string_view::npos : static_cast<std::size_t>(it - text.begin());
#endif
}

std::size_t TLiteralFinder::FindFolded(std::string_view text, std::size_t from) const
{
    const std::size_t n = folded_.size();
    for (std::size_t at = from; at + n <= text.size();) {
        std::size_t i = n;
        while (i > 0) {
            const char t = text[at + i - 1];
            const char p = folded_[i - 1];
            if (!(t == p || (literal_.Folds[i - 1] && AsciiLower(t) == p))) break;
            --i;
        }
        if (i == 0) return at;
        at += shift_[static_cast<unsigned char>(AsciiLower(text[at + n - 1]))];
    }
    return std::string_view::npos;
}

}  // namespace quillbox::regex
