// The question about a file that already exists, with the two "to all"
// answers the system's message box does not offer.
#pragma once

#include <windows.h>

#include <string>

#include "operations/save_window.h"
#include "settings/message_table.h"

namespace quillbox {

// Button identifiers beside IDYES, IDNO and IDCANCEL.
constexpr int kIdNoToAll = 101;
constexpr int kIdYesToAll = 102;

// Modal over owner. Esc and closing the box answer Cancel.
TOverwriteAnswer AskOverwrite(HWND owner, const std::string& caption, const std::string& text,
                              const TOverwriteButtonCaptions& buttons);

}  // namespace quillbox
