#include "ui/win32/main_window/tool_bar.h"

#include <commctrl.h>

#include <iterator>
#include <string>
#include <utility>

#include "resources/resource_ids.h"

namespace quillbox {

namespace {
constexpr COLORREF kTransparent = RGB(255, 0, 255);
constexpr int kDrawnSizes[] = QBX_TOOLBAR_IMAGE_SIZES;

enum class TGap { None, Small, Group };

struct TButtonLayout {
    const char* Name;
    TCommandId Command;  // cmNone: a separator
    int Image;
    TGap Gap;  // a separator's width
    bool Check;
    bool DownAtStart;
};

// Left to right; the three check groups are each exclusive.
constexpr TButtonLayout kButtons[] = {
    {"tbSaveMarksAs", cmSaveMarksAs, 2, TGap::None, false, false},
    {"", cmNone, 0, TGap::Small, false, false},
    {"tbDeleteMarks", cmDeleteMarks, 3, TGap::None, false, false},
    {"", cmNone, 0, TGap::Small, false, false},
    {"tbDetachMarks", cmDetachMarks, 11, TGap::None, false, false},
    {"", cmNone, 0, TGap::Group, false, false},
    {"tbMarkSelected", cmMarkSelected, 0, TGap::None, false, false},
    {"tbUnMarkSelected", cmUnmarkSelected, 1, TGap::None, false, false},
    {"", cmNone, 0, TGap::Group, false, false},
    {"tbShowAllItems", cmShowAllItems, 6, TGap::None, true, true},
    {"tbShowNonHTMLs", cmShowNonHTMLs, 8, TGap::None, true, false},
    {"tbShowOnlyHTMLs", cmShowOnlyHTMLs, 7, TGap::None, true, false},
    {"", cmNone, 0, TGap::Group, false, false},
    {"tbSortByDate", cmSortByDate, 9, TGap::None, true, true},
    {"tbSortBySize", cmSortBySize, 10, TGap::None, true, false},
    {"", cmNone, 0, TGap::Group, false, false},
    {"tbDeccending", cmDeccending, 5, TGap::None, true, true},
    {"tbAccending", cmAccending, 4, TGap::None, true, false},
};

int GapWidth(TGap gap, const TMainWindowMetrics& metrics)
{
    return gap == TGap::Small ? metrics.ToolSmallGap : metrics.ToolGroupGap;
}

// The pictures are drawn at a few sizes; a size between them shows the
// smaller set whole rather than a stretched one.
int DrawnSizeFor(int wanted)
{
    int chosen = kDrawnSizes[0];
    for (const int size : kDrawnSizes)
        if (size <= wanted) chosen = size;
    return chosen;
}

TImageListHandle LoadImages(HINSTANCE resources, const char* prefix, int size)
{
    TImageListHandle list(ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 12, 0));
    const std::string name = prefix + std::to_string(size);
    // The list keeps a copy of the pictures.
    const TBitmapHandle bitmap(static_cast<HBITMAP>(LoadImageA(resources, name.c_str(), IMAGE_BITMAP, 0, 0, 0)));
    if (bitmap) ImageList_AddMasked(list.Get(), bitmap.Get(), kTransparent);
    return list;
}

}  // namespace

TToolBar::TToolBar(HINSTANCE resources, HWND parent, int controlId, const TMainWindowMetrics& metrics)
    : resources_(resources),
      bar_(CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                           WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER |
                               CCS_NORESIZE,
                           0, 0, 0, metrics.ToolBarHeight, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), nullptr, nullptr))
{
    SendMessageA(bar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    LoadPictures(metrics.ToolImageSize);
    SendMessageA(bar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(metrics.ToolButtonWidth, metrics.ToolButtonHeight));
    TBBUTTON buttons[std::size(kButtons)]{};
    for (std::size_t i = 0; i < std::size(kButtons); ++i) {
        const TButtonLayout& layout = kButtons[i];
        TBBUTTON& button = buttons[i];
        if (layout.Command == cmNone) {
            button.iBitmap = GapWidth(layout.Gap, metrics);
            button.fsStyle = BTNS_SEP;
            continue;
        }
        button.iBitmap = layout.Image;
        button.idCommand = static_cast<int>(layout.Command);
        button.fsState = TBSTATE_ENABLED | (layout.DownAtStart ? TBSTATE_CHECKED : 0);
        button.fsStyle = layout.Check ? BTNS_CHECKGROUP : BTNS_BUTTON;
        button.iString = -1;
    }
    SendMessageA(bar_, TB_ADDBUTTONSA, std::size(buttons), reinterpret_cast<LPARAM>(buttons));
}

TToolBar::~TToolBar()
{
    DestroyWindow(bar_);
}

void TToolBar::LoadPictures(int wantedSize)
{
    const int size = DrawnSizeFor(wantedSize);
    if (size == imageSize_) return;
    TImageListHandle images = LoadImages(resources_, QBX_TOOLBAR_IMAGES, size);
    TImageListHandle greyed = LoadImages(resources_, QBX_TOOLBAR_GREYED, size);
    // The bar lets go of the old lists before they are destroyed.
    SendMessageA(bar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.Get()));
    SendMessageA(bar_, TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(greyed.Get()));
    SendMessageA(bar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(size, size));
    images_ = std::move(images);
    greyed_ = std::move(greyed);
    imageSize_ = size;
}

void TToolBar::SetMetrics(const TMainWindowMetrics& metrics)
{
    LoadPictures(metrics.ToolImageSize);
    SendMessageA(bar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(metrics.ToolButtonWidth, metrics.ToolButtonHeight));
    for (std::size_t i = 0; i < std::size(kButtons); ++i) {
        if (kButtons[i].Command != cmNone) continue;
        TBBUTTONINFOA info{};
        info.cbSize = sizeof info;
        info.dwMask = TBIF_SIZE | TBIF_BYINDEX;
        info.cx = static_cast<WORD>(GapWidth(kButtons[i].Gap, metrics));
        SendMessageA(bar_, TB_SETBUTTONINFOA, i, reinterpret_cast<LPARAM>(&info));
    }
    InvalidateRect(bar_, nullptr, TRUE);
}

bool TToolBar::SetHint(const std::string& name, const std::string& hint)
{
    for (const TButtonLayout& layout : kButtons)
        if (layout.Command != cmNone && name == layout.Name) {
            hints_[layout.Command] = hint;
            return true;
        }
    return false;
}

void TToolBar::SetEnabled(TCommandId command, bool enabled)
{
    SendMessageA(bar_, TB_ENABLEBUTTON, command, MAKELPARAM(enabled ? TRUE : FALSE, 0));
}

void TToolBar::SetDown(TCommandId command, bool down)
{
    SendMessageA(bar_, TB_CHECKBUTTON, command, MAKELPARAM(down ? TRUE : FALSE, 0));
}

void TToolBar::SetHighlighted(TCommandId command, bool highlighted)
{
    SendMessageA(bar_, TB_MARKBUTTON, command, MAKELPARAM(highlighted ? TRUE : FALSE, 0));
}

void TToolBar::SetAllEnabled(bool enabled) { EnableWindow(bar_, enabled ? TRUE : FALSE); }

bool TToolBar::Notify(const NMHDR& header)
{
    if (header.code != TTN_GETDISPINFOA) return false;
    auto& info = const_cast<NMTTDISPINFOA&>(reinterpret_cast<const NMTTDISPINFOA&>(header));
    const auto hint = hints_.find(static_cast<TCommandId>(header.idFrom));
    if (hint == hints_.end()) return false;
    info.lpszText = const_cast<char*>(hint->second.c_str());
    return true;
}

}  // namespace quillbox
