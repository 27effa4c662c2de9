// A small plug-in for the host's own end-to-end tests: it registers one
// command in each menu kind, greys the kind 0 and kind 2 commands while the
// current folder has no index. The kind 0 and 1 commands report what the host
// says; the kind 2 command opens a window for the script commands to drive.
// Built with QBX_PROBE_DOUBLE_FREE it gives one text back twice.
#include "tansy/tansy_api.h"
#include "probe_window.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

#define QBX_PROBE_POINTER(name, result, params) name##_t name = nullptr;
struct THostFunctions {
    TANSY_API_FUNCTIONS(QBX_PROBE_POINTER)
};
#undef QBX_PROBE_POINTER

THostFunctions g_host;

bool Resolve()
{
    HMODULE host = GetModuleHandleA(nullptr);
#define QBX_PROBE_RESOLVE(name, result, params) \
    if (!(g_host.name = reinterpret_cast<name##_t>(reinterpret_cast<void*>(GetProcAddress(host, #name))))) return false;
    TANSY_API_FUNCTIONS(QBX_PROBE_RESOLVE)
#undef QBX_PROBE_RESOLVE
    return true;
}

void WINAPI OpenWindow(LONG_PTR, LONG_PTR)
{
    HWND windows[4] = {};
    if (g_host.TSA_GetWindowHandles(&windows[0], &windows[1], &windows[2], &windows[3])) RunProbeWindow(windows[0]);
}

int WINAPI FolderHasIndex(LONG_PTR, LONG_PTR)
{
    const std::string index = std::string(g_host.TSA_GetDataFolder()) + g_host.TSA_GetCurrentFolder() + "Folder.idx";
    return GetFileAttributesA(index.c_str()) == INVALID_FILE_ATTRIBUTES ? 1 : 0;
}

void WINAPI Report(LONG_PTR, LONG_PTR)
{
    HWND windows[4] = {};
    if (!g_host.TSA_GetWindowHandles(&windows[0], &windows[1], &windows[2], &windows[3])) return;
    std::string text = std::string("folder=") + g_host.TSA_GetCurrentFolder();
    int mails = 0;
    for (LPCSTR id = g_host.TSA_GetNextMail(nullptr, FALSE); id; id = g_host.TSA_GetNextMail(id, FALSE)) {
        ++mails;
        g_host.TSA_SetCurrentMail(id);
        LPSTR header = g_host.TSA_GetHeader(nullptr);
        LPSTR subject = g_host.TSA_MIMEHeader(header, nullptr, 0, FALSE);
        char value[64] = {};
        const int length = g_host.TSA_GetSpecifiedHeader("Subject", value, sizeof value);
        text += "\nmail=" + std::string(id) + " subject-length=" + std::to_string(length);
        g_host.TSA_Free(subject);
        g_host.TSA_Free(header);
#ifdef QBX_PROBE_DOUBLE_FREE
        g_host.TSA_Free(header);
#endif
    }
    text += "\nmails=" + std::to_string(mails);
    MessageBoxA(windows[0], text.c_str(), "Probe", MB_OK | MB_ICONINFORMATION);
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    return reason != DLL_PROCESS_ATTACH || Resolve();
}

__declspec(dllexport) int WINAPI TSC_OnStart() { return 0; }
__declspec(dllexport) int WINAPI TSC_OnExit() { return 0; }

__declspec(dllexport) int WINAPI TSC_OnPlugInInfo(char* record)
{
    std::strcpy(record, "Probe");
    std::strcpy(record + 160, "1.0");
    return 0;
}

__declspec(dllexport) int WINAPI TSC_OnMenuInit(LONG_PTR, HMENU menu, int kind)
{
    const std::string caption = "Probe " + std::to_string(kind);
    // Kind 2 opens a window for the script commands; the others report.
    const int id = g_host.TSA_RegisterCommand(caption.c_str(), kind, kind == 2 ? OpenWindow : Report);
    if (kind != 1) g_host.TSA_RegisterUICallback(id, FolderHasIndex);
    HMENU target = kind == 0 ? GetSubMenu(menu, 4) : menu;
    if (target) AppendMenuA(target, MF_STRING, id, caption.c_str());
    return 0;
}

}  // extern "C"
