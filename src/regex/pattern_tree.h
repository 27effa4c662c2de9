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
    TKind kind = TKind::Literal;
    unsigned char bytes[2] = {0, 0};
    unsigned char length = 1;
    bool foldCase = false;  // only for a one-byte ASCII letter
    int classIndex = -1;
};

struct TNode {
    enum class TKind { Empty, Char, Sequence, Alternation, Group, Repeat, Assertion, BackReference };
    TKind kind = TKind::Empty;
    TCharItem item;                               // Char
    std::vector<std::unique_ptr<TNode>> children; // Sequence, Alternation; Group and Repeat have one
    int group = -1;                               // Group (capturing when >= 1), BackReference
    int min = 0, max = 0;                         // Repeat; max < 0 means no limit
    bool greedy = true;                           // Repeat
    bool foldCase = false;                        // BackReference
    TAssertion assertion = TAssertion::TextStart; // Assertion
};

struct TPatternTree {
    std::unique_ptr<TNode> root;
    std::vector<TCharClass> classes;
    int groups = 0;
};

}  // namespace quillbox::regex
