// The parsed form of a pattern, before it is compiled into a program.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "regex/char_class.h"

namespace quillbox::regex {

enum class TAssertion { LineStart, MultiLineStart, LineEnd, MultiLineEnd, TextStart, TextEnd, TextEndOrNewline, WordBoundary, NotWordBoundary };

// One character of the text: 1 or 2 bytes, or a class, or any character.
struct TCharItem {
    enum class TKind { Literal, Class, AnyButNewline, Any };
    TKind Kind = TKind::Literal;
    unsigned char Bytes[2] = {0, 0};
    unsigned char Length = 1;
    bool FoldCase = false;  // only for a one-byte ASCII letter
    int ClassIndex = -1;
};

struct TNode {
    enum class TKind { Empty, Char, Sequence, Alternation, Group, Repeat, Assertion, BackReference };
    TKind Kind = TKind::Empty;
    TCharItem Item;                               // Char
    std::vector<std::unique_ptr<TNode>> Children; // Sequence, Alternation; Group and Repeat have one
    int Group = -1;                               // Group (capturing when >= 1), BackReference
    int Min = 0, Max = 0;                         // Repeat; Max < 0 means no limit
    bool Greedy = true;                           // Repeat
    bool FoldCase = false;                        // BackReference
    TAssertion Assertion = TAssertion::TextStart; // Assertion
};

struct TPatternTree {
    std::unique_ptr<TNode> Root;
    std::vector<TCharClass> Classes;
    int Groups = 0;
};

}  // namespace quillbox::regex
