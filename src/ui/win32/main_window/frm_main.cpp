#include "ui/win32/main_window/frm_main.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "regex/b_reg_exp.h"
#include "resources/resource_ids.h"
#include "ui/main_window/placement_units.h"
#include "ui/main_window/screen_placement.h"
#include "ui/win32/listing/file_icon_painter.h"
#include "ui/win32/listing/system_digit_grouping.h"
#include "ui/win32/main_window/win32_list_grid.h"
#include "ui/win32/message_box.h"
#include "ui/win32/window_dpi.h"

namespace quillbox {

namespace {
constexpr char kClassName[] = "QuillboxMainWindow";
constexpr UINT_PTR kScanTimer = 1;
constexpr UINT kScanTimerInterval = 100;
enum TControlId { idToolBar = 100, idGrid, idStatusBar, idPanel, idTargetLabel, idFolderLabel };

void RegisterWindowClass(HINSTANCE module, WNDPROC proc)
{
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExA(module, kClassName, &windowClass)) return;
    windowClass.lpfnWndProc = proc;
    windowClass.hInstance = module;
    windowClass.hIcon = LoadIconA(module, QBX_MAIN_ICON);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    RegisterClassExA(&windowClass);
}

HWND Label(HWND parent, int id)
{
    return CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

// The middle of the work area of the window's monitor.
POINT CentredOrigin(HWND window, int width, int height)
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& area = monitor.rcWork;
    return {area.left + (area.right - area.left - width) / 2, area.top + (area.bottom - area.top - height) / 2};
}

bool RegexMatch(const std::string& pattern, const std::string& text) { return SharedRegExp().Match(pattern, text); }

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM areas)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info)) return TRUE;
    const RECT& work = info.rcWork;
    const TScreenRect area{work.left, work.top, work.right - work.left, work.bottom - work.top};
    auto& list = *reinterpret_cast<std::vector<TScreenRect>*>(areas);
    // The primary monitor first: it wins when two are equally near.
    if (info.dwFlags & MONITORINFOF_PRIMARY)
        list.insert(list.begin(), area);
    else
        list.push_back(area);
    return TRUE;
}

std::vector<TScreenRect> MonitorWorkAreas()
{
    std::vector<TScreenRect> areas;
    EnumDisplayMonitors(nullptr, nullptr, &AddWorkArea, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

// The smallest a window can be dragged to.
TWindowSize MinimumWindowSize() { return {GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)}; }

// A maximised window's place when restored, in screen pixels: the placement
// gives it relative to the work area of the window's monitor.
RECT RestoredFrame(HWND window)
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(window, &placement);
    RECT frame = placement.rcNormalPosition;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoA(MonitorFromRect(&frame, MONITOR_DEFAULTTOPRIMARY), &monitor))
        OffsetRect(&frame, monitor.rcWork.left - monitor.rcMonitor.left, monitor.rcWork.top - monitor.rcMonitor.top);
    return frame;
}
}  // namespace

