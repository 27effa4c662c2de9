#include "settings/language.h"

namespace quillbox {

namespace {
}

int LocaleIDFromThreadLocale(unsigned long threadLocale)
{
    return threadLocale == static_cast<unsigned long>(kJapaneseLocaleID) ? kJapaneseLocaleID
                                                                         : kEnglishLocaleID;
}

TLanguage InitLanguage(unsigned long threadLocale)
{
    TLanguage language;
    language.LocaleID = LocaleIDFromThreadLocale(threadLocale);
    language.PlugInDescription = LanguageTextsFor(language.LocaleID).Description;
    LoadMessages(language);
    return language;
}

void LoadMessages(TLanguage& language)
{
    const TLanguageTexts texts = LanguageTextsFor(language.LocaleID);
    language.PlugInTitle = texts.Title;
    language.CommandTitle = texts.Title;
    language.MessageTable = MessageTableFor(language.LocaleID);
}

std::string IconGapBlanks(int blankWidthInPixels, int gapInPixels)
{
    return std::string(static_cast<std::size_t>(gapInPixels / blankWidthInPixels), ' ');
}

}  // namespace quillbox
