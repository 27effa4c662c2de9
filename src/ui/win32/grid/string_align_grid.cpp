#include "ui/win32/grid/string_align_grid.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "ui/grid/text_layout.h"

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

RECT ToRect(const TPixelRect& rect) { return {rect.Left, rect.Top, rect.Right, rect.Bottom}; }

UINT DrawTextFlags(const TTextLayout& layout)
{
    UINT flags = DT_NOPREFIX;
    switch (layout.Horizontal) {
    case THorizontal::Left: flags |= DT_LEFT; break;
    case THorizontal::Center: flags |= DT_CENTER; break;
    case THorizontal::Right: flags |= DT_RIGHT; break;
    }
    if (layout.SingleLine) flags |= DT_SINGLELINE | DT_VCENTER;
    if (layout.WordWrap) flags |= DT_WORDBREAK;
    if (layout.EndEllipsis) flags |= DT_END_ELLIPSIS;
    return flags;
}

void FillSolid(HDC dc, const RECT& rect, COLORREF color)
{
    SetDCBrushColor(dc, color);
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
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

int TStringAlignGrid::Col() const
{
    Sync();
    return view_.Col();
}

int TStringAlignGrid::Row() const
{
    Sync();
    return view_.Row();
}

TGridRect TStringAlignGrid::Selection() const
{
    Sync();
    return view_.Selection();
}

int TStringAlignGrid::TopRow() const
{
    Sync();
    return view_.TopRow();
}

TGridCoord TStringAlignGrid::MouseCoord(int x, int y) const
{
    Sync();
    return view_.CellAt(x, y);
}

TPixelRect TStringAlignGrid::CellRect(int col, int row) const
{
    Sync();
    return view_.CellRect(col, row);
}

int TStringAlignGrid::ClientWidth() const { return view_.ClientWidth(); }

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
    TGridView probe = view_;
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
        Scroll(view_.TopRow() - notches * WheelRows);
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
    case WM_KEYDOWN:
        if (KeyDown(wParam)) return 0;
        break;
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
    case WM_NCDESTROY: window_ = nullptr; break;
    default: break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

void TStringAlignGrid::VerticalScroll(WORD request)
{
    Sync();
    const int top = view_.TopRow();
    const int page = view_.VisibleRowCount();
    switch (request) {
    case SB_LINEUP: Scroll(top - 1); break;
    case SB_LINEDOWN: Scroll(top + 1); break;
    case SB_PAGEUP: Scroll(top - page); break;
    case SB_PAGEDOWN: Scroll(top + page); break;
    case SB_TOP: Scroll(model_.FixedRows()); break;
    case SB_BOTTOM: Scroll(view_.MaxTopRow()); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        // The 32-bit track position: the message's own is 16 bits.
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(window_, SB_VERT, &info);
        Scroll(info.nTrackPos);
        break;
    }
    default: break;
    }
}

bool TStringAlignGrid::KeyDown(WPARAM key)
{
    Sync();
    const bool extend = GetKeyState(VK_SHIFT) < 0;
    switch (key) {
    case VK_UP: Navigate(TNavKey::Up, extend); return true;
    case VK_DOWN: Navigate(TNavKey::Down, extend); return true;
    case VK_PRIOR: Navigate(TNavKey::PageUp, extend); return true;
    case VK_NEXT: Navigate(TNavKey::PageDown, extend); return true;
    case VK_HOME: Navigate(TNavKey::First, extend); return true;
    case VK_END: Navigate(TNavKey::Last, extend); return true;
    default: return false;
    }
}

void TStringAlignGrid::MouseDown(TMouseButton button, WPARAM keys, int x, int y)
{
    SetFocus(window_);
    Sync();
    if (button == TMouseButton::Left) {
        const int border = view_.ColumnBorderAt(x, y);
        const TGridCoord cell = view_.CellAt(x, y);
        if (border >= 0) {
            sizingCol_ = border;
            capture_.Begin(window_);
        } else if (cell.Col >= 0 && cell.Row >= model_.FixedRows()) {
            if (TryMoveTo(cell.Col, cell.Row, (keys & MK_SHIFT) != 0)) {
                selecting_ = true;
                capture_.Begin(window_);
            }
        }
    }
    if (OnMouseDown) OnMouseDown(*this, button, static_cast<UINT>(keys), x, y);
}

void TStringAlignGrid::MouseMove(int x, int y)
{
    Sync();
    if (sizingCol_ >= 0) {
        const int width = std::max(x - view_.ColumnLeft(sizingCol_), 0);
        if (width != model_.ColWidth(sizingCol_)) {
            model_.SetColWidth(sizingCol_, width);
            if (OnColWidthsChanged) OnColWidthsChanged(*this);
        }
        return;
    }
    if (selecting_) {
        // Dragging past the top or bottom edge scrolls one row at a time.
        int row = view_.CellAt(std::max(x, 0), std::max(y, 0)).Row;
        if (y < view_.RowTop(view_.TopRow())) row = view_.TopRow() - 1;
        if (row < 0) row = model_.RowCount() - 1;
        if (row != view_.Row()) TryMoveTo(view_.Col(), row, true);
        return;
    }
    TrackHint(x, y);
}

void TStringAlignGrid::MouseUp()
{
    capture_.End();
    sizingCol_ = -1;
    selecting_ = false;
}