TfrmMain::TfrmMain(const TMainWindowContext& context)
    : context_(context),
      logic_(*this, context.Language.MessageTable, context.Settings.GridWidths, RegexMatch)
{
    RegisterWindowClass(context_.Module, &TfrmMain::WindowProc);
    // A pop-up owned by the host's main window, so that it stays above it.
    CreateWindowExA(0, kClassName, "",
                    WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX | WS_CLIPCHILDREN,
                    0, 0, metrics_.WindowWidth, metrics_.WindowHeight, context_.HostWindow,
                    menus_.TakeMenuBar(), context_.Module, this);
    // The design's size at the density of the monitor the window is on, in
    // the middle of it unless a saved placement follows.
    scale_ = TDpiScale(WindowDpi(window_));
    metrics_ = ScaledMetrics(kMainWindowDesign, scale_);
    logic_.SetMetrics(metrics_);
    const POINT origin = CentredOrigin(window_, metrics_.WindowWidth, metrics_.WindowHeight);
    SetWindowPos(window_, nullptr, origin.x, origin.y, metrics_.WindowWidth, metrics_.WindowHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    FormCreate();
}

TfrmMain::~TfrmMain()
{
    grid_.reset();
    toolBar_.reset();
    if (window_) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

void TfrmMain::FormCreate()
{
    toolBar_ = std::make_unique<TToolBar>(context_.Module, window_, idToolBar, metrics_);
    pnlTop_ = CreateWindowExA(WS_EX_STATICEDGE, "STATIC", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                              window_, reinterpret_cast<HMENU>(idPanel), nullptr, nullptr);
    lblTargetFolderLbl_ = Label(window_, idTargetLabel);
    lblFolderName_ = Label(window_, idFolderLabel);
    const int labelTop = metrics_.ToolBarHeight + metrics_.LabelTop;
    MoveWindow(lblTargetFolderLbl_, metrics_.LabelLeft, labelTop, 0, metrics_.LabelHeight, FALSE);
    MoveWindow(lblFolderName_, metrics_.FolderNameLeft, labelTop, 0, metrics_.LabelHeight, FALSE);
    CreateGrid();
    statusBar_ = std::make_unique<TStatusBar>(window_, idStatusBar, metrics_);
    menus_.SetEnabled(TMenuItem::FindNext, false);
    for (const TMenuItem item : {TMenuItem::ShowAllItems, TMenuItem::SortByDate, TMenuItem::Deccending})
        menus_.SetChecked(item, true);
    menus_.SetChecked(TMenuItem::NumberSameNames, context_.Settings.Save.NumberSameNames);
    menus_.SetChecked(TMenuItem::MailDateOnFiles, context_.Settings.Save.MailDateOnFiles);
    menus_.SetChecked(TMenuItem::ClassicRules, context_.Settings.ClassicRules);
    LayOut();
}

void TfrmMain::CreateGrid()
{
    grid_ = std::make_unique<TStringAlignGrid>(window_, idGrid, 7, 2);
    gridAccess_ = std::make_unique<TWin32ListGrid>(*grid_);
    list_ = std::make_unique<TListingController>(context_.Mails, context_.Settings.Listing,
                                                 context_.Language.MessageTable, grid_->Model(), *this,
                                                 SystemDigitGrouping());
    logic_.Attach(*gridAccess_, *list_);
    TGridModel& model = grid_->Model();
    for (int col = 0; col < kListColumnCount; ++col) model.SetColWidth(col, metrics_.ColumnWidths[col]);
    TGridDefaults defaults = model.Defaults();
    defaults.TextMargin = metrics_.CellTextMargin;
    model.SetDefaults(defaults);
    model.SetDefaultRowHeight(metrics_.RowHeight);
    grid_->SetHintOffset(metrics_.HintOffset);
    model.SetAlignment(TSetKey::ForFixedRow(0), TAlignment::Center);
    model.SetAlignment(TSetKey::ForFixedColumn(0), TAlignment::Center);
    model.SetAlignment(TSetKey::ForFixedColumn(1), TAlignment::Center);
    model.SetAlignment(TSetKey::ForColumn(colMark), TAlignment::Center);
    model.SetAlignment(TSetKey::ForColumn(colSize), TAlignment::Right);
    for (const int col : {colSubject, colFrom, colFileName}) model.SetOverflow(TSetKey::ForColumn(col), TOverflow::Ellipsis);
    model.SetBackground(TSetKey::ForColumn(colFileName), Rgb(248, 248, 255));
    grid_->SetPopupMenu(menus_.Popup(), window_);

    grid_->OnMouseDown = [this](TStringAlignGrid&, TMouseButton button, UINT, int x, int y) {
        Guarded([&] { GridMouseDown(button, x, y); });
    };
    grid_->OnDblClick = [this](TStringAlignGrid&) { Guarded([&] { logic_.JumpToMail(); }); };
    grid_->OnKeyPress = [this](TStringAlignGrid&, char& key) { Guarded([&] { GridKeyPress(key); }); };
    grid_->OnKeyboardPopup = [this](TStringAlignGrid&) { Guarded([&] { logic_.PopupKey(); }); };
    grid_->OnDrawCell = [this](TStringAlignGrid&, int col, int row, HDC dc, const RECT& rect, TGridDrawState) {
        Guarded([&] {
            logic_.CellDrawn();
            PaintFileIcon(*list_, col, row, dc, rect, metrics_.FileIconSize);
        });
    };
    grid_->OnShowHintCell = [this](TStringAlignGrid&, int col, int row, std::string& hint, bool& canShow,
                                   THintInfo& info) {
        const std::optional<std::string> text = list_->CellHint(col, row);
        canShow = text.has_value();
        if (text) hint = *text;
        info.HideTimeout = kListHintTime;
    };
    SetWindowSubclass(grid_->Handle(), &TfrmMain::KeyPreviewProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

void TfrmMain::LayOut()
{
    RECT client{};
    GetClientRect(window_, &client);
    const int width = client.right;
    MoveWindow(toolBar_->Handle(), 0, 0, width, metrics_.ToolBarHeight, TRUE);
    // Below its labels.
    SetWindowPos(pnlTop_, HWND_BOTTOM, 0, metrics_.ToolBarHeight, width, metrics_.PanelHeight, SWP_NOACTIVATE);
    statusBar_->ParentResized();
    RECT status{};
    GetWindowRect(statusBar_->Handle(), &status);
    const int gridTop = metrics_.ToolBarHeight + metrics_.PanelHeight;
    const int gridHeight = client.bottom - gridTop - (status.bottom - status.top);
    grid_->SetBounds(0, gridTop, width, gridHeight > 0 ? gridHeight : 0);
    // The folder name has the rest of its line.
    RECT name{};
    GetWindowRect(lblFolderName_, &name);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&name), 2);
    SetWindowPos(lblFolderName_, nullptr, 0, 0, std::max<int>(width - name.left, 0), name.bottom - name.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmMain::Guarded(const std::function<void()>& handler)
{
    // Nothing may unwind through the system's message dispatch.
    try {
        handler();
    } catch (const std::exception& error) {
        ShowMessageBox(window_, TMessageKind::Error, error.what(), context_.Language.PlugInTitle);
    } catch (...) {
        ShowMessageBox(window_, TMessageKind::Error, UnexpectedErrorText(context_.Language.LocaleID),
                       context_.Language.PlugInTitle);
    }
}

LRESULT CALLBACK TfrmMain::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* form = static_cast<TfrmMain*>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
        form->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<TfrmMain*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!form) return DefWindowProcA(window, message, wParam, lParam);
    return form->HandleMessage(message, wParam, lParam);
}

LRESULT CALLBACK TfrmMain::KeyPreviewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR data)
{
    // The window sees every key before the grid does.
    if ((message == WM_KEYDOWN || message == WM_SYSKEYDOWN) &&
        reinterpret_cast<TfrmMain*>(data)->PreviewKey(message, wParam))
        return 0;
    if (message == WM_NCDESTROY) RemoveWindowSubclass(window, &TfrmMain::KeyPreviewProc, 0);
    return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT TfrmMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        if (grid_) {
            LayOut();
            Guarded([&] { logic_.FitSubjectColumn(); });
        }
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) FormActivate();
        break;
    case WM_DPICHANGED:
        Guarded([&] { DpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); });
        return 0;
    case WM_TIMER:
        if (wParam == kScanTimer) {
            KillTimer(window_, kScanTimer);
            Guarded([&] { logic_.TimerTick(); });
        }
        return 0;
    case WM_COMMAND:
        if (lParam == 0 || reinterpret_cast<HWND>(lParam) == toolBar_->Handle())
            Guarded([&] { RunCommand(static_cast<TCommandId>(LOWORD(wParam))); });
        return 0;
    case WM_NOTIFY:
        if (toolBar_->Notify(*reinterpret_cast<const NMHDR*>(lParam))) return 0;
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (PreviewKey(message, wParam)) return 0;
        break;
    case WM_CTLCOLORSTATIC:
        if (reinterpret_cast<HWND>(lParam) == lblTargetFolderLbl_ || reinterpret_cast<HWND>(lParam) == lblFolderName_) {
            const HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, reinterpret_cast<HWND>(lParam) == lblTargetFolderLbl_ ? RGB(0, 128, 0) : folderNameColour_);
            SetBkMode(dc, TRANSPARENT);
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        break;
    case WM_SETCURSOR:
        if (busyCursor_) {
            SetCursor(LoadCursor(nullptr, IDC_WAIT));
            return TRUE;
        }
        break;
    case WM_CLOSE:
        Guarded([&] { logic_.CloseRequested(); });
        return 0;
    case WM_DESTROY:
        // Destroyed with its owner, the host's window: the last moment its
        // place can still be read.
        Close();
        break;
    case WM_NCDESTROY: {
        const HWND window = std::exchange(window_, nullptr);
        return DefWindowProcA(window, message, wParam, lParam);
    }
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

