#include "operations/removal_commands.h"

#include <vector>

#include "operations/clean_up.h"
#include "operations/progress_text.h"
#include "operations/remove_parts.h"
#include "operations/removed_names.h"

namespace quillbox {

namespace {
// Runs the removals with the window disabled; body says whether every mail
// was rewritten. The catalogue is then rebuilt, otherwise read again.
template <class TBody>
void RunRemoval(TRemovalWindow& window, bool bulk, TBody body)
{
    window.BeginRemoval(bulk);
    bool catalogueTrue = false;
    std::exception_ptr error;
    try {
        catalogueTrue = body();
    } catch (...) {
        error = std::current_exception();
    }
    CleanUp(error, {[&] { window.ResetProgress(); },
                    [&] {
                        if (catalogueTrue)
                            window.RebuildView();
                        else
                            window.ScanFolder();
                    },
                    [&] { window.EndRemoval(); }});
}
}  // namespace

void RemoveMarked(TMailList& list, THostApi& host, TRemovalWindow& window)
{
    if (!window.ConfirmRemoveMarked()) return;
    RunRemoval(window, true, [&] {
        bool everyMailRewritten = true;
        int total = 0;
        std::string shown;
        for (std::size_t i = 0; i < list.Count(); ++i) {
            TMailItem& mail = list[i];
            std::vector<const TAttachment*> selected;
            std::vector<std::string> names;
            for (const auto& attachment : mail.Attachments) {
                if (!attachment->Marked || !attachment->Visible || attachment->Removed) continue;
                attachment->Removed = true;
                selected.push_back(attachment.get());
                names.push_back(attachment->FileName);
            }
            if (selected.empty()) continue;
            total += static_cast<int>(selected.size());
            const int percent = WholePercent(total, list.MarkCount);
            if (PercentText(percent) != shown) {
                shown = PercentText(percent);
                window.ShowProgress(shown, percent);
            }
            if (RemoveParts(host, mail, selected, QuotedNameList(names)) != TRemoval::Rewritten)
                everyMailRewritten = false;
        }
        return everyMailRewritten;
    });
}

void RemoveOne(TMailItem& mail, TAttachment& attachment, THostApi& host, TRemovalWindow& window)
{
    if (!window.ConfirmRemoveOne(attachment.FileName)) return;
    RunRemoval(window, false, [&] {
        attachment.Removed = true;
        return RemoveParts(host, mail, {&attachment}, QuotedNameList({attachment.FileName})) == TRemoval::Rewritten;
    });
}

}  // namespace quillbox
