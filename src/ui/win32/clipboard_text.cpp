#include "ui/win32/clipboard_text.h"

#include <cstring>
#include <utility>

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

class TGlobalBlock {
public:
    explicit TGlobalBlock(std::size_t size) : block_(GlobalAlloc(GMEM_MOVEABLE, size)) {}
    ~TGlobalBlock()
    {
        if (block_) GlobalFree(block_);
    }
    TGlobalBlock(const TGlobalBlock&) = delete;
    TGlobalBlock& operator=(const TGlobalBlock&) = delete;
    HGLOBAL Get() const { return block_; }
    // The clipboard owns the block once it has taken it.
    HGLOBAL Release() { return std::exchange(block_, nullptr); }

private:
    HGLOBAL block_;
};
}  // namespace

bool SetClipboardText(HWND owner, const std::string& text)
{
    TGlobalBlock block(text.size() + 1);
    if (!block.Get()) return false;
    void* bytes = GlobalLock(block.Get());
    if (!bytes) return false;
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    GlobalUnlock(block.Get());

    TOpenClipboard clipboard(owner);
    if (!clipboard.IsOpen()) return false;
    EmptyClipboard();
    if (!SetClipboardData(CF_TEXT, block.Get())) return false;
    block.Release();
    return true;
}

}  // namespace quillbox
