// The clean-up after a command that changed the window's state: every step
// runs, so the window always gets back to normal.
#pragma once

#include <exception>
#include <functional>
#include <initializer_list>

namespace quillbox {

// Runs the steps in order, each whatever an earlier one threw, then passes
// on the first error: the command's own (error, when it failed), otherwise
// the first a step threw.
void CleanUp(std::exception_ptr error, std::initializer_list<std::function<void()>> steps);

}  // namespace quillbox
