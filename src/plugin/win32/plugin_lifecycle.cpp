#include <windows.h>

#include <memory>

#include "catalogue/icons/win32/shell_icon_source.h"
#include "plugin/host_boundary.h"
#include "plugin/plugin_paths.h"
#include "plugin/win32/plugin_state.h"

#include "regex/regex_library.h"
#include "settings/settings_reader.h"
#include "ui/win32/message_box.h"

namespace quillbox {

namespace {
std::unique_ptr<TPlugin> g_plugin;

constexpr DWORD kMaxLibraryPath = MAX_PATH;

std::string OwnLibraryPath(HINSTANCE module)
{
    char path[kMaxLibraryPath + 1] = {};
    const DWORD length = GetModuleFileNameA(module, path, kMaxLibraryPath);
    return std::string(path, length);
}
}  // namespace

TRegexLibraryLease::~TRegexLibraryLease()
{
    if (loaded_) UnloadRegexLibrary();
}

bool TRegexLibraryLease::Load(const std::string& folder, const std::string& errorCaption)
{
    // Start-up runs inside the loader's lock, where no window may be made:
    // the library's messages wait for the loader to let go.
    loaded_ = LoadRegexLibrary(folder, [&errorCaption](const std::string& message) {
        PostErrorBoxOutsideLoaderLock(message, errorCaption);
    });
    return loaded_;
}

TPlugin* ThePlugin() { return g_plugin.get(); }

namespace {
std::unique_ptr<TPlugin> StartUp(HINSTANCE module)
{
    auto plugin = std::make_unique<TPlugin>(module);
    plugin->Language = InitLanguage(GetThreadLocale());
    plugin->PluginVersion = "1.26";
    plugin->Icons = std::make_unique<TIconList>(&ShellSmallIcon, TCodePage::Active());
    plugin->HostAPI = std::make_unique<TTansyAPI>();
    if (!plugin->HostAPI->LoadEntryPoints()) return nullptr;
    const TCodePage codePage = TCodePage::Active();
    const std::string libraryPath = OwnLibraryPath(module);
    if (!plugin->RegexLibrary.Load(FolderOf(libraryPath, codePage), plugin->Language.PlugInTitle)) return nullptr;
    plugin->SettingsPath = SettingsPathFor(libraryPath, codePage);
    plugin->PluginFolder = FolderOf(plugin->SettingsPath, codePage);
    ReadSettings(plugin->SettingsPath, plugin->Settings, plugin->Language);
    // Written when the window closes; a failure is told, the close goes on.
    TPlugin* const owner = plugin.get();
    plugin->SettingsFile = std::make_unique<TSettingsFile>(
        plugin->SettingsPath, plugin->PluginVersion, [owner](const std::string& message) {
            ShowMessageBox(owner->HostMainWindow, TMessageKind::Error, message, owner->Language.PlugInTitle);
        });
    return plugin;
}
}  // namespace

bool PluginInit(HINSTANCE module)
{
    // Any error, in any step, fails the load: the system loader cannot take
    // an exception either.
    std::unique_ptr<TPlugin> plugin = ResultForHost(std::unique_ptr<TPlugin>(), [module] { return StartUp(module); });
    if (!plugin) return false;
    g_plugin = std::move(plugin);
    return true;
}

void PluginExit() { g_plugin.reset(); }

}  // namespace quillbox

// Start-up runs at load so that a failed start-up fails the load itself.
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    switch (reason) {
    case DLL_PROCESS_ATTACH: return quillbox::PluginInit(module) ? TRUE : FALSE;
    case DLL_PROCESS_DETACH: quillbox::PluginExit(); break;
    }
    return TRUE;
}
