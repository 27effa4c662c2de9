#include "ui/win32/grid/string_align_grid.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

namespace quillbox {

namespace {

constexpr char ClassName[] = "QuillboxStringAlignGrid";

HINSTANCE ThisModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&ThisModule), &module);
    return module;
}

void RegisterGridClass(WNDPROC proc)
{
    // Once per module: the class lives as long as the module that registered it.
    static const bool registered = [proc] {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = proc;
        windowClass.hInstance = ThisModule();
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.lpszClassName = ClassName;
        return RegisterClassExA(&windowClass) != 0;
    }();
    (void)registered;
}

}  // namespace

TStringAlignGrid::TStringAlignGrid(HWND parent, int controlId, int colCount, int rowCount)
    : model_(colCount, rowCount), view_(model_)
{
    TGridDefaults defaults;
    defaults.Font = SystemFontSpec();
    defaults.FixedFont = defaults.Font;
    defaults.Color = GetSysColor(COLOR_WINDOW);
    defaults.FixedColor = GetSysColor(COLOR_BTNFACE);
    model_.SetDefaults(defaults);
    model_.SetChangedHandler([this] { ModelChanged(); });

    RegisterGridClass(&TStringAlignGrid::WindowProc);
    window_ = CreateWindowExA(WS_EX_CLIENTEDGE, ClassName, "",
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_CLIPSIBLINGS,
                              0, 0, 100, 100, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                              ThisModule(), this);
    hint_ = std::make_unique<TCellHint>(window_);
}

TStringAlignGrid::~TStringAlignGrid()
{
    hint_.reset();
    if (window_) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

LRESULT CALLBACK TStringAlignGrid::WindowProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        auto* grid = static_cast<TStringAlignGrid*>(create->lpCreateParams);
        grid->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(grid));
    }
    auto* grid = reinterpret_cast<TStringAlignGrid*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!grid) return DefWindowProcA(window, message, wParam, lParam);
    return grid->HandleMessage(message, wParam, lParam);
}

void TStringAlignGrid::SetBounds(int left, int top, int width, int height)
{
    MoveWindow(window_, left, top, width, height, TRUE);
}

void TStringAlignGrid::SetPopupMenu(HMENU menu, HWND commandTarget)
{
    popupMenu_ = menu;
    commandTarget_ = commandTarget;
}

// Filling a grid changes it row by row: the layout is brought up to date
// once, when it is next needed, and one repaint is asked for.
void TStringAlignGrid::ModelChanged()
{
    layoutDirty_ = true;
    if (!repaintPending_ && window_) {
        repaintPending_ = true;
        InvalidateRect(window_, nullptr, FALSE);
    }
}

void TStringAlignGrid::Sync() const
{
    if (!layoutDirty_) return;
    layoutDirty_ = false;
    view_.Normalise();
    UpdateScrollBar();
}

void TStringAlignGrid::UpdateScrollBar() const
{
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = model_.FixedRows();
    info.nMax = model_.RowCount() - 1;
    info.nPage = static_cast<UINT>(view_.VisibleRowCount());
    info.nPos = view_.TopRow();
    SetScrollInfo(window_, SB_VERT, &info, TRUE);
}

int TStringAlignGrid::Col() const { return Synced().Col(); }

int TStringAlignGrid::Row() const { return Synced().Row(); }

TGridRect TStringAlignGrid::Selection() const { return Synced().Selection(); }

int TStringAlignGrid::TopRow() const { return Synced().TopRow(); }

TGridCoord TStringAlignGrid::MouseCoord(int x, int y) const { return Synced().CellAt(x, y); }

TPixelRect TStringAlignGrid::CellRect(int col, int row) const { return Synced().CellRect(col, row); }

int TStringAlignGrid::ClientWidth() const { return view_.ClientWidth(); }

