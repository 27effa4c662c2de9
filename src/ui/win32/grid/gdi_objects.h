// The grid's drawing surface and mouse capture, released on every way out.
#pragma once

#include <windows.h>

#include "win32/win32_handles.h"

namespace quillbox {

// An off-screen surface the size of a window's client area, so that a
// repaint never shows half-drawn rows.
class TBufferedSurface {
public:
    TBufferedSurface(HDC target, int width, int height)
        : dc_(CreateCompatibleDC(target)),
          bitmap_(CreateCompatibleBitmap(target, width, height)),
          selection_(dc_.Get(), bitmap_.Get())
    {
    }
    ~TBufferedSurface() = default;
    TBufferedSurface(const TBufferedSurface&) = delete;
    TBufferedSurface& operator=(const TBufferedSurface&) = delete;

    HDC Dc() const { return dc_.Get(); }

private:
    // Declaration order matters: the bitmap is deselected before both are freed.
    TMemoryDcHandle dc_;
    TBitmapHandle bitmap_;
    TSelection selection_;  // the bitmap in dc_ while both live
};

// Keeps the mouse captured while a drag lasts.
class TMouseCapture {
public:
    void Begin(HWND window)
    {
        SetCapture(window);
        active_ = true;
    }
    void End()
    {
        if (active_) {
            active_ = false;
            ReleaseCapture();
        }
    }
    bool Active() const { return active_; }
    ~TMouseCapture() { End(); }

private:
    bool active_ = false;
};

}  // namespace quillbox