void TStringAlignGrid::ContextMenu(int x, int y)
{
    if (!popupMenu_) return;
    if (x == -1 && y == -1) {  // from the keyboard: at the current cell
        const TPixelRect cell = CellRect(view_.Col(), view_.Row());
        POINT point{cell.Left, cell.Bottom};
        ClientToScreen(window_, &point);
        x = point.x;
        y = point.y;
    }
    ForgetHint();
    TrackPopupMenu(popupMenu_, TPM_LEFTALIGN | TPM_RIGHTBUTTON, x, y, 0,
                   commandTarget_ ? commandTarget_ : GetParent(window_), nullptr);
}

void TStringAlignGrid::TrackHint(int x, int y)
{
    if (!trackingLeave_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window_, 0};
        trackingLeave_ = TrackMouseEvent(&track) != 0;
    }
    const TGridCoord cell = view_.CellAt(x, y);
    if (cell == hintCell_) return;
    hintCell_ = cell;
    if (!model_.Contains(cell.Col, cell.Row)) {
        hint_->Hide();
        return;
    }
    const TPixelRect rect = view_.CellRect(cell.Col, cell.Row);
    POINT corner{rect.Left, rect.Bottom + 6};
    ClientToScreen(window_, &corner);
    std::string text;
    bool canShow = showHints_;
    THintInfo info{corner, hintTime_};
    if (OnShowHintCell) OnShowHintCell(*this, cell.Col, cell.Row, text, canShow, info);
    if (canShow && !text.empty()) {
        hint_->Show(ToRect(rect), text, info.Position, info.HideTimeout);
    } else {
        hint_->Hide();
    }
}

void TStringAlignGrid::ForgetHint()
{
    hintCell_ = {};
    if (hint_) hint_->Hide();
}

void TStringAlignGrid::Paint()
{
    Sync();
    repaintPending_ = false;
    TPaintScope paint(window_);
    RECT client;
    GetClientRect(window_, &client);
    if (client.right <= 0 || client.bottom <= 0) return;
    TBufferedSurface surface(paint.Dc(), client.right, client.bottom);
    const HDC dc = surface.Dc();
    FillSolid(dc, client, GetSysColor(COLOR_WINDOW));
    SetBkMode(dc, TRANSPARENT);

    int bottom = 0;
    const auto paintRow = [&](int row) {
        for (int col = 0; col < model_.ColCount(); ++col) PaintCell(dc, col, row);
        bottom = view_.RowTop(row) + model_.DefaultRowHeight() + TGridView::LineWidth;
    };
    for (int row = 0; row < model_.FixedRows(); ++row) paintRow(row);
    for (int row = view_.FirstVisibleRow(); row <= view_.LastVisibleRow(); ++row) paintRow(row);
    PaintGridLines(dc, bottom);
    PaintFocus(dc);

    BitBlt(paint.Dc(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
}

void TStringAlignGrid::PaintCell(HDC dc, int col, int row)
{
    const TPixelRect cell = view_.CellRect(col, row);
    if (cell.IsEmpty()) return;
    const RECT rect = ToRect(cell);
    const TCellFormat format = model_.Resolve(col, row);
    TGridDrawState state;
    state.Fixed = model_.IsFixed(col, row);
    state.Selected = !state.Fixed && view_.IsSelected(col, row);
    state.Focused = GetFocus() == window_ && col == view_.Col() && row == view_.Row();

    FillSolid(dc, rect, state.Selected ? GetSysColor(COLOR_HIGHLIGHT) : format.Background);
    if (state.Fixed) {
        RECT edge = rect;
        DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
    }
    const std::string& text = model_.Cell(col, row);
    if (!text.empty()) {
        TSelection font(dc, fonts_.Get(format.Font));
        SetTextColor(dc, state.Selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : format.Font.Color);
        const TTextLayout layout = LayoutCellText(cell, format);
        RECT box = ToRect(layout.Box);
        DrawTextA(dc, text.data(), static_cast<int>(text.size()), &box, DrawTextFlags(layout));
    }
    if (OnDrawCell) OnDrawCell(*this, col, row, dc, rect, state);
}

void TStringAlignGrid::PaintGridLines(HDC dc, int bottom) const
{
    const COLORREF lineColor = GetSysColor(COLOR_3DSHADOW);
    int right = 0;
    for (int col = 0; col < model_.ColCount(); ++col) {
        const int x = view_.ColumnLeft(col) + model_.ColWidth(col);
        FillSolid(dc, RECT{x, 0, x + TGridView::LineWidth, bottom}, lineColor);
        right = x + TGridView::LineWidth;
    }
    const auto horizontal = [&](int row) {
        const int y = view_.RowTop(row) + model_.DefaultRowHeight();
        FillSolid(dc, RECT{0, y, right, y + TGridView::LineWidth}, lineColor);
    };
    for (int row = 0; row < model_.FixedRows(); ++row) horizontal(row);
    for (int row = view_.FirstVisibleRow(); row <= view_.LastVisibleRow(); ++row) horizontal(row);
}

void TStringAlignGrid::PaintFocus(HDC dc) const
{
    if (GetFocus() != window_) return;
    const int row = view_.Row();
    if (row < view_.FirstVisibleRow() || row > view_.LastVisibleRow()) return;
    const TGridRect selection = view_.Selection();
    const TPixelRect first = view_.CellRect(selection.Left, row);
    const TPixelRect last = view_.CellRect(selection.Right, row);
    const RECT focus{first.Left, first.Top, last.Right, last.Bottom};
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &focus);
}

}  // namespace quillbox
