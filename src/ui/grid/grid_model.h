// The data of the list grid: cell texts, column widths and the formatting sets
// of cells, columns, rows, fixed columns and fixed rows, with the lookup that
// turns them into the format a cell is painted with.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "ui/grid/grid_format.h"

namespace quillbox {

// Which formatting set: the cell (Col, Row), column Col, fixed column Col,
// row Row or fixed row Row. Fixed cells consult the fixed sets in place of
// the column and row sets.
enum class TSetScope { Cell, Column, FixedColumn, Row, FixedRow };

struct TSetKey {
    TSetScope Scope;
    int Col = 0;
    int Row = 0;

    static TSetKey ForCell(int col, int row) { return {TSetScope::Cell, col, row}; }
    static TSetKey ForColumn(int col) { return {TSetScope::Column, col, 0}; }
    static TSetKey ForFixedColumn(int col) { return {TSetScope::FixedColumn, col, 0}; }
    static TSetKey ForRow(int row) { return {TSetScope::Row, 0, row}; }
    static TSetKey ForFixedRow(int row) { return {TSetScope::FixedRow, 0, row}; }
};

// What applies where no set says otherwise.
struct TGridDefaults {
    bool WordWrap = false;
    TFontRequest Font;
    TFontRequest FixedFont;
    TColor Color = Rgb(255, 255, 255);
    TColor FixedColor = Rgb(240, 240, 240);
    // Pixels between a cell's edges and its text.
    int TextMargin = 2;
};

class TGridModel {
public:
    TGridModel(int colCount, int rowCount, int fixedCols = 1, int fixedRows = 1);

    int ColCount() const { return colCount_; }
    int RowCount() const { return rowCount_; }
    int FixedCols() const { return fixedCols_; }
    int FixedRows() const { return fixedRows_; }
    // Texts and sets of the rows and columns that remain are kept.
    void SetRowCount(int count);
    void SetColCount(int count);
    bool IsFixed(int col, int row) const { return col < fixedCols_ || row < fixedRows_; }
    bool Contains(int col, int row) const
    {
        return col >= 0 && row >= 0 && col < colCount_ && row < rowCount_;
    }

    // Both throw std::out_of_range outside the grid.
    const std::string& Cell(int col, int row) const;
    void SetCell(int col, int row, std::string_view text);

    int ColWidth(int col) const { return widths_.at(col); }
    void SetColWidth(int col, int width);
    const std::vector<int>& ColWidths() const { return widths_; }
    int DefaultRowHeight() const { return rowHeight_; }
    void SetDefaultRowHeight(int height);

    const TGridDefaults& Defaults() const { return defaults_; }
    void SetDefaults(TGridDefaults defaults);

    // An absent set reads as empty. Throws std::out_of_range for an index
    // outside the grid.
    TFormatSet FormatSet(const TSetKey& key) const;
    void SetFormatSet(const TSetKey& key, TFormatSet set);

    void SetBackground(const TSetKey& key, TColor color);
    void SetAlignment(const TSetKey& key, TAlignment alignment);
    void SetOverflow(const TSetKey& key, TOverflow overflow);
    // The set's font; a set without one starts from the grid font (the
    // fixed font for the fixed sets).
    TFontRequest Font(const TSetKey& key) const;
    void SetFont(const TSetKey& key, TFontRequest font);

    // Cell set, then column (fixed column), then row (fixed row), then the
    // grid default, item by item.
    TCellFormat Resolve(int col, int row) const;

    // Called after every change, so that a view can repaint.
    void SetChangedHandler(std::function<void()> handler) { changed_ = std::move(handler); }

private:
    void CheckCell(int col, int row) const;
    void CheckKey(const TSetKey& key) const;
    std::uint64_t CellKey(int col, int row) const
    {
        return (static_cast<std::uint64_t>(row) << 32) | static_cast<std::uint32_t>(col);
    }
    void Changed() const
    {
        if (changed_) changed_();
    }
    template <class Edit>
    void EditSet(const TSetKey& key, Edit edit);

    int colCount_;
    int rowCount_;
    int fixedCols_;
    int fixedRows_;
    int rowHeight_ = 19;
    std::vector<std::string> texts_;  // row-major
    std::vector<int> widths_;
    TGridDefaults defaults_;
    std::unordered_map<std::uint64_t, TFormatSet> cellSets_;
    std::vector<TFormatSet> columnSets_;
    std::vector<TFormatSet> fixedColumnSets_;
    std::vector<TFormatSet> rowSets_;
    std::unordered_map<int, TFormatSet> fixedRowSets_;
    std::function<void()> changed_;
};

}  // namespace quillbox
