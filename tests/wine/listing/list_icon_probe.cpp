// Paints the file-type icon of list rows into a bitmap and reports what it
// finds; also the digit grouping the Windows locale gives the totals.
#include <windows.h>

#include <cstdio>
#include <set>

#include "catalogue/icons/win32/shell_icon_source.h"
#include "ui/logic/listing_controller.h"
#include "ui/win32/listing/file_icon_painter.h"
#include "ui/win32/listing/system_digit_grouping.h"

using namespace quillbox;

namespace {

struct QuietWindow : TListingWindow {
    void ShowTotals(const TStatusTotals&) override {}
    void ShowViewMenus(const TListingChoiceMarks&) override {}
};

constexpr int kWidth = 80;
constexpr int kHeight = 40;
constexpr COLORREF kWhite = RGB(255, 255, 255);

// A white bitmap selected into a memory DC.
class Canvas {
public:
    Canvas() : dc_(CreateCompatibleDC(nullptr))
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = kWidth;
        info.bmiHeader.biHeight = -kHeight;  // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        Clear();
    }
    ~Canvas()
    {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC Dc() const { return dc_; }
    void Clear() const
    {
        const RECT all{0, 0, kWidth, kHeight};
        HBRUSH white = CreateSolidBrush(kWhite);
        FillRect(dc_, &all, white);
        DeleteObject(white);
    }
    // Distinct colours inside box, and whether anything outside it changed.
    int ColoursIn(const RECT& box, bool& outsideTouched) const
    {
        std::set<COLORREF> colours;
        outsideTouched = false;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const COLORREF c = GetPixel(dc_, x, y);
                const bool inside = x >= box.left && x < box.right && y >= box.top && y < box.bottom;
                if (inside)
                    colours.insert(c);
                else if (c != kWhite)
                    outsideTouched = true;
            }
        }
        return static_cast<int>(colours.size());
    }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

}  // namespace

int main()
{
    TIconList icons(&ShellSmallIcon, TCodePage(GetACP()));
    TMailList mails;
    auto mail = std::make_unique<TMailItem>();
    mail->Subject = "subject";
    for (const char* name : {"report.txt", "picture.bmp"}) {
        auto attachment = std::make_unique<TAttachment>();
        attachment->FileName = name;
        attachment->Size = 1234567;
        attachment->Icon = icons.GetIcon(std::string(name).substr(std::string(name).rfind('.')));
        mail->Attachments.push_back(std::move(attachment));
    }
    std::vector<std::unique_ptr<TMailItem>> batch;
    batch.push_back(std::move(mail));
    mails.AddInDateOrder(std::move(batch));

    TListingSettings view;
    view.ShowOrder = 1;
    const TMessageTable messages = MessageTableFor(kEnglishLocaleID);
    TGridModel grid(kListColumnCount, 2);
    SetUpListGrid(grid);
    QuietWindow window;
    const TDigitGrouping grouping = SystemDigitGrouping();
    TListingController list(mails, view, messages, grid, window, grouping);
    list.RebuildView();

    Canvas canvas;
    const RECT cell{3, 5, 70, 25};
    const RECT square{cell.left, cell.top, cell.left + kFileIconSize, cell.top + kFileIconSize};
    bool outside = false;
    for (int row : {1, 2}) {
        canvas.Clear();
        PaintFileIcon(list, colFileName, row, canvas.Dc(), cell);
        const int colours = canvas.ColoursIn(square, outside);
        std::printf("row %d colours %d outside %s\n", row, colours, outside ? "yes" : "no");
    }
    // Other columns, the header and rows past the list paint nothing.
    int untouched = 0;
    for (const auto& [col, row] : {std::pair{colSize, 1}, std::pair{colFileName, 0}, std::pair{colFileName, 3}}) {
        canvas.Clear();
        PaintFileIcon(list, col, row, canvas.Dc(), cell);
        bool touched = false;
        if (canvas.ColoursIn(RECT{0, 0, 0, 0}, touched) == 0 && !touched) ++untouched;
    }
    std::printf("untouched %d\n", untouched);
    std::printf("size %s\n", grid.Cell(colSize, 1).c_str());
    return 0;
}
