// A small modal dialog that asks for one line of text.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace quillbox {

// The entered text, or none when the user cancels.
std::optional<std::string> InputQuery(HINSTANCE resources, HWND owner, const std::string& caption,
                                      const std::string& prompt, const std::string& initial);

}  // namespace quillbox
