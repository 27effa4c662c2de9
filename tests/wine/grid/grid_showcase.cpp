// Shows the list grid with 99,999 rows and the list window's formatting, then
// walks through a scripted session. Between steps it prints where the checker
// should look and waits until the checker has taken its screenshot:
//   probe NAME X Y      screen pixel inside a cell, clear of any text
//   box NAME L T R B    screen rectangle (right and bottom excluded)
//   ready STEP          the screen is ready; waits for the file go-STEP
// Any line starting with "fail" makes the checker fail.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "ui/grid/grid_model.h"
#include "catalogue/icons/icon_list.h"
#include "catalogue/icons/win32/shell_icon_source.h"
#include "ui/win32/grid/string_align_grid.h"

using namespace quillbox;

namespace {

constexpr int DataRows = 99999;
constexpr int FileNameCol = 5;
constexpr TColor MarkedColor = Rgb(255, 238, 238);
constexpr TColor FileNameColor = Rgb(248, 248, 255);
constexpr TColor HtmlColor = Rgb(255, 255, 221);
const char* const Extensions[] = {"exe", "txt", "pdf", "zip"};

bool IsMarked(int row) { return row % 4 == 2 || row % 4 == 3 || row == DataRows - 1; }
bool IsHtml(int row) { return row % 4 == 3; }

struct TShowcase {
    HWND frame = nullptr;
    std::unique_ptr<TStringAlignGrid> grid;
    TIconList icons{std::make_unique<TShellIconSource>(), TCodePage(GetACP())};
    std::string handshake;
    std::string lastHint;
    int hintCalls = 0;

    void Fill()
    {
        auto& model = grid->Model();
        const int widths[] = {40, 29, 64, 190, 118, 154, 66};
        for (int col = 0; col < 7; ++col) model.SetColWidth(col, widths[col]);
        model.SetAlignment(TSetKey::ForFixedRow(0), TAlignment::Center);
        model.SetAlignment(TSetKey::ForFixedColumn(0), TAlignment::Center);
        model.SetAlignment(TSetKey::ForFixedColumn(1), TAlignment::Center);
        model.SetAlignment(TSetKey::ForColumn(1), TAlignment::Center);
        model.SetAlignment(TSetKey::ForColumn(6), TAlignment::Right);
        for (int col : {3, 4, 5}) model.SetOverflow(TSetKey::ForColumn(col), TOverflow::Ellipsis);
        model.SetBackground(TSetKey::ForColumn(FileNameCol), FileNameColor);

        const char* const headers[] = {"No.", "*", "Date", "Subject", "From", "File", "Size"};
        for (int col = 0; col < 7; ++col) grid->SetCells(col, 0, headers[col]);
        grid->SetRowCount(DataRows + 1);
        for (int row = 1; row <= DataRows; ++row) {
            grid->SetCells(0, row, std::to_string(row));
            grid->SetCells(2, row, "12/08");
            grid->SetCells(3, row, row % 4 == 0 ? "A subject far too long to fit into its column"
                                                : "Re: plans & notes");
            grid->SetCells(4, row, "sender@example.com");
            grid->SetCells(FileNameCol, row, "     a&b." + std::string(Extensions[row % 4]));
            grid->SetCells(6, row, "1,234");
            if (IsMarked(row)) {
                grid->SetCells(1, row, "*");
                model.SetBackground(TSetKey::ForRow(row), MarkedColor);
            }
            if (IsHtml(row)) model.SetBackground(TSetKey::ForCell(FileNameCol, row), HtmlColor);
        }
    }

    void DrawCell(int col, int row, HDC dc, const RECT& rect)
    {
        if (col != FileNameCol || row < 1) return;
        const TIconListItem* icon = icons.GetIcon(Extensions[row % 4]);
        if (icon && icon->IconImage) {
            DrawIconImage(dc, *icon->IconImage, RECT{rect.left, rect.top, rect.left + 15,
                                                     rect.top + 15});
        }
    }

