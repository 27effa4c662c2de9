// Painting: the fixed rows and the rows in view, into an off-screen surface.
#include "ui/win32/grid/string_align_grid.h"

#include "ui/grid/text_layout.h"
#include "ui/win32/grid/pixel_rect.h"

namespace quillbox {

namespace {

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
        bottom = view_.RowTop(row) + model_.DefaultRowHeight() + TGridScroll::kLineWidth;
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
        const TTextLayout layout = LayoutCellText(cell, format, model_.Defaults().TextMargin);
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
        FillSolid(dc, RECT{x, 0, x + TGridScroll::kLineWidth, bottom}, lineColor);
        right = x + TGridScroll::kLineWidth;
    }
    const auto horizontal = [&](int row) {
        const int y = view_.RowTop(row) + model_.DefaultRowHeight();
        FillSolid(dc, RECT{0, y, right, y + TGridScroll::kLineWidth}, lineColor);
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
