// The main window's surroundings for tests: a real grid model and view, a
// row list over real catalogue records, and recording fakes for the rest.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/mail_item.h"
#include "ui/main_window/main_window_shell.h"

namespace quillbox::testing {

class TModelGrid final : public TListGrid {
public:
    TModelGrid() : model(7, 2), view(model) { view.SetClientSize(600, 400); }
    TGridModel& Model() override { return model; }
    int Col() const override { return view.Col(); }
    int Row() const override { return view.Row(); }
    void MoveTo(int col, int row) override { view.MoveTo(col, row, false); }
    TGridRect Selection() const override { return view.Selection(); }
    void SetSelection(const TGridRect& rect) override { view.SetSelection(rect); }
    int TopRow() const override { return view.TopRow(); }
    int ClientWidth() const override { return view.ClientWidth(); }

    TGridModel model;
    TGridView view;
};

class TFakeShell final : public TMainWindowShell {
public:
    TListGrid& Grid() override { return grid; }
    const TListPosItem* RowAt(int position) override
    {
        if (position < 0 || position >= static_cast<int>(rows.size())) return nullptr;
        return &rows[position];
    }
    int RowListCount() override { return static_cast<int>(rows.size()); }
    void UpdateTotals() override { ++totalsUpdates; }
    void SortRows() override { ++sorts; }
    void UpdateViewMenus() override { ++viewMenuUpdates; }
    void ScanFolder() override
    {
        ++scans;
        if (onScan) onScan();
    }
    int AttachCount() override { return attachCount; }
    void SetCurrentMail(const std::string& mailId) override { currentMails.push_back(mailId); }
    void Beep() override { ++beeps; }
    void ShowNotice(const std::string& text) override { notices.push_back(text); }
    std::optional<std::string> AskText(const std::string&, const std::string&,
                                       const std::string& initial) override
    {
        askedWith.push_back(initial);
        return answer;
    }
    void SetClipboardText(const std::string& text) override { clipboard = text; }
    void SetListCommandEnabled(TListCommand command, bool enabled) override { enabledCommands[command] = enabled; }
    void SetFindNextEnabled(bool enabled) override { findNextEnabled = enabled; }
    void FocusGrid() override { ++gridFocused; }
    void Repaint() override {}
    void Close() override { ++closes; }
    int WindowWidth() override { return windowWidth; }
    void SetWindowWidth(int width) override
    {
        // The grid's client area follows the window's width.
        grid.view.SetClientSize(grid.view.ClientWidth() + width - windowWidth, grid.view.ClientHeight());
        windowWidth = width;
    }
    TColor WindowColor() override { return Rgb(255, 255, 255); }

    // A mail with attachments, and one row per attachment, in list order.
    void AddMail(const std::string& id, const std::vector<std::string>& files)
    {
        auto mail = std::make_unique<TMailItem>();
        mail->MailID = id;
        for (const std::string& file : files) {
            auto attachment = std::make_unique<TAttachment>();
            attachment->FileName = file;
            mail->Attachments.push_back(std::move(attachment));
        }
        for (auto& attachment : mail->Attachments)
            rows.push_back({static_cast<std::int32_t>(mails.size()), 0, attachment.get(), mail.get()});
        mails.push_back(std::move(mail));
    }

    TModelGrid grid;
    std::vector<std::unique_ptr<TMailItem>> mails;
    std::vector<TListPosItem> rows;
    std::function<void()> onScan;
    int attachCount = 0;
    int totalsUpdates = 0, sorts = 0, viewMenuUpdates = 0, scans = 0, beeps = 0, closes = 0, gridFocused = 0;
    std::vector<std::string> currentMails, notices, askedWith;
    std::optional<std::string> answer;
    std::string clipboard;
    std::map<TListCommand, bool> enabledCommands;
    std::optional<bool> findNextEnabled;
    int windowWidth = 700;
};

}  // namespace quillbox::testing
