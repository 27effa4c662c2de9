// A dialog template built in memory, so that a small dialog needs no
// resource script.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace quillbox {

class TDialogTemplate {
public:
    static constexpr WORD kButton = 0x0080;
    static constexpr WORD kStatic = 0x0082;

    // Sizes in dialog units; the font applies with DS_SETFONT.
    TDialogTemplate(DWORD style, short width, short height, const std::string& fontName, WORD pointSize);
    void AddItem(int id, WORD controlClass, DWORD style, short x, short y, short width, short height);
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void AlignToDword();
    void AddDword(DWORD value);
    void AddText(const std::string& ascii);

    std::vector<WORD> words_;  // WORD-aligned; items start on a DWORD boundary
    std::size_t countAt_;
};

}  // namespace quillbox