int TStringAlignGrid::TextWidth(int col, int row, const std::string& text) const
{
    const TWindowDc dc(window_);
    const TSelection font(dc.Get(), fonts_.Get(model_.Resolve(col, row).Font));
    SIZE size{};
    GetTextExtentPoint32A(dc.Get(), text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
}

void TStringAlignGrid::MoveTo(int col, int row)
{
    Sync();
    TryMoveTo(col, row, false);
}

void TStringAlignGrid::SetSelection(const TGridRect& rect)
{
    Sync();
    view_.SetSelection(rect);
    UpdateScrollBar();
    InvalidateRect(window_, nullptr, FALSE);
}

void TStringAlignGrid::SetTopRow(int row)
{
    Sync();
    Scroll(row);
}

void TStringAlignGrid::Scroll(int topRow)
{
    if (!view_.SetTopRow(topRow)) return;
    UpdateScrollBar();
    ForgetHint();
    InvalidateRect(window_, nullptr, FALSE);
}

bool TStringAlignGrid::TryMoveTo(int col, int row, bool extend)
{
    bool canSelect = true;
    if (OnSelectCell) OnSelectCell(*this, col, row, canSelect);
    if (!canSelect) return false;
    const int oldTop = view_.TopRow();
    view_.MoveTo(col, row, extend);
    if (view_.TopRow() != oldTop) {
        UpdateScrollBar();
        ForgetHint();
    }
    InvalidateRect(window_, nullptr, FALSE);
    return true;
}

void TStringAlignGrid::Navigate(TNavKey key, bool extend)
{
    TGridScroll probe = view_;
    probe.Navigate(key, extend);
    TryMoveTo(probe.Col(), probe.Row(), extend);
}

LRESULT TStringAlignGrid::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: Paint(); return 0;
    case WM_ERASEBKGND: return 1;  // the paint covers everything
    case WM_SIZE:
        view_.SetClientSize(LOWORD(lParam), HIWORD(lParam));
        UpdateScrollBar();
        InvalidateRect(window_, nullptr, FALSE);
        return 0;
    case WM_VSCROLL: VerticalScroll(LOWORD(wParam)); return 0;
    case WM_MOUSEWHEEL: {
        Sync();
        const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
        Scroll(view_.TopRow() - notches * kWheelRows);
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        hint_->Relay(message, wParam, lParam);
        MouseDown(TMouseButton::Left, wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        if (message == WM_LBUTTONDBLCLK && OnDblClick) OnDblClick(*this);
        return 0;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        hint_->Relay(message, wParam, lParam);
        MouseDown(message == WM_RBUTTONDOWN ? TMouseButton::Right : TMouseButton::Middle, wParam,
                  GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_MOUSEMOVE:
        // The tip learns of the move once it knows the cell's area.
        MouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        hint_->Relay(message, wParam, lParam);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        hint_->Relay(message, wParam, lParam);
        if (message == WM_LBUTTONUP) MouseUp();
        break;  // a right release goes on to become WM_CONTEXTMENU
    case WM_CAPTURECHANGED:
        sizingCol_ = -1;
        selecting_ = false;
        return 0;
    case WM_MOUSELEAVE:
        trackingLeave_ = false;
        ForgetHint();
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT) {
            POINT point;
            GetCursorPos(&point);
            ScreenToClient(window_, &point);
            Sync();
            if (view_.ColumnBorderAt(point.x, point.y) >= 0) {
                SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
                return TRUE;
            }
        }
        break;
    case WM_CONTEXTMENU: ContextMenu(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    // The context-menu key opens the pop-up when it comes up, Shift+F10 when
    // it goes down; neither goes on, so the system shows no second pop-up and
    // F10 does not open the menu bar as well.
    case WM_KEYDOWN:
        if (wParam == VK_APPS) return 0;
        if (KeyDown(wParam)) return 0;
        break;
    case WM_KEYUP:
        if (wParam != VK_APPS) break;
        ContextMenu(-1, -1);
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam != VK_F10 || GetKeyState(VK_SHIFT) >= 0) break;
        ContextMenu(-1, -1);
        return 0;
    case WM_CHAR:
        if (OnKeyPress) {
            char key = static_cast<char>(wParam);
            OnKeyPress(*this, key);
        }
        return 0;
    case WM_SETFOCUS: InvalidateRect(window_, nullptr, FALSE); return 0;
    case WM_KILLFOCUS:
        InvalidateRect(window_, nullptr, FALSE);
        if (OnExit) OnExit(*this);
        return 0;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (hint_ && hint_->HandleNotify(*reinterpret_cast<const NMHDR*>(lParam), result)) {
            return result;
        }
        break;
    }
    // The font of cells without one of their own, for whoever measures them.
    case WM_GETFONT: return reinterpret_cast<LRESULT>(fonts_.Get(model_.Defaults().Font));
    case WM_NCDESTROY: window_ = nullptr; break;
    default: break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

}  // namespace quillbox
