#include "ui/win32/clipboard_text.h"

#include <cstring>

#include "win32/win32_handles.h"

namespace quillbox {

namespace {
class TOpenClipboard {
public:
    explicit TOpenClipboard(HWND owner) : open_(OpenClipboard(owner) != 0) {}
    ~TOpenClipboard()
    {
        if (open_) CloseClipboard();
    }
    TOpenClipboard(const TOpenClipboard&) = delete;
    TOpenClipboard& operator=(const TOpenClipboard&) = delete;
    bool IsOpen() const { return open_; }

private:
    bool open_;
};
}  // namespace

bool SetClipboardText(HWND owner, const std::string& text)
{
    TGlobalMemoryHandle block(GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
    if (!block) return false;
    void* bytes = GlobalLock(block.Get());
    if (!bytes) return false;
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    GlobalUnlock(block.Get());

    TOpenClipboard clipboard(owner);
    if (!clipboard.IsOpen()) return false;
    EmptyClipboard();
    if (!SetClipboardData(CF_TEXT, block.Get())) return false;
    // The clipboard owns the block once it has taken it.
    static_cast<void>(block.Release());
    return true;
}

}  // namespace quillbox
