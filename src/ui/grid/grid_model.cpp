#include "ui/grid/grid_model.h"

#include <algorithm>
#include <stdexcept>

namespace quillbox {

namespace {

constexpr int kDefaultColWidth = 64;

template <class T>
void Pick(T& result, const T& item, const T& notSet, bool& found)
{
    if (!found && item != notSet) {
        result = item;
        found = true;
    }
}

}  // namespace

TGridModel::TGridModel(int colCount, int rowCount, int fixedCols, int fixedRows)
    : colCount_(std::max(colCount, 1)),
      rowCount_(std::max(rowCount, 1)),
      fixedCols_(std::clamp(fixedCols, 0, colCount_ - 1)),
      fixedRows_(std::clamp(fixedRows, 0, rowCount_ - 1)),
      texts_(static_cast<std::size_t>(colCount_) * rowCount_),
      widths_(colCount_, kDefaultColWidth),
      columnSets_(colCount_),
      fixedColumnSets_(colCount_),
      rowSets_(rowCount_)
{
    defaults_.FixedFont = defaults_.Font;
}

void TGridModel::SetRowCount(int count)
{
    // A grid always has one row below its fixed rows.
    count = std::max(count, fixedRows_ + 1);
    if (count == rowCount_) return;
    texts_.resize(static_cast<std::size_t>(colCount_) * count);
    rowSets_.resize(count);
    if (count < rowCount_) {
        std::erase_if(cellSets_, [count](const auto& entry) {
            return static_cast<int>(entry.first >> 32) >= count;
        });
        std::erase_if(fixedRowSets_, [count](const auto& entry) { return entry.first >= count; });
    }
    rowCount_ = count;
    Changed();
}

void TGridModel::SetColCount(int count)
{
    count = std::max(count, fixedCols_ + 1);
    if (count == colCount_) return;
    std::vector<std::string> texts(static_cast<std::size_t>(count) * rowCount_);
    const int kept = std::min(count, colCount_);
    for (int row = 0; row < rowCount_; ++row) {
        for (int col = 0; col < kept; ++col) {
            texts[static_cast<std::size_t>(row) * count + col] =
                std::move(texts_[static_cast<std::size_t>(row) * colCount_ + col]);
        }
    }
    texts_ = std::move(texts);
    widths_.resize(count, kDefaultColWidth);
    columnSets_.resize(count);
    fixedColumnSets_.resize(count);
    std::erase_if(cellSets_, [count](const auto& entry) {
        return static_cast<int>(entry.first & 0xFFFFFFFFu) >= count;
    });
    colCount_ = count;
    Changed();
}

void TGridModel::CheckCell(int col, int row) const
{
    if (!Contains(col, row)) throw std::out_of_range("grid cell outside the grid");
}

const std::string& TGridModel::Cell(int col, int row) const
{
    CheckCell(col, row);
    return texts_[static_cast<std::size_t>(row) * colCount_ + col];
}

void TGridModel::SetCell(int col, int row, std::string_view text)
{
    CheckCell(col, row);
    auto& cell = texts_[static_cast<std::size_t>(row) * colCount_ + col];
    if (cell == text) return;
    cell.assign(text);
    Changed();
}

void TGridModel::SetColWidth(int col, int width)
{
    auto& current = widths_.at(col);
    width = std::max(width, 0);
    if (current == width) return;
    current = width;
    Changed();
}

void TGridModel::SetDefaultRowHeight(int height)
{
    rowHeight_ = std::max(height, 1);
    Changed();
}

void TGridModel::SetDefaults(TGridDefaults defaults)
{
    defaults_ = std::move(defaults);
    Changed();
}

void TGridModel::CheckKey(const TSetKey& key) const
{
    switch (key.Scope) {
    case TSetScope::Cell: CheckCell(key.Col, key.Row); return;
    case TSetScope::Column:
    case TSetScope::FixedColumn: CheckCell(key.Col, 0); return;
    case TSetScope::Row:
    case TSetScope::FixedRow: CheckCell(0, key.Row); return;
    }
}

TFormatSet TGridModel::FormatSet(const TSetKey& key) const
{
    CheckKey(key);
    switch (key.Scope) {
    case TSetScope::Cell: {
        const auto found = cellSets_.find(CellKey(key.Col, key.Row));
        return found == cellSets_.end() ? TFormatSet{} : found->second;
    }
    case TSetScope::Column: return columnSets_[key.Col];
    case TSetScope::FixedColumn: return fixedColumnSets_[key.Col];
    case TSetScope::Row: return rowSets_[key.Row];
    case TSetScope::FixedRow: {
        const auto found = fixedRowSets_.find(key.Row);
        return found == fixedRowSets_.end() ? TFormatSet{} : found->second;
    }
    }
    return {};
}

template <class Edit>
void TGridModel::EditSet(const TSetKey& key, Edit edit)
{
    CheckKey(key);
    switch (key.Scope) {
    case TSetScope::Cell: {
        auto& set = cellSets_[CellKey(key.Col, key.Row)];
        edit(set);
        if (set.IsEmpty()) cellSets_.erase(CellKey(key.Col, key.Row));
        break;
    }
    case TSetScope::Column: edit(columnSets_[key.Col]); break;
    case TSetScope::FixedColumn: edit(fixedColumnSets_[key.Col]); break;
    case TSetScope::Row: edit(rowSets_[key.Row]); break;
    case TSetScope::FixedRow: {
        auto& set = fixedRowSets_[key.Row];
        edit(set);
        if (set.IsEmpty()) fixedRowSets_.erase(key.Row);
        break;
    }
    }
    Changed();
}

void TGridModel::SetFormatSet(const TSetKey& key, TFormatSet set)
{
    EditSet(key, [&set](TFormatSet& target) { target = std::move(set); });
}

void TGridModel::SetBackground(const TSetKey& key, TColor color)
{
    EditSet(key, [color](TFormatSet& set) { set.Background = color; });
}

void TGridModel::SetAlignment(const TSetKey& key, TAlignment alignment)
{
    EditSet(key, [alignment](TFormatSet& set) { set.Alignment = alignment; });
}

void TGridModel::SetOverflow(const TSetKey& key, TOverflow overflow)
{
    EditSet(key, [overflow](TFormatSet& set) { set.Overflow = overflow; });
}

TFontRequest TGridModel::Font(const TSetKey& key) const
{
    const auto set = FormatSet(key);
    if (set.Font) return *set.Font;
    const bool fixedScope = key.Scope == TSetScope::FixedColumn ||
                            key.Scope == TSetScope::FixedRow ||
                            (key.Scope == TSetScope::Cell && IsFixed(key.Col, key.Row));
    return fixedScope ? defaults_.FixedFont : defaults_.Font;
}

void TGridModel::SetFont(const TSetKey& key, TFontRequest font)
{
    EditSet(key, [&font](TFormatSet& set) { set.Font = std::move(font); });
}

TCellFormat TGridModel::Resolve(int col, int row) const
{
    CheckCell(col, row);
    const bool fixed = IsFixed(col, row);
    const TFormatSet sets[] = {
        FormatSet(TSetKey::ForCell(col, row)),
        FormatSet(fixed ? TSetKey::ForFixedColumn(col) : TSetKey::ForColumn(col)),
        FormatSet(fixed ? TSetKey::ForFixedRow(row) : TSetKey::ForRow(row)),
    };

    TCellFormat format;
    bool hasAlignment = false, hasOverflow = false, hasFont = false, hasBackground = false;
    for (const auto& set : sets) {
        Pick(format.Alignment, set.Alignment, TAlignment::NotSet, hasAlignment);
        Pick(format.Overflow, set.Overflow, TOverflow::NotSet, hasOverflow);
        if (!hasFont && set.Font) {
            format.Font = *set.Font;
            hasFont = true;
        }
        if (!hasBackground && set.Background) {
            format.Background = *set.Background;
            hasBackground = true;
        }
    }
    if (!hasAlignment) format.Alignment = TAlignment::Left;
    if (!hasOverflow) format.Overflow = defaults_.WordWrap ? TOverflow::WordWrap : TOverflow::Clip;
    if (!hasFont) format.Font = fixed ? defaults_.FixedFont : defaults_.Font;
    if (!hasBackground) format.Background = fixed ? defaults_.FixedColor : defaults_.Color;
    return format;
}

}  // namespace quillbox
