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
    quillbox::ScanFolder(context_.Mails, context_.Host, *this, icons);
}

}  // namespace quillbox
