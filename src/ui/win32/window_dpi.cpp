#include "ui/win32/window_dpi.h"

#include "win32/win32_handles.h"

namespace quillbox {

namespace {
// DPI_AWARENESS_CONTEXT values; the headers declare them only for newer targets.
const HANDLE kPerMonitorAwareV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
const HANDLE kPerMonitorAware = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3));

using TSetThreadDpiAwarenessContext = HANDLE(WINAPI*)(HANDLE);
using TGetDpiForWindow = UINT(WINAPI*)(HWND);

template <class F>
F User32Function(const char* name)
{
    const HMODULE user32 = GetModuleHandleA("user32.dll");
    return user32 ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}
}  // namespace

TPerMonitorDpiScope::TPerMonitorDpiScope()
{
    const auto setContext = User32Function<TSetThreadDpiAwarenessContext>("SetThreadDpiAwarenessContext");
    if (!setContext) return;
    // An unknown context leaves the thread as it was and returns null.
    previous_ = setContext(kPerMonitorAwareV2);
    if (!previous_) previous_ = setContext(kPerMonitorAware);
}

TPerMonitorDpiScope::~TPerMonitorDpiScope()
{
    if (!previous_) return;
    if (const auto setContext = User32Function<TSetThreadDpiAwarenessContext>("SetThreadDpiAwarenessContext"))
        setContext(previous_);
}

int WindowDpi(HWND window)
{
    if (const auto getDpi = User32Function<TGetDpiForWindow>("GetDpiForWindow"))
        if (const UINT dpi = getDpi(window)) return static_cast<int>(dpi);
    const TWindowDc screen(nullptr);
    return GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

}  // namespace quillbox