    POINT Screen(int x, int y) const
    {
        POINT point{x, y};
        ClientToScreen(grid->Handle(), &point);
        return point;
    }

    // The last pixel column inside a cell, half way down: text keeps a
    // 2-pixel margin and the focus frame runs along the top and bottom, so
    // only the cell's background shows there.
    void Probe(const char* name, int col, int row) const
    {
        const TPixelRect cell = grid->CellRect(col, row);
        if (cell.IsEmpty()) {
            std::printf("fail cell %d,%d of %s is not in view\n", col, row, name);
            return;
        }
        const POINT point = Screen(cell.Right - 1, (cell.Top + cell.Bottom) / 2);
        std::printf("probe %s %ld %ld\n", name, point.x, point.y);
    }

    void Box(const char* name, int left, int top, int right, int bottom) const
    {
        const POINT topLeft = Screen(left, top);
        const POINT bottomRight = Screen(right, bottom);
        std::printf("box %s %ld %ld %ld %ld\n", name, topLeft.x, topLeft.y, bottomRight.x,
                    bottomRight.y);
    }

    void CellBox(const char* name, int col, int row) const
    {
        const TPixelRect cell = grid->CellRect(col, row);
        Box(name, cell.Left, cell.Top, cell.Right, cell.Bottom);
    }

