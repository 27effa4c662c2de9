#include "operations/removal_commands.h"

#include <ctime>
#include <vector>

#include "catalogue/progress.h"
#include "operations/clean_up.h"
#include "operations/remove_parts.h"
#include "operations/removed_names.h"
#include "operations/save_commands.h"

namespace quillbox {

namespace {
// The attachments of one mail that one command removes, and those it has
// to leave: these keep their place in the catalogue, the mail its bytes.
class TMailRemoval {
public:
    TMailRemoval(TMailItem& mail, std::vector<std::string>& notRemoved, const TRunLocale& locale)
        : mail_(mail), notRemoved_(notRemoved), dateSeparator_(locale.DateSeparator),
          note_{locale.LocaleID, RemovalTimeText(std::time(nullptr))}
    {
    }

    void Select(TAttachment& attachment)
    {
        attachment.Removed = true;
        (IsRemovable(attachment) ? selected_ : refused_).push_back(&attachment);
    }
    std::size_t Count() const { return selected_.size() + refused_.size(); }

    // False when the catalogue no longer matches the mail.
    bool Run(THostApi& host)
    {
        if (!selected_.empty()) {
            std::vector<std::string> names;
            for (const TAttachment* attachment : selected_) names.push_back(attachment->FileName);
            const std::vector<const TAttachment*> parts(selected_.begin(), selected_.end());
            switch (RemoveParts(host, mail_, parts, QuotedNameList(names), note_)) {
            case TRemoval::Rewritten: break;
            case TRemoval::Untouched: return false;
            case TRemoval::Refused: refused_.insert(refused_.end(), selected_.begin(), selected_.end()); break;
            }
        }
        for (TAttachment* attachment : refused_) {
            attachment->Removed = false;
            notRemoved_.push_back(UndecodableLine(mail_, *attachment, dateSeparator_));
        }
        return true;
    }

private:
    TMailItem& mail_;
    std::vector<std::string>& notRemoved_;
    const char dateSeparator_;
    const TRemovalNote note_;
    std::vector<TAttachment*> selected_;
    std::vector<TAttachment*> refused_;
};

// Runs the removals with the window disabled; body says whether every mail
// was rewritten. The catalogue is then rebuilt, otherwise read again. What
// could not be removed is reported last.
template <class TBody>
void RunRemoval(TRemovalWindow& window, bool bulk, TBody body)
{
    window.BeginRemoval(bulk);
    std::vector<std::string> notRemoved;
    bool catalogueTrue = false;
    std::exception_ptr error;
    try {
        catalogueTrue = body(notRemoved);
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
                    [&] { window.EndRemoval(); },
                    [&] {
                        if (!notRemoved.empty()) window.ReportNotRemoved(notRemoved);
                    }});
}
}  // namespace

void RemoveMarked(TMailList& list, THostApi& host, TRemovalWindow& window, TProgressDisplay& progress,
                  const TRunLocale& locale)
{
    if (!window.ConfirmRemoveMarked()) return;
    RunRemoval(window, true, [&](std::vector<std::string>& notRemoved) {
        bool everyMailRewritten = true;
        int total = 0;
        TChangedPercent shown(progress);
        for (std::size_t i = 0; i < list.Count(); ++i) {
            TMailItem& mail = list[i];
            TMailRemoval removal(mail, notRemoved, locale);
            for (const auto& attachment : mail.Attachments)
                if (attachment->Marked && attachment->Visible && !attachment->Removed) removal.Select(*attachment);
            if (removal.Count() == 0) continue;
            total += static_cast<int>(removal.Count());
            shown.Show(WholePercent(total, list.MarkCount));
            if (!removal.Run(host)) everyMailRewritten = false;
        }
        return everyMailRewritten;
    });
}

void RemoveOne(TMailItem& mail, TAttachment& attachment, THostApi& host, TRemovalWindow& window,
               const TRunLocale& locale)
{
    if (!window.ConfirmRemoveOne(attachment.FileName)) return;
    RunRemoval(window, false, [&](std::vector<std::string>& notRemoved) {
        TMailRemoval removal(mail, notRemoved, locale);
        removal.Select(attachment);
        return removal.Run(host);
    });
}

}  // namespace quillbox