void TfrmMain::FormActivate()
{
    // Every activation restarts the timer; the scan itself runs once.
    SetTimer(window_, kScanTimer, kScanTimerInterval, nullptr);
}

void TfrmMain::ShowModal()
{
    EnableWindow(context_.HostWindow, FALSE);
    ShowWindow(window_, openMaximized_ ? SW_SHOWMAXIMIZED : SW_SHOW);
    SetForegroundWindow(window_);
    MSG message{};
    while (!closed_) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));  // for the host's own loop
            break;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    // Ended by the host's quit message: closed all the same, settings written.
    Close();
    // The owner comes back before the window goes, so that it becomes active.
    EnableWindow(context_.HostWindow, TRUE);
    ShowWindow(window_, SW_HIDE);
}

void TfrmMain::Close()
{
    if (closed_) return;
    FormClose();
    closed_ = true;
}

void TfrmMain::FormClose()
{
    context_.SettingsFile.WriteSettings(context_.Settings, context_.Language, OpenWindowState());
}

TOpenWindowState TfrmMain::OpenWindowState() const
{
    RECT shown{};
    GetWindowRect(window_, &shown);
    TOpenWindowState state;
    state.Maximized = IsZoomed(window_) != FALSE;
    // Maximised, the window keeps the place it is restored to, and the column
    // widths it will have there.
    const RECT frame = state.Maximized ? RestoredFrame(window_) : shown;
    state.Left = frame.left;
    state.Top = frame.top;
    state.Width = frame.right - frame.left;
    state.Height = frame.bottom - frame.top;
    const std::vector<int>& widths = grid_->Model().ColWidths();
    state.ColumnWidths.assign(widths.begin(), widths.end());
    if (state.Maximized)
        state.ColumnWidths = logic_.ColumnWidthsAtWidth(state.ColumnWidths, shown.right - shown.left, state.Width);
    return InDesignUnits(state, scale_);
}

