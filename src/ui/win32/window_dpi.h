// Per-monitor DPI for the plug-in's windows inside a host that may know
// nothing of DPI. From Windows 10 (1607) a thread may create windows that
// scale with their monitor while the host's own windows stay as they are;
// the functions are looked up when needed, so older systems go on at the
// system's DPI.
#pragma once

#include <windows.h>

namespace quillbox {

// While it lives, the windows this thread creates are per-monitor aware
// (version 2 where the system has it, else version 1). The thread's own
// awareness comes back when it goes.
class TPerMonitorDpiScope {
public:
    TPerMonitorDpiScope();
    ~TPerMonitorDpiScope();
    TPerMonitorDpiScope(const TPerMonitorDpiScope&) = delete;
    TPerMonitorDpiScope& operator=(const TPerMonitorDpiScope&) = delete;

private:
    HANDLE previous_ = nullptr;  // the thread's DPI awareness context before
};

// The density a window is shown at: its monitor's for a per-monitor aware
// window, else the system's.
int WindowDpi(HWND window);

}  // namespace quillbox
