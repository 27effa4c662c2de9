#include "scan_command.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>

#include "catalogue/folder_scan.h"
#include "catalogue/progress.h"
#include "regex/regex_library.h"
#include "store/mail_store.h"
#include "store/store_host_api.h"
#include "text/code_page.h"

namespace quillbox {

namespace {

// The scan's progress on a terminal: a line for each new percentage when
// asked for; nobody can press Esc.
class TConsoleScanProgress final : public TScanProgress, private TProgressDisplay {
public:
    explicit TConsoleScanProgress(bool showProgress) : showProgress_(showProgress) {}

    bool Tick(int percent, bool messagesDue) override
    {
        if (messagesDue) std::cout.flush();
        shown_.Show(percent);
        return true;
    }

private:
    void ShowProgress(const std::string& text, int) override
    {
        if (showProgress_) std::cout << text << "\n";
    }

    bool showProgress_;
    TChangedPercent shown_{*this};
};

// The plug-in loads the pattern library from its own folder; so does qbx.
std::string OwnFolder()
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : self.parent_path().string();
}

void PrintCatalogue(const TMailList& list)
{
    for (std::size_t i = 0; i < list.Count(); ++i) {
        const TMailItem& mail = list[i];
        for (const auto& a : mail.Attachments)
            std::cout << mail.MailID << '\t' << a->PartNo << '\t' << a->FileName << '\t' << a->Encoding << '\t'
                      << a->Size << '\t' << (a->IsHTML ? 1 : 0) << '\t' << PartPathText(*a) << '\n';
    }
}

}  // namespace

std::string MailBoxOfFolder(const std::string& folder)
{
    const std::size_t separator = folder.find(kPathSeparator);
    return separator == std::string::npos ? folder : folder.substr(0, separator + 1);
}

std::string WithFolderSeparator(std::string folder)
{
    if (!folder.empty() && folder.back() != kPathSeparator) folder += kPathSeparator;
    return folder;
}

bool LoadQbxRegexLibrary()
{
    return LoadRegexLibrary(OwnFolder(), [](const std::string& m) { std::cerr << "qbx: " << m << "\n"; });
}

std::optional<TAttachmentRules> TakeRulesOption(std::vector<std::string>& args)
{
    const auto option = std::find(args.begin(), args.end(), "--rules");
    if (option == args.end()) return TAttachmentRules::Full;
    const auto value = option + 1;
    std::optional<TAttachmentRules> rules;
    if (value != args.end() && *value == "classic") rules = TAttachmentRules::Classic;
    else if (value != args.end() && *value == "full") rules = TAttachmentRules::Full;
    else std::cerr << "qbx: --rules takes classic or full\n";
    args.erase(option, value == args.end() ? value : value + 1);
    return rules;
}

bool ScanCatalogue(TMailList& list, THostApi& host, bool showProgress)
{
    list.MailBox = host.GetCurrentMailBox();
    list.Folder = host.GetCurrentFolder();
    list.FolderName = host.GetFolderDisplayName(list.Folder);
    TConsoleScanProgress progress(showProgress);
    TNoIcons icons;
    const std::string error = ScanFolderMails(list, host, icons, progress);
    if (!error.empty()) std::cerr << "qbx: " << error << "\n";
    return error.empty();
}

int ScanCommand(const std::vector<std::string>& args)
{
    std::vector<std::string> operands = args;
    const std::optional<TAttachmentRules> rules = TakeRulesOption(operands);
    const auto progress = std::find(operands.begin(), operands.end(), "--progress");
    const bool showProgress = progress != operands.end();
    if (showProgress) operands.erase(progress);
    if (!rules || operands.size() != 2) {
        std::cerr << "usage: qbx scan DATA-DIR FOLDER-ID [--progress] [--rules classic|full]\n";
        return 2;
    }
    if (!LoadQbxRegexLibrary()) return 1;
    struct TUnload {
        ~TUnload() { UnloadRegexLibrary(); }
    } unload;

    TMailStore store(operands[0], TCodePage::Active().Id(),
                     [](const std::string& w) { std::cerr << "qbx: warning: " << w << "\n"; });
    const std::string folder = WithFolderSeparator(operands[1]);
    TStoreHostApi host(std::move(store), MailBoxOfFolder(folder), folder,
                       std::filesystem::temp_directory_path().string() + "/");

    TMailList list;
    list.Rules = *rules;
    bool scanned = false;
    try {
        scanned = ScanCatalogue(list, host, showProgress);
    } catch (const std::exception& error) {
        std::cerr << "qbx: " << error.what() << "\n";
        return 1;
    }
    PrintCatalogue(list);
    return !scanned ? 1 : (std::cout.flush() ? 0 : 1);
}

}  // namespace quillbox
