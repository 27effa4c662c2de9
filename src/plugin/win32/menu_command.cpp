#include "plugin/win32/menu_command.h"

#include <string>
#include <vector>

#include "plugin/host_boundary.h"
#include "plugin/menu_position.h"
#include "plugin/win32/plugin_state.h"
#include "catalogue/mail_list.h"
#include "settings/language_window.h"
#include "ui/win32/main_window/frm_main.h"
#include "ui/win32/message_box.h"
#include "ui/win32/window_dpi.h"

namespace quillbox {

namespace {
constexpr int kCommandDropDown = 4;  // the fifth drop-down of the main menu
constexpr int kCommandEnabled = 0;
constexpr int kCommandDisabled = 1;

std::vector<unsigned> ItemIDs(HMENU menu)
{
    std::vector<unsigned> ids;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) ids.push_back(static_cast<unsigned>(GetMenuItemID(menu, i)));
    return ids;
}

void SetItemBitmap(HMENU menu, int commandID, TPlugin& plugin)
{
    if (const HBITMAP bitmap = plugin.MenuBitmap.Get())
        SetMenuItemBitmaps(menu, static_cast<UINT>(commandID), MF_BYCOMMAND, bitmap, bitmap);
}

int RegisterCommand(TPlugin& plugin, int kind)
{
    return plugin.HostAPI->TSA_RegisterCommand(plugin.Language.CommandTitle.c_str(), kind,
                                               CommandCallback);
}

void AppendToMainMenu(HMENU menu, TPlugin& plugin)
{
    const HMENU dropDown = GetSubMenu(menu, kCommandDropDown);
    const int commandID = RegisterCommand(plugin, kMainMenu);
    plugin.HostAPI->TSA_RegisterUICallback(commandID, CommandUICallback);
    if (!dropDown) return;
    AppendMenuA(dropDown, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(dropDown, MF_STRING, static_cast<UINT_PTR>(commandID),
                plugin.Language.PlugInTitle.c_str());
    SetItemBitmap(dropDown, commandID, plugin);
}

int InsertAboveAnchor(HMENU menu, TPlugin& plugin, int kind)
{
    const int commandID = RegisterCommand(plugin, kind);
    const TMenuInsertPoint point = FindInsertPoint(ItemIDs(menu));
    const UINT position = static_cast<UINT>(point.Position);  // -1 appends
    InsertMenuA(menu, position, MF_BYPOSITION | MF_STRING, static_cast<UINT_PTR>(commandID),
                plugin.Language.PlugInTitle.c_str());
    if (point.SeparatorAbove) InsertMenuA(menu, position, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    SetItemBitmap(menu, commandID, plugin);
    return commandID;
}

// The mail list outlives the window, whose rows point into it.
void ShowAttachmentWindow(TPlugin& plugin)
{
    // The window scales with its monitor whatever the host does; it is
    // created, shown and destroyed inside this scope.
    const TPerMonitorDpiScope perMonitorDpi;
    TSettings& settings = plugin.Settings;
    settings.Listing.ExtFilterOn = false;
    TMailList mails;
    mails.MailBox = plugin.HostAPI->GetCurrentMailBox();
    mails.Folder = plugin.HostAPI->GetCurrentFolder();
    mails.FolderName = plugin.HostAPI->GetFolderDisplayName(mails.Folder);
    TfrmMain form({plugin.Module, plugin.HostMainWindow, *plugin.HostAPI, mails, plugin.Language, settings,
                   *plugin.SettingsFile, *plugin.Icons, plugin.PluginFolder, plugin.PluginVersion});
    ApplyLanguageToNewWindow(plugin.Language, settings.Fonts, form);
    form.RestorePlacement();
    form.SetFolderName(mails.FolderName);
    form.ShowModal();
}

bool FileExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
}  // namespace

void InsertCommand(HMENU menu, int kind)
{
    TPlugin* plugin = ThePlugin();
    if (!plugin) return;
    switch (kind) {
    case kMainMenu: AppendToMainMenu(menu, *plugin); break;
    case kListMenu: InsertAboveAnchor(menu, *plugin, kind); break;
    case kViewMenu:
        plugin->HostAPI->TSA_RegisterUICallback(InsertAboveAnchor(menu, *plugin, kind), CommandUICallback);
        break;
    }
}

int WINAPI CommandUICallback(LONG_PTR, LONG_PTR)
{
    TPlugin* plugin = ThePlugin();
    if (!plugin) return kCommandDisabled;
    // What cannot be checked is not offered.
    return ResultForHost(kCommandDisabled, [plugin] {
        const std::string index =
            plugin->HostAPI->GetDataFolder() + plugin->HostAPI->GetCurrentFolder() + "Folder.idx";
        return FileExists(index) ? kCommandEnabled : kCommandDisabled;
    });
}

void WINAPI CommandCallback(LONG_PTR, LONG_PTR)
{
    TPlugin* plugin = ThePlugin();
    if (!plugin) return;
    RunForHost(
        [plugin] {
            HWND handles[4] = {};
            if (!plugin->HostAPI->TSA_GetWindowHandles(&handles[0], &handles[1], &handles[2], &handles[3])) {
                ShowMessageBox(nullptr, TMessageKind::Error, "Initialization Failed (Error 31)",
                               plugin->Language.PlugInTitle);
                return;
            }
            plugin->HostMainWindow = handles[0];
            ShowAttachmentWindow(*plugin);
        },
        [plugin](const std::string& message) {
            const TLanguage& language = plugin->Language;
            ShowMessageBox(plugin->HostMainWindow, TMessageKind::Error,
                           message.empty() ? UnexpectedErrorText(language.LocaleID) : message, language.PlugInTitle);
        });
}

}  // namespace quillbox
