// A compiled pattern: instructions for the backtracking matcher, plus what
// the search loop needs to skip ahead quickly.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "regex/char_class.h"
#include "regex/pattern_tree.h"

namespace quillbox::regex {

enum class TOp : std::uint8_t {
    Literal,     // a: literal index
    One,         // a: item index
    Repeat,      // a: item index; min, max; greedy; capture; next: byte the rest must start with
    Split,       // try a, then b
    Jump,        // a
    Save,        // a: slot
    Close,       // a: group, b: slot holding its start; the group takes its new value
    Unset,       // a: group; forgets it (a repeat that may run zero times)
    LoopMark,    // a: slot
    LoopCheck,   // a slot: continue at b when the loop made progress, at c when not
    Assert,      // assertion
    BackReference,  // a: group; foldCase
    Match,
};

struct TInstruction {
    TOp op = TOp::Match;
    bool greedy = true;
    bool foldCase = false;
    TAssertion assertion = TAssertion::TextStart;
    int a = 0, b = 0, c = 0;
    int min = 0, max = 0;
    int capture = -1;  // Repeat of a one-character group: the group
    int next = -1;     // Repeat: the byte that must follow, or -1
    bool nextFolds = false;
};

struct TLiteral {
    std::string bytes;
    std::vector<bool> folds;  // per byte: an ASCII letter that matches either case
};

struct TProgram {
    std::vector<TInstruction> code;
    std::vector<TLiteral> literals;
    std::vector<TCharItem> items;
    std::vector<TCharClass> classes;
    int groups = 0;
    int slots = 0;  // 2 per group with group 0, the start of each open group, then the loop marks

    // Search hints.
    TLiteral prefix;               // every match starts with these bytes
    bool anchoredAtStart = false;  // only position 0 can match
    bool anchoredAtLine = false;   // only line starts can match
    // The Repeat without an upper bound that every match starts with (after
    // group starts only), or -1. A start inside the run it took from an
    // earlier, failed start can match nothing that start could not.
    int leadingRepeat = -1;
};

TProgram CompileProgram(TPatternTree tree);

}  // namespace quillbox::regex
