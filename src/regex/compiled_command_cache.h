// Recently compiled commands, shared by every record: one caller cycling
// through a handful of patterns (the scan's classification) compiles each
// only once.
#pragma once

#include <memory>
#include <string>

#include "regex/compiled_command.h"

namespace quillbox::regex {

// The compiled form of command under the current code page; throws
// TRegexError for a malformed command. Safe to call from several threads.
std::shared_ptr<const TCompiledCommand> CompiledCommandFor(const std::string& command);

}  // namespace quillbox::regex
