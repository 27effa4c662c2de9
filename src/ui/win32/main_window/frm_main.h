// TfrmMain: the attachment window. It draws and forwards events; what it
// decides lives in TMainWindowLogic, the scan and the listing.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/mail_list.h"
#include "catalogue/scan_window.h"
#include "operations/run_locale.h"
#include "operations/run_progress.h"
#include "operations/save_window.h"
#include "settings/language.h"
#include "settings/language_window.h"
#include "settings/settings_values.h"
#include "settings/settings_writer.h"
#include "tansy/host_api.h"
#include "ui/logic/dpi_scale.h"
#include "ui/logic/listing_controller.h"
#include "ui/main_window/main_window_metrics.h"
#include "ui/main_window/main_window_logic.h"
#include "ui/win32/grid/string_align_grid.h"
#include "ui/win32/main_window/status_bar.h"
#include "ui/win32/main_window/tool_bar.h"
#include "ui/win32/main_window/window_menus.h"

namespace quillbox {

class TIconList;

// The plug-in-wide objects the window works with; all outlive it.
struct TMainWindowContext {
    HINSTANCE Module;
    HWND HostWindow;  // the owner: the window stays above it, which stays disabled
    THostApi& Host;
    TMailList& Mails;
    TLanguage& Language;
    TSettings& Settings;
    TSettingsFile& SettingsFile;
    TIconList& Icons;
    // The ReadMe files lie in the plug-in's folder; the About box shows the version.
    const std::string& PluginFolder;
    const std::string& PluginVersion;
};

class TfrmMain final : public TMainWindowShell, public TScanWindow, public TLanguageWindow, public TListingWindow {
public:
    explicit TfrmMain(const TMainWindowContext& context);
    ~TfrmMain() override;
    TfrmMain(const TfrmMain&) = delete;
    TfrmMain& operator=(const TfrmMain&) = delete;

    HWND Handle() const { return window_; }
    // Saved geometry and column widths, if any were saved; a place off every
    // monitor comes onto the nearest.
    void RestorePlacement();
    void SetFolderName(const std::string& name);
    // Returns once the window has closed.
    void ShowModal();

    // TMainWindowShell
    void ScanFolder() override;
    void SetCurrentMail(const std::string& mailId) override { context_.Host.SetCurrentMail(mailId); }
    void Beep() override { MessageBeep(0); }
    void ShowNotice(const std::string& text) override;
    std::optional<std::string> AskText(const std::string& caption, const std::string& prompt,
                                       const std::string& initial) override;
    void SetClipboardText(const std::string& text) override;
    void SetListCommandEnabled(TListCommand command, bool enabled) override;
    void SetFindNextEnabled(bool enabled) override { menus_.SetEnabled(TMenuItem::FindNext, enabled); }
    void FocusGrid() override { grid_->Focus(); }
    void Repaint() override;
    void Close() override;
    int WindowWidth() override;
    void SetWindowWidth(int width) override;

    // TScanWindow
    void SetScanning(bool scanning) override { logic_.SetScanning(scanning); }
    bool EscPressed() const override { return logic_.EscPressed(); }
    void ClearEscPressed() override { logic_.ClearEscPressed(); }
    void ProcessMessages() override;
    void SetGridEnabled(bool enabled) override { grid_->SetEnabled(enabled); }
    void SetToolBarEnabled(bool enabled) override { toolBar_->SetAllEnabled(enabled); }
    void ClearView() override;
    void ShowScanStarted() override;
    void ShowError(const std::string& text) override;
    void ShowProgressBar(bool visible) override { statusBar_->ShowProgressBar(visible); }
    void ShowProgress(const std::string& text, int position) override;
    void RebuildView() override;

    // TLanguageWindow
    void SetCaption(const std::string& caption) override { SetWindowTextA(window_, caption.c_str()); }
    void SetWindowFont(const TFontDescription& font) override;
    void SetLanguageChecks(bool japanese) override;
    void SetControlText(const TControlText& text) override;
    void EmphasizeFolderLabels() override;
    int BlankWidth() const override;
    int IconGapWidth() const override { return metrics_.FileIconGap; }
    void SetGridFont(const TFontDescription& font) override;
    void FillGrid() override { list_->FillGrid(); }
    void UpdateViewMenus() override { list_->UpdateViewMenus(); }
    std::optional<TFontDescription> ChooseFont(const TFontDescription& font) override;

