// Owners of Win32 handles, GDI objects and registry keys, released on every
// way out, and the scopes that put a device context back as it was.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "win32/owned_handle.h"

namespace quillbox {

// How each kind of handle is given back; most say "none" with null.
template <class Handle>
struct TNullIsNone {
    using THandle = Handle;
    static THandle None() { return nullptr; }
};

template <class Handle>
struct TGdiObjectTraits : TNullIsNone<Handle> {
    static void Close(Handle object) { DeleteObject(object); }
};
struct TIconTraits : TNullIsNone<HICON> {
    static void Close(HICON icon) { DestroyIcon(icon); }
};
struct TMenuTraits : TNullIsNone<HMENU> {
    static void Close(HMENU menu) { DestroyMenu(menu); }
};
struct TImageListTraits : TNullIsNone<HIMAGELIST> {
    static void Close(HIMAGELIST list) { ImageList_Destroy(list); }
};
struct TMemoryDcTraits : TNullIsNone<HDC> {
    static void Close(HDC dc) { DeleteDC(dc); }
};
// Threads, processes, events.
struct TKernelObjectTraits : TNullIsNone<HANDLE> {
    static void Close(HANDLE object) { CloseHandle(object); }
};
struct TGlobalMemoryTraits : TNullIsNone<HGLOBAL> {
    static void Close(HGLOBAL block) { GlobalFree(block); }
};
struct TRegistryKeyTraits : TNullIsNone<HKEY> {
    static void Close(HKEY key) { RegCloseKey(key); }
};
// CreateFile reports failure with INVALID_HANDLE_VALUE, not null.
struct TFileTraits {
    using THandle = HANDLE;
    static THandle None() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE file) { CloseHandle(file); }
};

using TFontHandle = TOwnedHandle<TGdiObjectTraits<HFONT>>;
using TBrushHandle = TOwnedHandle<TGdiObjectTraits<HBRUSH>>;
using TPenHandle = TOwnedHandle<TGdiObjectTraits<HPEN>>;
using TBitmapHandle = TOwnedHandle<TGdiObjectTraits<HBITMAP>>;
using TIconHandle = TOwnedHandle<TIconTraits>;
using TMenuHandle = TOwnedHandle<TMenuTraits>;
using TImageListHandle = TOwnedHandle<TImageListTraits>;
using TMemoryDcHandle = TOwnedHandle<TMemoryDcTraits>;
using TKernelHandle = TOwnedHandle<TKernelObjectTraits>;
using TFileHandle = TOwnedHandle<TFileTraits>;
using TGlobalMemoryHandle = TOwnedHandle<TGlobalMemoryTraits>;
using TRegistryKeyHandle = TOwnedHandle<TRegistryKeyTraits>;

// A window's device context, from GetDC to ReleaseDC; a null window means the screen.
class TWindowDc {
public:
    explicit TWindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~TWindowDc()
    {
        if (dc_) ReleaseDC(window_, dc_);
    }
    TWindowDc(const TWindowDc&) = delete;
    TWindowDc& operator=(const TWindowDc&) = delete;

    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;  // owned: released to window_
};

// Selects an object into a device context and puts the old one back.
class TSelection {
public:
    TSelection(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~TSelection() { SelectObject(dc_, old_); }
    TSelection(const TSelection&) = delete;
    TSelection& operator=(const TSelection&) = delete;

private:
    HDC dc_;        // not owned
    HGDIOBJ old_;   // not owned: the context's own, put back
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
    HDC dc_;  // owned by the paint, ended with it
};

}  // namespace quillbox
