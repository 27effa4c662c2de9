// The folder scan as the main window runs it.
#include "catalogue/folder_scan.h"
#include "ui/win32/main_window/frm_main.h"
#include "catalogue/icons/icon_list.h"

namespace quillbox {

namespace {
class TIconCache final : public TIconSource {
public:
    explicit TIconCache(TIconList& icons) : icons_(icons) {}
    const TIconListItem* GetIcon(const std::string& extension) override { return icons_.GetIcon(extension); }

private:
    TIconList& icons_;
};
}  // namespace

void TfrmMain::ScanFolder()
{
    TIconCache icons(context_.Icons);
    context_.Mails.Rules = context_.Settings.ClassicRules ? TAttachmentRules::Classic : TAttachmentRules::Full;
    quillbox::ScanFolder(context_.Mails, context_.Host, *this, icons);
}

void TfrmMain::mnClassicRulesClick()
{
    // Not while a scan lets messages through: it would pull the mails from under it.
    if (logic_.Scanning()) return;
    context_.Settings.ClassicRules = !context_.Settings.ClassicRules;
    menus_.SetChecked("mnClassicRules", context_.Settings.ClassicRules);
    ScanFolder();
}

}  // namespace quillbox
