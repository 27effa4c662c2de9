// The plug-in's two interface languages: which one start-up chooses, and the
// title and description that go with each. Texts are bytes of the code page
// the language is written in (Japanese: Shift_JIS).
#pragma once

#include <string>

namespace quillbox {

constexpr int kJapaneseLocaleID = 1041;
constexpr int kEnglishLocaleID = 1033;

struct TLanguageTexts {
    std::string Title;
    std::string Description;
};

TLanguageTexts JapaneseTexts();
TLanguageTexts EnglishTexts();

// The language start-up chooses from the thread locale: Japanese for 1041,
// the second language for anything else (a locale of 0 counts as 1033).
int LocaleIDFromThreadLocale(unsigned long threadLocale);

struct TLanguage {
    int LocaleID = kEnglishLocaleID;
    std::string PlugInTitle;
    // Registered with the host as the command's description; the same text as
    // the title, kept apart because the host may hold on to it.
    std::string CommandTitle;
    std::string PlugInDescription;
};

TLanguage InitLanguage(unsigned long threadLocale);

}  // namespace quillbox
