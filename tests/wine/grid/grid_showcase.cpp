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
    TIconList icons{&ShellSmallIcon, TCodePage(GetACP())};
    std::string handshake;
    std::string lastHint;
    int hintCalls = 0;
    int mouseDowns = 0;
    int doubleClicks = 0;
    int widthChanges = 0;

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

LPARAM ClientPoint(int x, int y) { return MAKELPARAM(x, y); }

void Click(const TShowcase& show, int x, int y, WPARAM keys)
{
    SendMessageA(show.grid->Handle(), WM_LBUTTONDOWN, MK_LBUTTON | keys, ClientPoint(x, y));
    SendMessageA(show.grid->Handle(), WM_LBUTTONUP, keys, ClientPoint(x, y));
}

void Key(WORD key, DWORD flags)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

// Real mouse input, sent while the scroll bar's own tracking loop runs.
struct TThumbDrag {
    POINT from;
    POINT to;
    int tick = 0;
};
TThumbDrag* activeDrag = nullptr;

void MouseTo(POINT point, DWORD buttons)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(point.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(point.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
    SendInput(1, &input, sizeof input);
}

void CALLBACK DragStep(HWND, UINT, UINT_PTR, DWORD)
{
    TThumbDrag& drag = *activeDrag;
    ++drag.tick;
    if (drag.tick <= 5) {
        MouseTo({drag.from.x, drag.from.y + (drag.to.y - drag.from.y) * drag.tick / 5}, 0);
    } else if (drag.tick == 6) {
        MouseTo(drag.to, MOUSEEVENTF_LEFTUP);
    }
}

// Average milliseconds of a full repaint with the given top row; printed for
// the record, never judged.
double PaintMilliseconds(const TShowcase& show, int topRow)
{
    show.grid->SetTopRow(topRow);
    RedrawWindow(show.grid->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    constexpr int Rounds = 20;
    for (int round = 0; round < Rounds; ++round) {
        RedrawWindow(show.grid->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    QueryPerformanceCounter(&end);
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart) / Rounds;
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
    show.grid->OnMouseDown = [&show](TStringAlignGrid&, TMouseButton button, UINT, int, int) {
        if (button == TMouseButton::Left) ++show.mouseDowns;
    };
    show.grid->OnDblClick = [&show](TStringAlignGrid&) { ++show.doubleClicks; };
    show.grid->OnColWidthsChanged = [&show](TStringAlignGrid&) { ++show.widthChanges; };
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

    std::printf("repaint ms: top of the list %.2f, row 50000 %.2f\n", PaintMilliseconds(show, 1),
                PaintMilliseconds(show, 50000));
    show.grid->SetTopRow(1);

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
    if (!Ready(show, 4)) return 3;

    // A double-click is a press too; a click selects a row, a shift-click
    // extends the selection to another.
    const TPixelRect row5 = show.grid->CellRect(3, 5);
    const TPixelRect row8 = show.grid->CellRect(3, 8);
    SendMessageA(show.grid->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON,
                 ClientPoint(row8.Left + 5, row8.Top + 5));
    SendMessageA(show.grid->Handle(), WM_LBUTTONUP, 0, ClientPoint(row8.Left + 5, row8.Top + 5));
    show.Expect(show.doubleClicks == 1 && show.grid->Selection() == TGridRect{1, 8, 6, 8},
                "double-click reported, its row selected");
    Click(show, row5.Left + 5, row5.Top + 5, 0);
    Click(show, row8.Left + 5, row8.Top + 5, MK_SHIFT);
    show.Expect(show.grid->Selection() == TGridRect{1, 5, 6, 8} && show.grid->Row() == 8,
                "shift-click selects rows 5 to 8");
    show.Expect(show.mouseDowns == 3, "mouse-down reported for each press");

    // Shift+Down from the keyboard extends it by one more row.
    SetForegroundWindow(show.frame);
    show.grid->Focus();
    Key(VK_SHIFT, 0);
    Key(VK_DOWN, 0);
    Key(VK_DOWN, KEYEVENTF_KEYUP);
    Key(VK_SHIFT, KEYEVENTF_KEYUP);
    Pump(300);
    show.Expect(show.grid->Selection() == TGridRect{1, 5, 6, 9}, "shift+down selects rows 5 to 9");

    // Dragging the subject column's right edge in the header widens it.
    const TPixelRect header = show.grid->CellRect(3, 0);
    SendMessageA(show.grid->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(header.Right, 5));
    SendMessageA(show.grid->Handle(), WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(header.Right + 20, 5));
    SendMessageA(show.grid->Handle(), WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(header.Right + 40, 5));
    SendMessageA(show.grid->Handle(), WM_LBUTTONUP, 0, ClientPoint(header.Right + 40, 5));
    show.Expect(show.grid->ColWidth(3) == 230 && show.widthChanges == 2,
                "column widened by dragging its edge");
    show.Expect(show.grid->Selection() == TGridRect{1, 5, 6, 9}, "sizing leaves the selection");

    // Dragging the scroll thumb to near the end follows it past 65,535 rows.
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof bar;
    GetScrollBarInfo(show.grid->Handle(), OBJID_VSCROLL, &bar);
    const int thumbMiddle = bar.rcScrollBar.top + (bar.xyThumbTop + bar.xyThumbBottom) / 2;
    const int x = (bar.rcScrollBar.left + bar.rcScrollBar.right) / 2;
    TThumbDrag drag{{x, thumbMiddle}, {x, bar.rcScrollBar.bottom - bar.dxyLineButton - 20}};
    activeDrag = &drag;
    MouseTo(drag.from, 0);
    Pump(200);
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, DragStep);
    MouseTo(drag.from, MOUSEEVENTF_LEFTDOWN);
    Pump(1500);
    KillTimer(nullptr, timer);
    activeDrag = nullptr;
    std::printf("top after thumb drag %d\n", show.grid->TopRow());
    show.Expect(show.grid->TopRow() > 80000 && show.grid->TopRow() < DataRows,
                "thumb tracking reaches the last rows");
    std::fflush(stdout);
    return 0;
}
