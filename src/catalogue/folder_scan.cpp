#include "catalogue/folder_scan.h"

#include <optional>

#include "catalogue/folder_index.h"
#include "catalogue/mail_scanner.h"
#include "catalogue/progress.h"

namespace quillbox {

namespace {
constexpr std::size_t kMessageInterval = 10;
}  // namespace

int ScanProgress(std::size_t k, std::size_t count)
{
    return 100 - WholePercent(static_cast<long long>(k - 1), static_cast<long long>(count));
}

std::string AddFolderMails(TMailList& list, THostApi& host)
{
    if (list.MailBox.empty() || list.Folder.empty()) return "MailBox or Folder is not selected.";
    const std::string indexPath = host.GetDataFolder() + list.Folder + kFolderIndexFileName;
    const std::optional<std::string> index = ReadWholeFile(indexPath);
    if (!index) return indexPath + " does not exist.";
    list.AddInDateOrder(ReadIndexMails(*index, list.Folder));
    return {};
}

void ScanMails(TMailList& list, THostApi& host, TIconSource& icons, TScanProgress& progress)
{
    TMailScanner scanner(host, icons, TCodePage::Active());
    std::int32_t found = 0;
    const std::size_t count = list.Count();
    try {
        for (std::size_t k = count; k >= 1; --k) {
            if (!progress.Tick(ScanProgress(k, count), k % kMessageInterval == 0)) break;
            found += scanner.Scan(list[k - 1], list.Rules);
        }
    } catch (...) {
        // What was found before the error is in the catalogue, and counted.
        list.AttachCount = found;
        throw;
    }
    list.AttachCount = found;
}

std::string ScanFolderMails(TMailList& list, THostApi& host, TIconSource& icons, TScanProgress& progress)
{
    list.ClearMails();
    std::string error = AddFolderMails(list, host);
    if (error.empty()) ScanMails(list, host, icons, progress);
    return error;
}

}  // namespace quillbox
