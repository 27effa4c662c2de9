#include "ui/win32/main_window/tool_bar.h"

#include <commctrl.h>

#include <iterator>

#include "resources/resource_ids.h"

namespace quillbox {

namespace {
constexpr int kImageSize = 32;
constexpr COLORREF kTransparent = RGB(255, 0, 255);

struct TButtonLayout {
    const char* Name;
    TCommandId Command;  // cmNone: a separator
    int Image;           // separator: its width
    bool Check;
    bool DownAtStart;
};

// Left to right; the three check groups are each exclusive.
constexpr TButtonLayout kButtons[] = {
    {"tbSaveMarksAs", cmSaveMarksAs, 2, false, false},
    {"", cmNone, 8, false, false},
    {"tbDeleteMarks", cmDeleteMarks, 3, false, false},
    {"", cmNone, 15, false, false},
    {"tbMarkSelected", cmMarkSelected, 0, false, false},
    {"tbUnMarkSelected", cmUnmarkSelected, 1, false, false},
    {"", cmNone, 15, false, false},
    {"tbShowAllItems", cmShowAllItems, 6, true, true},
    {"tbShowNonHTMLs", cmShowNonHTMLs, 8, true, false},
    {"tbShowOnlyHTMLs", cmShowOnlyHTMLs, 7, true, false},
    {"", cmNone, 15, false, false},
    {"tbSortByDate", cmSortByDate, 9, true, true},
    {"tbSortBySize", cmSortBySize, 10, true, false},
    {"", cmNone, 15, false, false},
    {"tbDeccending", cmDeccending, 5, true, true},
    {"tbAccending", cmAccending, 4, true, false},
};

HIMAGELIST LoadImages(HINSTANCE resources, const char* name)
{
    const HIMAGELIST list = ImageList_Create(kImageSize, kImageSize, ILC_COLOR24 | ILC_MASK, 11, 0);
    if (const HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(resources, name, IMAGE_BITMAP, 0, 0, 0))) {
        ImageList_AddMasked(list, bitmap, kTransparent);
        DeleteObject(bitmap);
    }
    return list;
}

std::size_t HintSlot(TCommandId command) { return command - cmShowAllItems; }
}  // namespace

TToolBar::TToolBar(HINSTANCE resources, HWND parent, int controlId)
    : bar_(CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                           WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER |
                               CCS_NORESIZE,
                           0, 0, 0, Height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                           nullptr, nullptr)),
      images_(LoadImages(resources, QBX_TOOLBAR_IMAGES)),
      greyed_(LoadImages(resources, QBX_TOOLBAR_GREYED))
{
    SendMessageA(bar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(bar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_));
    SendMessageA(bar_, TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(greyed_));
    SendMessageA(bar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(kImageSize, kImageSize));
    SendMessageA(bar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(39, 38));
    TBBUTTON buttons[std::size(kButtons)]{};
    for (std::size_t i = 0; i < std::size(kButtons); ++i) {
        const TButtonLayout& layout = kButtons[i];
        TBBUTTON& button = buttons[i];
        if (layout.Command == cmNone) {
            button.iBitmap = layout.Image;
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
    ImageList_Destroy(images_);
    ImageList_Destroy(greyed_);
}

bool TToolBar::SetHint(const std::string& name, const std::string& hint)
{
    for (const TButtonLayout& layout : kButtons)
        if (layout.Command != cmNone && name == layout.Name) {
            hints_[HintSlot(layout.Command)] = hint;
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
    const UINT_PTR command = header.idFrom;
    if (command < cmShowAllItems || command > cmDeleteAnAttachment) return false;
    info.lpszText = const_cast<char*>(hints_[HintSlot(static_cast<TCommandId>(command))].c_str());
    return true;
}

}  // namespace quillbox
