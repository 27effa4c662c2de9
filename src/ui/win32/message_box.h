// Message boxes: notices, errors and questions, in the texts' code page.
#pragma once

#include <windows.h>

#include <string>

namespace quillbox {

// Warning: the warning icon and OK; WarningQuestion: the warning icon with
// Yes and No.
enum class TMessageKind { Notice, Error, Question, Warning, WarningQuestion };

// Shows a modal box over owner (may be null); true for OK or Yes.
bool ShowMessageBox(HWND owner, TMessageKind kind, const std::string& text, const std::string& caption);

// Shows an error box from a thread of its own that runs no code of this
// module, and returns at once. For start-up, where the loader's lock is held:
// the box appears as soon as the loader lets go, even if the library's load
// then fails and the module is unmapped.
void PostErrorBoxOutsideLoaderLock(const std::string& text, const std::string& caption);

}  // namespace quillbox