    // TListingWindow
    void ShowTotals(const TStatusTotals& totals) override;
    void ShowViewMenus(const TListingChoiceMarks& state) override;

private:
    // The window each long command sees, a part of the form in the file of
    // its command (frm_main_save.cpp, frm_main_removal.cpp, frm_main_detach.cpp).
    class TSaveCommandWindow;
    class TRemovalCommandWindow;
    class TDetachCommandWindow;
    // How far such a command has come, and Esc pressed during it: one for
    // every command.
    class TCommandProgress final : public TRunProgress {
    public:
        explicit TCommandProgress(TfrmMain& form) : form_(form) {}
        void ShowProgress(const std::string& text, int position) override { form_.ShowProgress(text, position); }
        void ProcessMessages() override
        {
            form_.Repaint();
            form_.ProcessMessages();
        }
        bool StopRequested() override { return form_.logic_.EscPressed(); }

    private:
        TfrmMain& form_;
    };

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK KeyPreviewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR id, DWORD_PTR data);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Runs a handler; an error it raises is shown and the window stays open.
    void Guarded(const std::function<void()>& handler);

    void FormCreate();
    void CreateGrid();
    void LayOut();
    // The monitor's density: every size of the design, then the fonts.
    void ApplyMetrics();
    void DpiChanged(int dpi, const RECT& suggested);
    void FormActivate();
    void FormClose();
    bool PreviewKey(UINT message, WPARAM key);
    void RunCommand(TCommandId command);
    // The view commands and the one-extension filter.
    void RunListingCommand(TCommandId command);
    // The save, removal and detach commands (frm_main_save.cpp,
    // frm_main_removal.cpp, frm_main_detach.cpp).
    void SaveMarksAs();
    void SaveAttachAs();
    // An Option menu check item of the save commands.
    void ToggleSaveOption(bool& option, TMenuItem menuItem);
    void DeleteMarks();
    void DeleteAnAttachment();
    void DetachMarks();
    // Panel 1 cleared, the progress bar at 0 and hidden.
    void ResetProgress();
    // The hourglass over the whole window while a command runs.
    void SetBusyCursor(bool busy);
    // The user's date separator, for the dates in the save and removal reports.
    static char DateSeparator();
    // That separator and the window's language, as a command takes them.
    TRunLocale RunLocale() const;
    // What the commands that save into a folder share: the folder browser,
    // the question about a file that exists, and SaveDir kept and written at once.
    bool SelectSaveFolder(std::string& folder);
    TOverwriteAnswer AskOverwrite(const std::string& fileName);
    void StoreSaveDir(const std::string& folder);
    // The view, edit and function menus, which a removal or a detach greys
    // while it runs.
    void SetRunMenusEnabled(bool enabled);
    // Hourglass; grid, tool bar and those menus disabled while a removal or
    // a detach runs. After it, the menus come back with the list's update.
    void LockForRun();
    void UnlockAfterRun();
    // Geometry and column widths as the settings file keeps them.
    TOpenWindowState OpenWindowState() const;
    void GridMouseDown(TMouseButton button, int x, int y);
    void GridKeyPress(char key);
    void mnReadMeClick();
    void mnOpenReadMeClick();
    // Classic or full attachment rules: the check follows the settings, and
    // the folder is read again by the other rules.
    void mnClassicRulesClick();

    TMainWindowContext context_;
    TWindowMenus menus_;
    HWND window_ = nullptr;
    // The density the window is shown at, and the design's sizes at it.
    TDpiScale scale_;
    TMainWindowMetrics metrics_ = kMainWindowDesign;
    std::unique_ptr<TToolBar> toolBar_;
    HWND pnlTop_ = nullptr;
    HWND lblTargetFolderLbl_ = nullptr;
    HWND lblFolderName_ = nullptr;
    std::unique_ptr<TStringAlignGrid> grid_;
    std::unique_ptr<TListGrid> gridAccess_;
    std::unique_ptr<TStatusBar> statusBar_;
    TFontHandle windowFont_;  // owned: the labels' and the status bar's
    TFontHandle boldFont_;    // owned: the folder labels' while emphasized
    // The folder name is drawn in the colour of the window font.
    COLORREF folderNameColour_ = RGB(0, 0, 0);
    std::unique_ptr<TListingController> list_;
    TMainWindowLogic logic_;
    bool closed_ = false;
    // Closed maximised last time: shown maximised over the restored place.
    bool openMaximized_ = false;
    bool busyCursor_ = false;
    // The marked save and the detach let waiting messages through; no other
    // command may change the list or the catalogue under them meanwhile.
    bool saving_ = false;
};

}  // namespace quillbox
