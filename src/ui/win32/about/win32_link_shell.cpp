#include "ui/win32/about/win32_link_shell.h"

#include <shellapi.h>

#include <vector>

#include "ui/win32/about/registry_key.h"
#include "win32/win32_handles.h"

namespace quillbox {

namespace {
constexpr DWORD kMaxSettingBytes = 260;
constexpr DWORD kMaxCommandBytes = 260;
// ShellExecute reports success with a value above 32.
constexpr INT_PTR kShellSuccessAbove = 32;

void ReadSetting(const TRegistryKey& key, const char* name, std::string& value)
{
    if (auto text = key.Text(name, kMaxSettingBytes)) value = std::move(*text);
}
}  // namespace

TLinkSettings ReadLinkSettings()
{
    TLinkSettings settings;
    const TRegistryKey key(HKEY_CURRENT_USER, "Software\\Microsoft\\Internet Explorer\\Settings");
    ReadSetting(key, "Anchor Color", settings.AnchorColor);
    ReadSetting(key, "Anchor Color Hover", settings.AnchorHoverColor);
    ReadSetting(key, "Anchor Color Visited", settings.AnchorVisitedColor);
    ReadSetting(key, "Use Anchor Hover Color", settings.UseHoverColor);
    return settings;
}

bool TWin32LinkShell::ShellOpen(const std::string& address)
{
    const HINSTANCE result = ShellExecuteA(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > kShellSuccessAbove;
}

std::optional<std::string> TWin32LinkShell::ReadClassCommand(const std::string& key)
{
    const TRegistryKey classKey(HKEY_CLASSES_ROOT, key);
    if (!classKey.IsOpen()) return std::nullopt;
    return classKey.Text("", kMaxCommandBytes).value_or("");
}

void TWin32LinkShell::StartProgram(const std::string& commandLine)
{
    // CreateProcess may write into the command line.
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return;
    // The program runs on its own; its handles are not needed.
    const TKernelHandle processHandle(process.hProcess);
    const TKernelHandle threadHandle(process.hThread);
}

}  // namespace quillbox
