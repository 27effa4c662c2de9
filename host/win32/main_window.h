// The host's main window: menu bar, folder tree, mail list, preview pane and
// status bar.
#pragma once

#include <windows.h>

namespace quillbox {

class THostApp;

// Creates the window and its menus (asking the plug-ins to add their items).
bool CreateMainWindow(THostApp& host, int showCommand);
// Shows the context menu of a kind (1: mail list, 2: preview) and runs the choice.
void ShowContextMenu(THostApp& host, int kind, POINT screenPoint);
// What a menu choice does: a plug-in command or one of the host's own.
void RunMenuCommand(THostApp& host, UINT id);

}  // namespace quillbox
