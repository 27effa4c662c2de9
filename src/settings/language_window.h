// Applying the interface language and its font to the open main window, and
// the window's language and font commands. The window implements
// TLanguageWindow with its real controls; this decides what goes where.
#pragma once

#include <optional>
#include <string>

#include "settings/interface_fonts.h"
#include "settings/language.h"
#include "settings/message_table.h"

namespace quillbox {

class TLanguageWindow {
public:
    virtual ~TLanguageWindow() = default;

    virtual void SetCaption(const std::string& caption) = 0;
    // The window font; the folder label and its caption take all of it.
    virtual void SetWindowFont(const TFontDescription& font) = 0;
    virtual void SetLanguageChecks(bool japanese) = 0;
    // A control's caption, and its tool button's hint when it has one.
    virtual void SetControlText(const TControlText& text) = 0;
    // The folder label green and bold, the folder name bold beside it.
    virtual void EmphasizeFolderLabels() = 0;
    // Width in pixels of one blank in the window font.
    virtual int BlankWidth() const = 0;
    // The room kept for a file's icon, in pixels at the window's density.
    virtual int IconGapWidth() const = 0;
    // The grid and every column, row and cell it has now.
    virtual void SetGridFont(const TFontDescription& font) = 0;
    virtual void FillGrid() = 0;
    virtual void UpdateViewMenus() = 0;
    // The system font dialog, starting from font; none when cancelled.
    virtual std::optional<TFontDescription> ChooseFont(const TFontDescription& font) = 0;
};

// Texts, captions, checks and the current language's font, then the grid.
void ApplyLanguage(TLanguage& language, const TInterfaceFonts& fonts, TLanguageWindow& window);

// A new window: the fonts take the design defaults unless the settings file
// gave them, then the language is applied.
void ApplyLanguageToNewWindow(TLanguage& language, TInterfaceFonts& fonts, TLanguageWindow& window);

// mnJapaneseClick (1041) and mnEnglishClick (1033).
void SwitchLanguage(int localeID, TLanguage& language, const TInterfaceFonts& fonts, TLanguageWindow& window);

// mnChangeFontClick: the chosen font replaces the current language's font.
void ChangeFont(TLanguage& language, TInterfaceFonts& fonts, TLanguageWindow& window);

}  // namespace quillbox
