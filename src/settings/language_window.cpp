#include "settings/language_window.h"

namespace quillbox {

void ApplyLanguage(TLanguage& language, const TInterfaceFonts& fonts, TLanguageWindow& window)
{
    LoadMessages(language);
    const std::vector<TControlText> captions = CaptionTableFor(language.LocaleID);
    window.SetCaption(language.PlugInTitle + " for Tansy!2");
    const TFontDescription& font = CurrentFont(fonts, language.LocaleID);
    window.SetWindowFont(font);
    // The folder label leads the caption table; the rest follow in order.
    window.SetControlText(captions.front());
    window.SetLanguageChecks(IsJapanese(language.LocaleID));
    for (auto it = captions.begin() + 1; it != captions.end(); ++it) window.SetControlText(*it);
    window.EmphasizeFolderLabels();
    // A font without a measurable blank keeps the language's own gap.
    if (const int blankWidth = window.BlankWidth(); blankWidth > 0)
        language.MessageTable[msgIconGap] = IconGapBlanks(blankWidth, window.IconGapWidth());
    window.SetGridFont(font);
    window.FillGrid();
}

void ApplyLanguageToNewWindow(TLanguage& language, TInterfaceFonts& fonts, TLanguageWindow& window)
{
    TakeSampleFontsUnlessLoaded(fonts);
    ApplyLanguage(language, fonts, window);
}

void SwitchLanguage(int localeID, TLanguage& language, const TInterfaceFonts& fonts, TLanguageWindow& window)
{
    language.LocaleID = localeID;
    ApplyLanguage(language, fonts, window);
    window.UpdateViewMenus();
    window.FillGrid();
}

void ChangeFont(TLanguage& language, TInterfaceFonts& fonts, TLanguageWindow& window)
{
    TFontDescription& font = CurrentFont(fonts, language.LocaleID);
    const std::optional<TFontDescription> chosen = window.ChooseFont(font);
    if (!chosen) return;
    font = *chosen;
    ApplyLanguage(language, fonts, window);
}

}  // namespace quillbox
