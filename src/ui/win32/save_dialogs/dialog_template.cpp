#include "ui/win32/save_dialogs/dialog_template.h"

namespace quillbox {

TDialogTemplate::TDialogTemplate(DWORD style, short width, short height, const std::string& fontName,
                                 WORD pointSize)
{
    AddDword(style);
    AddDword(0);  // extended style
    countAt_ = words_.size();
    words_.push_back(0);  // item count
    for (const short value : {short(0), short(0), width, height}) words_.push_back(static_cast<WORD>(value));
    words_.push_back(0);  // no menu
    words_.push_back(0);  // the standard dialog class
    words_.push_back(0);  // no title; set when the dialog starts
    if (style & DS_SETFONT) {
        words_.push_back(pointSize);
        AddText(fontName);
    }
}

void TDialogTemplate::AddItem(int id, WORD controlClass, DWORD style, short x, short y, short width, short height)
{
    AlignToDword();
    AddDword(style);
    AddDword(0);  // extended style
    for (const short value : {x, y, width, height}) words_.push_back(static_cast<WORD>(value));
    words_.push_back(static_cast<WORD>(id));
    words_.push_back(0xFFFF);  // a predefined class by its atom
    words_.push_back(controlClass);
    words_.push_back(0);  // no text; set when the dialog starts
    words_.push_back(0);  // no creation data
    ++words_[countAt_];
}

void TDialogTemplate::AlignToDword()
{
    // The vector's data is at least DWORD-aligned, so an even index is too.
    if (words_.size() % 2 != 0) words_.push_back(0);
}

void TDialogTemplate::AddDword(DWORD value)
{
    words_.push_back(LOWORD(value));
    words_.push_back(HIWORD(value));
}

void TDialogTemplate::AddText(const std::string& ascii)
{
    for (const char c : ascii) words_.push_back(static_cast<WORD>(static_cast<unsigned char>(c)));
    words_.push_back(0);
}

}  // namespace quillbox
