#include "operation_commands.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <optional>

#include "regex/regex_library.h"

#include "catalogue/list_pos_item.h"
#include "operations/decode_attachment.h"
#include "operations/removal_commands.h"
#include "operations/renumber.h"
#include "scan_command.h"
#include "settings/message_table.h"
#include "store/mail_store.h"
#include "store/store_host_api.h"
#include "text/code_page.h"

namespace quillbox {

namespace {
// The host over the store and the folder's catalogue, as the window holds them.
class TScannedFolder {
public:
    TScannedFolder(const std::string& dataDir, const std::string& folderId, TAttachmentRules rules)
        : host_(TMailStore(dataDir, TCodePage::Active().Id(),
                           [](const std::string& w) { std::cerr << "qbx: warning: " << w << "\n"; }),
                MailBoxOfFolder(WithFolderSeparator(folderId)), WithFolderSeparator(folderId),
                std::filesystem::temp_directory_path().string() + "/")
    {
        list_.Rules = rules;
        Scan();
    }

    bool Scan() { return ScanCatalogue(list_, host_); }
    THostApi& Host() { return host_; }
    TMailList& List() { return list_; }

    // The default view: every attachment, mails by date descending (equal
    // dates in list order), attachments in part order.
    std::vector<TListPosItem> Rows()
    {
        std::vector<TListPosItem> rows;
        for (std::size_t m = 0; m < list_.Count(); ++m)
            for (std::size_t a = 0; a < list_[m].Attachments.size(); ++a)
                rows.push_back({static_cast<int>(m), static_cast<int>(a), list_[m].Attachments[a].get(), &list_[m]});
        std::stable_sort(rows.begin(), rows.end(), [](const auto& x, const auto& y) { return x.Mail->Date > y.Mail->Date; });
        return rows;
    }

private:
    TStoreHostApi host_;
    TMailList list_;
};

// Grid row numbers (from 1) into rows; nullopt when one does not exist.
std::optional<std::vector<TListPosItem>> Resolve(const std::vector<TListPosItem>& rows,
                                                 const std::vector<std::string>& numbers)
{
    std::vector<TListPosItem> chosen;
    for (const std::string& number : numbers) {
        char* end = nullptr;
        const long row = std::strtol(number.c_str(), &end, 10);
        if (*end != '\0' || row < 1 || static_cast<std::size_t>(row) > rows.size()) {
            std::cerr << "qbx: no row " << number << " (" << rows.size() << " rows)\n";
            return std::nullopt;
        }
        chosen.push_back(rows[static_cast<std::size_t>(row - 1)]);
    }
    return chosen;
}

// The removal command's window on a terminal: it answers Yes, prints the
// progress and keeps the catalogue true.
class TConsoleRemovalWindow : public TRemovalWindow, public TProgressDisplay {
public:
    explicit TConsoleRemovalWindow(TScannedFolder& folder) : folder_(folder) {}
    bool ConfirmRemoveMarked() override { return true; }
    bool ConfirmRemoveOne(const std::string&) override { return true; }
    void BeginRemoval(bool) override {}
    void ShowProgress(const std::string& text, int) override { std::cout << text << "\n"; }
    void ResetProgress() override {}
    void RebuildView() override { DropRemovedAttachments(folder_.List()); }
    void ScanFolder() override
    {
        Rescanned = true;
        folder_.Scan();
    }
    void EndRemoval() override {}
    void ReportNotRemoved(const std::vector<std::string>& lines) override
    {
        for (const std::string& line : lines)
            std::cerr << "qbx: not removed (the mail has more parts than can be read): " << line << "\n";
        NotRemoved = !lines.empty();
    }

