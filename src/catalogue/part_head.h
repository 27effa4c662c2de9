// The head of a MIME part: its lines up to the first empty one.
#pragma once

#include <string>
#include <string_view>

namespace quillbox {

struct TPartHead {
    std::string Text;     // every line before the first empty one, each followed by CR LF
    bool Complete = false;  // an empty line ended it
};

// Reads the head from the start of a part; lines end at CR, LF or CR LF.
// Given only a prefix of the part, a Complete head is already the head of
// the whole part; otherwise read a longer prefix.
TPartHead ReadPartHead(std::string_view text);

}  // namespace quillbox
