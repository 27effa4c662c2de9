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
    Literal,     // A: literal index
    One,         // A: item index
    Repeat,      // A: item index; Min, Max; Greedy; Capture; Next: byte the rest must start with
    Split,       // try A, then B
    Jump,        // A
    Save,        // A: slot
    Close,       // A: group, B: slot holding its start; the group takes its new value
    Unset,       // A: group; forgets it (a repeat that may run zero times)
    LoopMark,    // A: slot
    LoopCheck,   // A slot: continue at B when the loop made progress, at C when not
    Assert,      // Assertion
    BackReference,  // A: group; FoldCase
    Match,
};

struct TInstruction {
    TOp Op = TOp::Match;
    bool Greedy = true;
    bool FoldCase = false;
    TAssertion Assertion = TAssertion::TextStart;
    int A = 0, B = 0, C = 0;
    int Min = 0, Max = 0;
    int Capture = -1;  // Repeat of a one-character group: the group
    int Next = -1;     // Repeat: the byte that must follow, or -1
    bool NextFolds = false;
};

struct TLiteral {
    std::string Bytes;
    std::vector<bool> Folds;  // per byte: an ASCII letter that matches either case
};

struct TProgram {
    std::vector<TInstruction> Code;
    std::vector<TLiteral> Literals;
    std::vector<TCharItem> Items;
    std::vector<TCharClass> Classes;
    int Groups = 0;
    int Slots = 0;  // 2 per group with group 0, the start of each open group, then the loop marks

    // Search hints.
    TLiteral Prefix;               // every match starts with these bytes
    bool AnchoredAtStart = false;  // only position 0 can match
    bool AnchoredAtLine = false;   // only line starts can match
    // The Repeat without an upper bound that every match starts with (after
    // group starts only), or -1. A start inside the run it took from an
    // earlier, failed start can match nothing that start could not.
    int LeadingRepeat = -1;
};

TProgram CompileProgram(TPatternTree tree);

}  // namespace quillbox::regex
