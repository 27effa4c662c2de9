#include "catalogue/folder_scan.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <string>

#include "catalogue/folder_index.h"
#include "catalogue/mail_scanner.h"

namespace quillbox {

namespace {

constexpr std::size_t kMessageInterval = 10;

// From the first step of a scan to its last, on every way out: the window
// is in scanning mode, and its grid is disabled once the scan starts.
class TScanningMode {
public:
    explicit TScanningMode(TScanWindow& window) : window_(window) { window_.SetScanning(true); }
    ~TScanningMode()
    {
        window_.SetGridEnabled(true);
        window_.SetScanning(false);
    }
    TScanningMode(const TScanningMode&) = delete;
    TScanningMode& operator=(const TScanningMode&) = delete;

private:
    TScanWindow& window_;
};

// The mail loop's frame: tool bar off and progress bar up while mails are
// visited; afterwards, however the loop ended, the count is stored, the
// progress cleared and the view rebuilt from what was found.
class TMailLoopFrame {
public:
    TMailLoopFrame(TMailList& list, TScanWindow& window) : list_(list), window_(window)
    {
        window_.SetToolBarEnabled(false);
        window_.ShowProgressBar(true);
    }
    ~TMailLoopFrame() noexcept(false)
    {
        // While an error is on its way out, a second one must not replace it.
        const bool unwinding = std::uncaught_exceptions() > exceptionsAtStart_;
        try {
            list_.AttachCount = AttachmentTotal;
            window_.ShowProgress(std::string(), 0);
            window_.ShowProgressBar(false);
            window_.RebuildView();
        } catch (...) {
            window_.SetToolBarEnabled(true);
            if (!unwinding) throw;
            return;
        }
        window_.SetToolBarEnabled(true);
    }
    TMailLoopFrame(const TMailLoopFrame&) = delete;
    TMailLoopFrame& operator=(const TMailLoopFrame&) = delete;

    std::int32_t AttachmentTotal = 0;

private:
    TMailList& list_;
    TScanWindow& window_;
    const int exceptionsAtStart_ = std::uncaught_exceptions();
};

void VisitMails(TMailList& list, THostApi& host, TScanWindow& window, TIconSource& icons,
                TMailLoopFrame& frame)
{
    TMailScanner scanner(host, icons, TCodePage::Active());
    std::string shownProgress;
    const std::size_t count = list.Count();
    for (std::size_t k = count; k >= 1; --k) {
        if (k % kMessageInterval == 0) window.ProcessMessages();
        if (window.EscPressed()) break;
        const int progress = ScanProgress(k, count);
        std::string text = std::to_string(progress) + "%";
        if (text != shownProgress) {
            window.ShowProgress(text, progress);
            shownProgress = std::move(text);
        }
        frame.AttachmentTotal += scanner.Scan(list[k - 1], list.Rules);
    }
}

}  // namespace

int ScanProgress(std::size_t k, std::size_t count)
{
    const std::size_t numerator = (k - 1) * 100;
    std::size_t rounded = numerator / count;
    const std::size_t twiceRemainder = numerator % count * 2;
    if (twiceRemainder > count || (twiceRemainder == count && rounded % 2 == 1)) ++rounded;
    return 100 - static_cast<int>(rounded);
}

void ScanFolder(TMailList& list, THostApi& host, TScanWindow& window, TIconSource& icons)
{
    const TScanningMode scanning(window);
    window.ClearEscPressed();
    window.SetGridEnabled(false);
    // The rows point into the mails: they go first.
    window.ClearView();
    list.ClearMails();
    window.ShowScanStarted();

    if (list.MailBox.empty() || list.Folder.empty()) {
        window.ShowError("MailBox or Folder is not selected.");
        return;
    }
    const std::string folderPath = host.GetDataFolder() + list.Folder;
    {
        const std::optional<std::string> index = ReadWholeFile(folderPath + kFolderIndexFileName);
        if (!index) {
            window.ShowError(folderPath + kFolderIndexFileName + " does not exist.");
            return;
        }
        list.AddInDateOrder(ReadIndexMails(*index, list.Folder));
    }

    TMailLoopFrame frame(list, window);
    VisitMails(list, host, window, icons, frame);
}

}  // namespace quillbox
