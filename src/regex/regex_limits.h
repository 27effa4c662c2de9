// The engine's limits under C++ names; the values are those the library
// promises its callers in bregexp.h.
#pragma once

#include <cstddef>
#include <cstdint>

#include "regex/bregexp.h"

namespace quillbox::regex {

inline constexpr std::uint64_t kStepsPerCall = BREGEXP_STEPS_PER_CALL;
inline constexpr std::uint64_t kStepsPerByte = BREGEXP_STEPS_PER_BYTE;
inline constexpr std::size_t kMaxBacktrackFrames = BREGEXP_MAX_BACKTRACK;
inline constexpr int kMaxNesting = BREGEXP_MAX_NESTING;
inline constexpr int kMaxRepeat = BREGEXP_MAX_REPEAT;
inline constexpr std::size_t kMaxInstructions = BREGEXP_MAX_PROGRAM;
inline constexpr std::size_t kMaxTransliterationList = BREGEXP_MAX_TR_LIST;
inline constexpr std::size_t kSharedCommands = BREGEXP_SHARED_COMMANDS;

}  // namespace quillbox::regex
