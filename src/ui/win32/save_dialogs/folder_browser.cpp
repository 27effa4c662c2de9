#include "ui/win32/save_dialogs/folder_browser.h"

#include <shlobj.h>

#include <memory>

namespace quillbox {

namespace {
// Releases an interface pointer.
struct TRelease {
    void operator()(IUnknown* object) const { object->Release(); }
};

// Gives memory back to the shell's allocator.
class TShellMemory {
public:
    TShellMemory(IMalloc& allocator, void* memory) : allocator_(allocator), memory_(memory) {}
    ~TShellMemory()
    {
        if (memory_) allocator_.Free(memory_);
    }
    TShellMemory(const TShellMemory&) = delete;
    TShellMemory& operator=(const TShellMemory&) = delete;
    void* Get() const { return memory_; }

private:
    IMalloc& allocator_;
    void* memory_;
};

int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM lParam, LPARAM data)
{
    switch (message) {
    case BFFM_INITIALIZED:
        SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, data);
        break;
    case BFFM_SELCHANGED: {
        char path[MAX_PATH] = {};
        SHGetPathFromIDListA(reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam), path);
        SendMessageA(browser, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(path));
        break;
    }
    }
    return 0;
}
}  // namespace

bool SelectFolder(HWND owner, const std::string& prompt, std::string& folder)
{
    IMalloc* rawAllocator = nullptr;
    if (FAILED(SHGetMalloc(&rawAllocator)) || !rawAllocator) return false;
    const std::unique_ptr<IMalloc, TRelease> allocator(rawAllocator);

    BROWSEINFOA info{};
    info.hwndOwner = owner;
    info.pidlRoot = nullptr;  // the desktop
    info.lpszTitle = prompt.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(folder.c_str());
    const TShellMemory chosen(*allocator, SHBrowseForFolderA(&info));
    if (!chosen.Get()) return false;

    const TShellMemory path(*allocator, allocator->Alloc(MAX_PATH));
    if (!path.Get()) return false;
    char* text = static_cast<char*>(path.Get());
    text[0] = '\0';
    if (!SHGetPathFromIDListA(static_cast<PCIDLIST_ABSOLUTE>(chosen.Get()), text)) return false;
    folder = text;
    return true;
}

}  // namespace quillbox