    void Expect(bool condition, const char* what) const
    {
        std::printf("%s %s\n", condition ? "ok" : "fail", what);
    }
};

// Pumps messages for a while, so that painting and the tooltip timers run.
void Pump(DWORD milliseconds)
{
    const DWORD end = GetTickCount() + milliseconds;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
}

// Tells the checker the screen is ready and waits for its go-ahead.
bool Ready(const TShowcase& show, int step)
{
    std::printf("ready %d\n", step);
    std::fflush(stdout);
    const std::string go = show.handshake + "\\go-" + std::to_string(step);
    for (int waited = 0; waited < 600; ++waited) {
        if (GetFileAttributesA(go.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
        Pump(100);
    }
    return false;
}

void MoveMouseInto(const TShowcase& show, int col, int row)
{
    const TPixelRect cell = show.grid->CellRect(col, row);
    const POINT point = show.Screen(cell.Left + 10, cell.Top + 8);
    SetCursorPos(point.x, point.y);
    Pump(1500);  // the tip's initial delay
}

HWND VisibleTip()
{
    HWND tip = nullptr;
    while ((tip = FindWindowExA(nullptr, tip, "tooltips_class32", nullptr)) != nullptr) {
        if (IsWindowVisible(tip)) return tip;
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::printf("usage: grid_showcase HANDSHAKE-FOLDER\n");
        return 2;
    }
    TShowcase show;
    show.handshake = argv[1];

    WNDCLASSA frameClass{};
    frameClass.lpfnWndProc = DefWindowProcA;
    frameClass.hInstance = GetModuleHandleA(nullptr);
    frameClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    frameClass.lpszClassName = "GridShowcaseFrame";
    RegisterClassA(&frameClass);
    show.frame = CreateWindowExA(0, frameClass.lpszClassName, "grid", WS_POPUP | WS_VISIBLE, 0, 0,
                                 720, 480, nullptr, nullptr, frameClass.hInstance, nullptr);
    show.grid = std::make_unique<TStringAlignGrid>(show.frame, 1, 7, 2);
    show.grid->SetBounds(10, 10, 700, 460);
    show.grid->SetHintTime(5000);
    show.grid->OnDrawCell = [&show](TStringAlignGrid&, int col, int row, HDC dc, const RECT& rect,
                                    TGridDrawState) { show.DrawCell(col, row, dc, rect); };
    show.grid->OnShowHintCell = [&show](TStringAlignGrid& grid, int col, int row,
                                        std::string& hint, bool&, THintInfo&) {
        hint = grid.Cells(col, row);
        show.lastHint = hint;
        ++show.hintCalls;
    };
    show.Fill();
    show.grid->Focus();
    Pump(500);

    for (const char* ext : Extensions) {
        std::printf("icon %s %s\n", ext, show.icons.GetIcon(ext)->IconImage ? "yes" : "no");
    }
    // Rows 2 and 3 are marked, row 3 lists an HTML part, row 4 is plain.
    show.Probe("marked_row", 2, 2);
    show.Probe("marked_row_file_name", FileNameCol, 2);
    show.Probe("marked_row_html_file_name", FileNameCol, 3);
    show.Probe("file_name", FileNameCol, 4);
    show.Probe("plain", 2, 4);
    const TPixelRect file = show.grid->CellRect(FileNameCol, 4);
    show.Box("icon", file.Left, file.Top, file.Left + 15, file.Top + 15);
    show.Box("file_name_text", file.Left + 16, file.Top, file.Right, file.Bottom);
    show.CellBox("size", 6, 4);
    show.CellBox("long_subject", 3, 4);
    show.Expect(show.grid->Row() == 1 && show.grid->Selection().Top == 1, "cursor on row 1");
    if (!Ready(show, 1)) return 3;

    // To the end: the scroll bar's bottom, then the End key.
    SendMessageA(show.grid->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
    Pump(200);
    const int top = show.grid->TopRow();
    const TPixelRect lastFull = show.grid->CellRect(2, DataRows);
    std::printf("top %d\n", top);
    show.Expect(!lastFull.IsEmpty(), "row 99999 in view after scrolling to the bottom");
    show.Expect(show.grid->MouseCoord(lastFull.Left + 3, lastFull.Top + 3).Row == DataRows,
                "position of row 99999 maps back to it");
    SendMessageA(show.grid->Handle(), WM_KEYDOWN, VK_HOME, 0);
    Pump(100);
    show.Expect(show.grid->TopRow() == 1 && show.grid->Row() == 1, "Home goes to row 1");
    SendMessageA(show.grid->Handle(), WM_KEYDOWN, VK_END, 0);
    Pump(300);
    show.Expect(show.grid->Row() == DataRows && show.grid->TopRow() == top,
                "End goes to row 99999");
    show.Probe("last_row_selected", 2, DataRows);
    show.Probe("marked_row_above", 2, DataRows - 1);
    std::printf("highlight %06lx\n", static_cast<unsigned long>(GetSysColor(COLOR_HIGHLIGHT)));
    if (!Ready(show, 2)) return 3;

    // Hints follow the mouse from cell to cell.
    SendMessageA(show.grid->Handle(), WM_KEYDOWN, VK_HOME, 0);
    Pump(200);
    MoveMouseInto(show, 3, 4);
    HWND tip = VisibleTip();
    char text[256] = "";
    if (tip) GetWindowTextA(tip, text, sizeof text);
    show.Expect(show.lastHint == show.grid->Cells(3, 4), "hint asked for the subject cell");
    show.Expect(tip && show.grid->Cells(3, 4) == text, "tip shows the subject");
    RECT tipRect{};
    if (tip) GetWindowRect(tip, &tipRect);
    const TPixelRect subject = show.grid->CellRect(3, 4);
    const POINT corner = show.Screen(subject.Left, subject.Bottom + 6);
    show.Expect(tip && tipRect.left == corner.x && tipRect.top == corner.y,
                "tip placed under the cell");
    if (!Ready(show, 3)) return 3;
    const int callsBefore = show.hintCalls;
    MoveMouseInto(show, 6, 4);
    tip = VisibleTip();
    text[0] = 0;
    if (tip) GetWindowTextA(tip, text, sizeof text);
    show.Expect(show.hintCalls == callsBefore + 1, "the next cell asked for its own hint");
    show.Expect(tip && std::string(text) == "1,234", "tip replaced by the size cell's");
    std::fflush(stdout);
    return 0;
}
