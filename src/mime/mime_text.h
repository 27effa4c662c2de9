// Text out of a header: runs of bytes, each in the charset its encoding
// named (an encoded word, an RFC 2231 value) or in none (raw bytes, plain
// ASCII). Runs stay bytes until the local code page is known, so that a
// character that a sender split across two encoded words joins up again.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "text/code_page.h"

namespace quillbox {

struct TMimeTextRun {
    std::string Charset;  // empty: not named
    std::string Bytes;
};

class TMimeText {
public:
    // Adds bytes; a run in the same charset (any letter case) as the last
    // one joins it.
    void Append(std::string_view charset, std::string_view bytes);

    const std::vector<TMimeTextRun>& Runs() const { return runs_; }
    bool Empty() const;

    // Every run in the local code page: a named charset that is known
    // converts from it; raw bytes and unknown charsets are taken for what
    // they look like (see UnlabelledTextToLocal).
    std::string ToLocal(TCodePage local) const;

private:
    std::vector<TMimeTextRun> runs_;
};

}  // namespace quillbox