    bool Rescanned = false;
    bool NotRemoved = false;

private:
    TScannedFolder& folder_;
};

// "--language ja|en": the language of what the removal writes into mails
// and its errors; the second language when the option is missing.
std::optional<int> TakeLanguageOption(std::vector<std::string>& args)
{
    const auto option = std::find(args.begin(), args.end(), "--language");
    if (option == args.end()) return kEnglishLocaleID;
    const auto value = option + 1;
    std::optional<int> localeID;
    if (value != args.end() && *value == "ja") localeID = kJapaneseLocaleID;
    else if (value != args.end() && *value == "en") localeID = kEnglishLocaleID;
    else std::cerr << "qbx: --language takes ja or en\n";
    args.erase(option, value == args.end() ? value : value + 1);
    return localeID;
}

template <class TBody>
int WithPatterns(TBody body)
{
    if (!LoadQbxRegexLibrary()) return 1;
    struct TUnload {
        ~TUnload() { UnloadRegexLibrary(); }
    } unload;
    try {
        return body();
    } catch (const std::exception& error) {
        std::cerr << "qbx: " << error.what() << "\n";
        return 1;
    }
}
}  // namespace

namespace {
// A command over one scanned folder, its arguments DATA-DIR FOLDER-ID and
// then so many more; the usage line and 2 when they are not given.
template <class TBody>
int OnScannedFolder(const std::vector<std::string>& options, std::size_t more, const char* usage, TBody body)
{
    std::vector<std::string> args = options;
    const std::optional<TAttachmentRules> rules = TakeRulesOption(args);
    if (!rules || args.size() != 2 + more) {
        std::cerr << "usage: " << usage << "\n";
        return 2;
    }
    return WithPatterns([&] {
        TScannedFolder folder(args[0], args[1], *rules);
        return body(folder, args);
    });
}
}  // namespace

int RowsCommand(const std::vector<std::string>& options)
{
    return OnScannedFolder(options, 0, "qbx rows DATA-DIR FOLDER-ID [--rules classic|full]",
                           [](TScannedFolder& folder, const std::vector<std::string>&) {
                               const std::vector<TListPosItem> rows = folder.Rows();
                               for (std::size_t i = 0; i < rows.size(); ++i)
                                   std::cout << i + 1 << '\t' << rows[i].Mail->MailID << '\t'
                                             << rows[i].Attachment->PartNo << '\t' << rows[i].Attachment->FileName
                                             << '\n';
                               return std::cout.flush() ? 0 : 1;
                           });
}

int SaveCommand(const std::vector<std::string>& options)
{
    return OnScannedFolder(options, 2, "qbx save DATA-DIR FOLDER-ID ROW DEST [--rules classic|full]",
                           [](TScannedFolder& folder, const std::vector<std::string>& args) {
                               const auto row = Resolve(folder.Rows(), {args[2]});
                               if (!row) return 1;
                               TMailItem& mail = *row->front().Mail;
                               const TAttachment& attachment = *row->front().Attachment;
                               if (DecodeAttachment(folder.Host(), mail, attachment, args[3])) return 0;
                               std::cerr << "qbx: " << attachment.FileName << ": cannot be decoded ("
                                         << attachment.Encoding << ")\n";
                               return 1;
                           });
}

int RemoveCommand(const std::vector<std::string>& options)
{
    std::vector<std::string> args = options;
    const std::optional<TAttachmentRules> rules = TakeRulesOption(args);
    const std::optional<int> localeID = TakeLanguageOption(args);
    if (!rules || !localeID || args.size() < 3) {
        std::cerr << "usage: qbx remove DATA-DIR FOLDER-ID ROW... [--rules classic|full] [--language ja|en]\n";
        return 2;
    }
    return WithPatterns([&] {
        TScannedFolder folder(args[0], args[1], *rules);
        const auto rows = Resolve(folder.Rows(), {args.begin() + 2, args.end()});
        if (!rows) return 1;
        TMailList& list = folder.List();
        for (std::size_t m = 0; m < list.Count(); ++m)
            for (const auto& attachment : list[m].Attachments) attachment->Visible = true, attachment->Marked = false;
        for (const TListPosItem& row : *rows) row.Attachment->Marked = true;
        for (std::size_t m = 0; m < list.Count(); ++m)
            for (const auto& attachment : list[m].Attachments) list.MarkCount += attachment->Marked ? 1 : 0;
        TConsoleRemovalWindow window(folder);
        RemoveMarked(list, folder.Host(), window, window, TRunLocale{'/', *localeID});
        if (window.Rescanned) std::cerr << "qbx: a mail no longer matched its catalogue entry and was left as it was\n";
        return window.Rescanned || window.NotRemoved ? 1 : 0;
    });
}

}  // namespace quillbox
