// The host as plug-ins and scripts see it: options, the store, what is
// selected, the registered commands, the loaded plug-ins and the ledger.
#pragma once

#include "commands.h"
#include "ledger.h"
#include "menus.h"
#include "plugins.h"
#include "convert/temp_names.h"
#include "store/mail_store.h"

#include <windows.h>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace quillbox {

struct THostOptions {
    std::string dataFolder;
    std::string mailBox;
    std::string folder;
    std::vector<std::string> plugins;
    std::string pluginFolder;
    std::string script;
    TContextLayout contextLayout = TContextLayout::Separated;
    int mainMenus = 6;
    bool hidden = false;
};

struct THostWindows {
    HWND main = nullptr;
    HWND tree = nullptr;
    HWND list = nullptr;
    HWND preview = nullptr;
    HWND status = nullptr;
    HMENU contextMenus[3] = {};  // kinds 1 and 2; [0] unused
};

class THostApp {
public:
    explicit THostApp(THostOptions options);

    const THostOptions& Options() const { return options_; }
    TLedger& Ledger() { return ledger_; }
    TCommandRegistry& Commands() { return commands_; }
    TPluginSet& Plugins() { return plugins_; }
    TMailStore& Store() { return store_; }
    THostWindows& Windows() { return windows_; }

    // Host texts stay valid until the selection changes (or for good).
    const std::string& DataFolder() const { return store_.DataFolder(); }
    const std::string& CurrentMailBox() const { return mailBox_; }
    const std::string& CurrentFolder() const { return folder_; }
    const std::string& CurrentMail() const { return mail_; }
    const char* Keep(std::string text);
    std::string TempFolder() const { return temp_.Folder(); }
    const char* NextTempFileName(const std::string& extension) { return Keep(temp_.Next(extension)); }

    bool SelectMailBox(const std::string& mailBox);
    bool SelectFolder(const std::string& folder);
    bool SelectMail(const std::string& mailId);
    bool SetMailSelected(const std::string& mailId, bool selected);
    // The mail after mailId in the current folder (the first when empty).
    std::optional<std::string> NextMail(const std::string& mailId, bool selectedOnly);
    std::vector<std::string> MailsOfCurrentFolder();
    std::optional<std::uint32_t> MailFlags(const std::string& mailId);

    // The current mail when mailId is null or empty.
    std::string ResolveMail(const char* mailId) const { return mailId && *mailId ? mailId : mail_; }
    // Replaces a mail's source and refreshes what shows it.
    bool ReplaceSource(const std::string& mailId, const std::string& source);
    // Called on the user-interface thread after each replaced source (the
    // script's watch-stores).
    std::function<void(const std::string& mailId)> SourceReplaced;
    bool AppendMessage(const std::string& folder, const std::string& source);

    void SetStatusText(int panel, const std::string& text);
    // Runs f on the user-interface thread and waits for it (up to timeoutMs).
    bool OnUiThread(const std::function<void()>& f, DWORD timeoutMs = 30000);

    // Refreshes the tree, list and preview from the store.
    void Refresh();

private:
    void FillTree();
    void FillList();
    void ShowPreview();

    THostOptions options_;
    TLedger ledger_;
    TCommandRegistry commands_;
    TPluginSet plugins_;
    TMailStore store_;
    TTempNames temp_;
    THostWindows windows_;
    std::string mailBox_;
    std::string folder_;
    std::string mail_;
    std::set<std::string> selected_;
    std::deque<std::string> kept_;
    std::deque<std::string> treeFolders_;
};

// The one host of this process; the exported functions reach it through here.
THostApp& Host();
void SetHost(THostApp* host);

inline constexpr UINT kMsgRunOnUi = WM_APP + 1;

}  // namespace quillbox
