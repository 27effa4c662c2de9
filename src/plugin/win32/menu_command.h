// The plug-in's one command: its place in the host's menus, whether it is
// enabled, and what running it does.
#pragma once

#include <windows.h>

namespace quillbox {

constexpr int kMainMenu = 0;
constexpr int kListMenu = 1;
constexpr int kViewMenu = 2;

void InsertCommand(HMENU menu, int kind);

void WINAPI CommandCallback(LONG_PTR, LONG_PTR);
int WINAPI CommandUICallback(LONG_PTR, LONG_PTR);

}  // namespace quillbox
