#include "catalogue/scan_window.h"

namespace quillbox {

namespace {

// Runs work, then restore however work ended; an error from work is the one
// that propagates, one from restore only when work succeeded.
template <class TWork, class TRestore>
void RunThenRestore(TWork work, TRestore restore)
{
    try {
        work();
    } catch (...) {
        try {
            restore();
        } catch (...) {
        }
        throw;
    }
    restore();
}

// The scan's progress as the window shows it: Esc read before each mail.
class TWindowScanProgress final : public TScanProgress {
public:
    explicit TWindowScanProgress(TScanWindow& window) : window_(window), shown_(window) {}

    bool Tick(int percent, bool messagesDue) override
    {
        if (messagesDue) window_.ProcessMessages();
        if (window_.EscPressed()) return false;
        shown_.Show(percent);
        return true;
    }

private:
    TScanWindow& window_;
    TChangedPercent shown_;
};

// Tool bar off and progress bar up while mails are visited; afterwards,
// however the visit ended, the progress cleared and the view rebuilt from
// what was found.
void VisitMailsInWindow(TMailList& list, THostApi& host, TScanWindow& window, TIconSource& icons)
{
    window.SetToolBarEnabled(false);
    window.ShowProgressBar(true);
    RunThenRestore(
        [&] {
            TWindowScanProgress progress(window);
            ScanMails(list, host, icons, progress);
        },
        [&] {
            RunThenRestore(
                [&] {
                    window.ShowProgress(std::string(), 0);
                    window.ShowProgressBar(false);
                    window.RebuildView();
                },
                [&] { window.SetToolBarEnabled(true); });
        });
}

}  // namespace

void ScanFolder(TMailList& list, THostApi& host, TScanWindow& window, TIconSource& icons)
{
    // From the first step to the last, on every way out: the window is in
    // scanning mode, and its grid is disabled once the scan starts.
    window.SetScanning(true);
    RunThenRestore(
        [&] {
            window.ClearEscPressed();
            window.SetGridEnabled(false);
            // The rows point into the mails: they go first.
            window.ClearView();
            list.ClearMails();
            window.ShowScanStarted();
            const std::string error = AddFolderMails(list, host);
            if (!error.empty()) {
                window.ShowError(error);
                return;
            }
            VisitMailsInWindow(list, host, window, icons);
        },
        [&] {
            window.SetGridEnabled(true);
            window.SetScanning(false);
        });
}

}  // namespace quillbox