void TfrmMain::SetBusyCursor(bool busy)
{
    busyCursor_ = busy;
    SetCursor(LoadCursor(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

void TfrmMain::RestorePlacement()
{
    const std::optional<TSavedPlacement> saved = SavedPlacement(context_.Settings, grid_->ColCount());
    if (!saved) {
        logic_.FitColumnsAfterScan();
        return;
    }
    // The monitor it was on may be gone, or the file edited by hand: a place
    // off every monitor comes onto the nearest.
    const std::vector<TScreenRect> workAreas = MonitorWorkAreas();
    const auto onScreen = [&](std::int32_t left, std::int32_t top, const TSavedPlacement& sized) {
        return PlaceOnWorkAreas({left, top, sized.Width, sized.Height}, workAreas, MinimumWindowSize());
    };
    const TScreenRect place = onScreen(saved->Left, saved->Top, AtDensity(*saved, scale_));
    // Onto the saved place first: a monitor of another density there changes
    // the window's, and the saved sizes are then shown at that one.
    SetWindowPos(window_, nullptr, place.Left, place.Top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const TSavedPlacement placement = AtDensity(*saved, scale_);
    const TScreenRect shown = onScreen(place.Left, place.Top, placement);
    MoveWindow(window_, shown.Left, shown.Top, shown.Width, shown.Height, TRUE);
    openMaximized_ = saved->Maximized;
    for (std::size_t col = 0; col < placement.ColumnWidths.size(); ++col)
        grid_->SetColWidth(static_cast<int>(col), placement.ColumnWidths[col]);
}

void TfrmMain::DpiChanged(int dpi, const RECT& suggested)
{
    const TDpiScale old = scale_;
    scale_ = TDpiScale(dpi);
    if (scale_ == old) return;
    metrics_ = ScaledMetrics(kMainWindowDesign, scale_);
    if (grid_) {
        // The columns keep the widths the user gave them, at the new density.
        TGridModel& model = grid_->Model();
        for (int col = 0; col < model.ColCount(); ++col)
            model.SetColWidth(col, scale_.From(model.ColWidth(col), old));
        ApplyMetrics();
    }
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmMain::ApplyMetrics()
{
    logic_.SetMetrics(metrics_);
    toolBar_->SetMetrics(metrics_);
    statusBar_->SetMetrics(metrics_);
    TGridModel& model = grid_->Model();
    TGridDefaults defaults = model.Defaults();
    defaults.TextMargin = metrics_.CellTextMargin;
    model.SetDefaults(defaults);
    model.SetDefaultRowHeight(metrics_.RowHeight);
    grid_->SetHintOffset(metrics_.HintOffset);
    const int labelTop = metrics_.ToolBarHeight + metrics_.LabelTop;
    MoveWindow(lblTargetFolderLbl_, metrics_.LabelLeft, labelTop, 0, metrics_.LabelHeight, FALSE);
    // Fonts in points come out in the new density's pixels; the labels follow their captions.
    ApplyLanguage(context_.Language, context_.Settings.Fonts, *this);
    LayOut();
}

void TfrmMain::SetFolderName(const std::string& name) { SetWindowTextA(lblFolderName_, name.c_str()); }

}  // namespace quillbox
