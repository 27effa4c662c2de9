// The probe plug-in's window: what a plug-in's modal window does, for the
// script commands to drive (menu, pop-up menu, keys, message box, folder
// browser, save dialog, clipboard, status bar).
#pragma once

#include <windows.h>

// Runs the window modally over owner until it is closed.
void RunProbeWindow(HWND owner);
