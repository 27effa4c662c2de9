// Scrolling, keys, mouse presses and drags, the context menu and cell hints.
#include "ui/win32/grid/string_align_grid.h"

#include <algorithm>

#include "ui/win32/grid/pixel_rect.h"

namespace quillbox {

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
        } else if (cell.Col >= model_.FixedCols() && cell.Row >= model_.FixedRows()) {
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
        if (OnKeyboardPopup) OnKeyboardPopup(*this);
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
    POINT corner{rect.Left, rect.Bottom + hintOffset_};
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

}  // namespace quillbox
