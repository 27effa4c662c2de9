// The main window's surroundings for tests: a real grid model and scroll state, the
// real attachment list over a small catalogue, and recording fakes for the
// host and the platform.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tests/catalogue/listing/catalogue_builder.h"
#include "ui/logic/listing_controller.h"
#include "ui/main_window/main_window_shell.h"

namespace quillbox::testing {

class TModelGrid final : public TListGrid {
public:
    TModelGrid() : model(7, 2), scroll(model) { scroll.SetClientSize(600, 400); }
    TGridModel& Model() override { return model; }
    const TGridScroll& Scroll() const override { return scroll; }
    void MoveTo(int col, int row) override { scroll.MoveTo(col, row, false); }
    void SetSelection(const TGridRect& rect) override { scroll.SetSelection(rect); }
    // Six pixels a byte, seven in a bold font.
    int TextWidth(int col, int row, const std::string& text) override
    {
        return static_cast<int>(text.size()) * (model.Resolve(col, row).Font.Bold ? 7 : 6);
    }

    TGridModel model;
    TGridScroll scroll;
};

class TFakeShell final : public TMainWindowShell, public TListingWindow {
public:
    explicit TFakeShell(const TMessageTable& messages)
        : list(catalogue.mails, viewSettings, messages, grid.model, *this, TDigitGrouping{})
    {
    }

    // The listing's row at a RowList position.
    TRowRef RowAt(int position) { return list.RowAt(position); }

    // TMainWindowShell
    void ScanFolder() override
    {
        ++scans;
        if (onScan) onScan();
    }
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
        grid.scroll.SetClientSize(grid.scroll.ClientWidth() + width - windowWidth, grid.scroll.ClientHeight());
        windowWidth = width;
    }

    // TListingWindow
    void ShowTotals(const TStatusTotals& shown) override
    {
        ++totalsUpdates;
        totals = shown;
    }
    void ShowViewMenus(const TListingChoiceMarks&) override {}

    // Mails in date order, each with its attachments; then the list shows them.
    void List(const std::vector<std::pair<std::string, std::vector<std::string>>>& mails)
    {
        double date = 37143.0;  // 2001/09/09
        for (const auto& [subject, files] : mails) {
            std::vector<AttachmentSpec> parts;
            for (const std::string& file : files) parts.push_back({file});
            catalogue.AddMail(date++, subject, parts);
            catalogue.mails.AttachCount += static_cast<int>(files.size());
        }
        list.RebuildView();
        grid.scroll.Normalise();
        totalsUpdates = 0;  // counts what the commands show after the listing
    }

    CatalogueBuilder catalogue;
    TListingSettings viewSettings{1, 3, 1, false, {}};  // by date, everything, ascending, no extension filter
    TModelGrid grid;
    TListingController list;
    TStatusTotals totals;
    std::function<void()> onScan;
    int totalsUpdates = 0, scans = 0, beeps = 0, closes = 0, gridFocused = 0;
    std::vector<std::string> currentMails, notices, askedWith;
    std::optional<std::string> answer;
    std::string clipboard;
    std::map<TListCommand, bool> enabledCommands;
    std::optional<bool> findNextEnabled;
    int windowWidth = 700;
};

}  // namespace quillbox::testing
