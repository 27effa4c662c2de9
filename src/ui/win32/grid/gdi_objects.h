// Owners of GDI and window resources, released on every way out.
#pragma once

#include <windows.h>

#include <utility>

namespace quillbox {

// A GDI object (font, brush, pen, bitmap) deleted with its owner.
template <class Handle>
class TGdiObject {
public:
    TGdiObject() = default;
    explicit TGdiObject(Handle handle) : handle_(handle) {}
    ~TGdiObject() { Reset(); }
    TGdiObject(TGdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    TGdiObject& operator=(TGdiObject&& other) noexcept
    {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    TGdiObject(const TGdiObject&) = delete;
    TGdiObject& operator=(const TGdiObject&) = delete;

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void Reset(Handle handle = nullptr)
    {
        if (handle_) DeleteObject(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = nullptr;
};

using TFontHandle = TGdiObject<HFONT>;
using TBrushHandle = TGdiObject<HBRUSH>;
using TPenHandle = TGdiObject<HPEN>;
using TBitmapHandle = TGdiObject<HBITMAP>;

// Selects an object into a device context and puts the old one back.
class TSelection {
public:
    TSelection(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~TSelection() { SelectObject(dc_, old_); }
    TSelection(const TSelection&) = delete;
    TSelection& operator=(const TSelection&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// BeginPaint ... EndPaint.
class TPaintScope {
public:
    explicit TPaintScope(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
    ~TPaintScope() { EndPaint(window_, &paint_); }
    TPaintScope(const TPaintScope&) = delete;
    TPaintScope& operator=(const TPaintScope&) = delete;

    HDC Dc() const { return dc_; }
    const RECT& Dirty() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

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
    struct TDcOwner {
        explicit TDcOwner(HDC dc) : dc(dc) {}
        ~TDcOwner() { DeleteDC(dc); }
        TDcOwner(const TDcOwner&) = delete;
        TDcOwner& operator=(const TDcOwner&) = delete;
        HDC Get() const { return dc; }
        HDC dc;
    };
    // Declaration order matters: the bitmap is deselected before both are freed.
    TDcOwner dc_;
    TBitmapHandle bitmap_;
    TSelection selection_;
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
