// The list grid control: a virtual grid that paints only the rows in view,
// drawing every cell with the format its model resolves.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "ui/grid/grid_model.h"
#include "ui/grid/grid_scroll.h"
#include "ui/win32/grid/cell_hint.h"
#include "ui/win32/grid/font_cache.h"
#include "ui/win32/grid/gdi_objects.h"

namespace quillbox {

struct TGridDrawState {
    bool Selected = false;
    bool Focused = false;  // the current cell of a grid that has the focus
    bool Fixed = false;
};

struct THintInfo {
    POINT Position{};     // screen position of the tip's top-left corner
    int HideTimeout = 0;  // milliseconds the tip stays
};

enum class TMouseButton { Left, Right, Middle };

class TStringAlignGrid {
public:
    static constexpr int kDefaultHintTime = 2500;
    static constexpr int kWheelRows = 3;

    TStringAlignGrid(HWND parent, int controlId, int colCount, int rowCount);
    ~TStringAlignGrid();
    TStringAlignGrid(const TStringAlignGrid&) = delete;
    TStringAlignGrid& operator=(const TStringAlignGrid&) = delete;

    HWND Handle() const { return window_; }
    void SetBounds(int left, int top, int width, int height);
    void Focus() { SetFocus(window_); }
    void SetEnabled(bool enabled) { EnableWindow(window_, enabled); }

    // Texts, widths and formats; every change repaints.
    TGridModel& Model() { return model_; }
    const TGridModel& Model() const { return model_; }
    const std::string& Cells(int col, int row) const { return model_.Cell(col, row); }
    void SetCells(int col, int row, std::string_view text) { model_.SetCell(col, row, text); }
    int RowCount() const { return model_.RowCount(); }
    void SetRowCount(int count) { model_.SetRowCount(count); }
    int ColCount() const { return model_.ColCount(); }
    int ColWidth(int col) const { return model_.ColWidth(col); }
    void SetColWidth(int col, int width) { model_.SetColWidth(col, width); }

    // Current cell, selection, top row and client size, brought up to date.
    const TGridScroll& Scroll() const { return Synced(); }
    int Col() const;
    int Row() const;
    // Makes a cell current and selects its row, as a click would.
    void MoveTo(int col, int row);
    TGridRect Selection() const;
    void SetSelection(const TGridRect& rect);
    int TopRow() const;
    void SetTopRow(int row);
    TGridCoord MouseCoord(int x, int y) const;
    TPixelRect CellRect(int col, int row) const;
    int ClientWidth() const;

    // Width in pixels of a text in the font of cell (col, row).
    int TextWidth(int col, int row, const std::string& text) const;

    void SetHintTime(int milliseconds) { hintTime_ = milliseconds; }
    // How far below its cell a hint appears.
    void SetHintOffset(int pixels) { hintOffset_ = pixels; }
    void SetShowHints(bool show) { showHints_ = show; }
    // Shown on a right click; its commands go to commandTarget as WM_COMMAND.
    void SetPopupMenu(HMENU menu, HWND commandTarget);

    std::function<void(TStringAlignGrid&, int col, int row, HDC dc, const RECT& rect,
                       TGridDrawState state)>
        OnDrawCell;
    std::function<void(TStringAlignGrid&, int col, int row, std::string& hint, bool& canShow,
                       THintInfo& info)>
        OnShowHintCell;
    std::function<void(TStringAlignGrid&, int col, int row, bool& canSelect)> OnSelectCell;
    std::function<void(TStringAlignGrid&)> OnColWidthsChanged;
    std::function<void(TStringAlignGrid&)> OnExit;
    std::function<void(TStringAlignGrid&)> OnDblClick;
    std::function<void(TStringAlignGrid&, char& key)> OnKeyPress;
    std::function<void(TStringAlignGrid&, TMouseButton button, UINT keys, int x, int y)>
        OnMouseDown;
    // The pop-up asked for from the keyboard, just before it shows at the
    // current cell.
    std::function<void(TStringAlignGrid&)> OnKeyboardPopup;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void ModelChanged();
    void Sync() const;
    // The view with the layout brought up to date.
    const TGridScroll& Synced() const
    {
        Sync();
        return view_;
    }
    void UpdateScrollBar() const;
    void Scroll(int topRow);
    bool TryMoveTo(int col, int row, bool extend);
    void Navigate(TNavKey key, bool extend);

    void Paint();
    void PaintCell(HDC dc, int col, int row);
    void PaintGridLines(HDC dc, int bottom) const;
    void PaintFocus(HDC dc) const;

    void MouseDown(TMouseButton button, WPARAM keys, int x, int y);
    void MouseMove(int x, int y);
    void MouseUp();
    void VerticalScroll(WORD request);
    bool KeyDown(WPARAM key);
    void ContextMenu(int x, int y);
    void TrackHint(int x, int y);
    void ForgetHint();

    TGridModel model_;
    mutable TGridScroll view_;
    HWND window_ = nullptr;
    std::unique_ptr<TCellHint> hint_;
    mutable TFontCache fonts_;
    TMouseCapture capture_;
    mutable bool layoutDirty_ = true;
    bool repaintPending_ = false;
    int sizingCol_ = -1;
    bool selecting_ = false;
    bool trackingLeave_ = false;
    TGridCoord hintCell_;
    int hintTime_ = kDefaultHintTime;
    int hintOffset_ = 6;
    bool showHints_ = true;
    HMENU popupMenu_ = nullptr;
    HWND commandTarget_ = nullptr;
};

}  // namespace quillbox
