#include "ui/win32/message_box.h"

#include <cstring>

#include "win32/win32_handles.h"

namespace quillbox {

namespace {
UINT StyleOf(TMessageKind kind)
{
    switch (kind) {
    case TMessageKind::Notice: return MB_OK | MB_ICONINFORMATION;
    case TMessageKind::Error: return MB_OK | MB_ICONERROR;
    case TMessageKind::Question: return MB_YESNO | MB_ICONQUESTION;
    case TMessageKind::Warning: return MB_OK | MB_ICONWARNING;
    case TMessageKind::WarningQuestion: return MB_YESNO | MB_ICONWARNING;
    }
    return MB_OK;
}

// The box's parameters and texts in one block from the process heap: the
// box's thread owns it, and it has to outlive this module.
struct TDetachedBox {
    MSGBOXPARAMSA params;
    char texts[1];
};
}  // namespace

bool ShowMessageBox(HWND owner, TMessageKind kind, const std::string& text, const std::string& caption)
{
    const int answer = MessageBoxA(owner, text.c_str(), caption.c_str(), StyleOf(kind));
    return answer == IDOK || answer == IDYES;
}

void PostErrorBoxOutsideLoaderLock(const std::string& text, const std::string& caption)
{
    const std::size_t size = offsetof(TDetachedBox, texts) + text.size() + 1 + caption.size() + 1;
    auto* box = static_cast<TDetachedBox*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size));
    if (!box) return;
    char* boxText = box->texts;
    char* boxCaption = boxText + text.size() + 1;
    std::memcpy(boxText, text.c_str(), text.size() + 1);
    std::memcpy(boxCaption, caption.c_str(), caption.size() + 1);
    box->params.cbSize = sizeof box->params;
    box->params.lpszText = boxText;
    box->params.lpszCaption = boxCaption;
    box->params.dwStyle = MB_OK | MB_ICONERROR | MB_SETFOREGROUND | MB_TOPMOST;
    // MessageBoxIndirectA takes one pointer and uses the standard calling
    // convention, so it serves as the thread's routine: the new thread runs
    // only system code. It cannot start before the loader's lock is free;
    // waiting for it here would deadlock. The block (a few hundred bytes, once
    // per failed start-up) is left to the process, as the thread may still be
    // reading it when this module is gone.
    const auto routine = reinterpret_cast<LPTHREAD_START_ROUTINE>(
        reinterpret_cast<void*>(&MessageBoxIndirectA));
    const TKernelHandle thread(CreateThread(nullptr, 0, routine, &box->params, 0, nullptr));
    if (!thread) HeapFree(GetProcessHeap(), 0, box);
}

}  // namespace quillbox
