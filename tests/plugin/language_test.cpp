#include "settings/language.h"

#include <gtest/gtest.h>

namespace quillbox {
namespace {

TEST(InitLanguage, AJapaneseThreadLocaleChoosesJapaneseInShiftJis)
{
    const TLanguage language = InitLanguage(1041);
    EXPECT_EQ(language.LocaleID, kJapaneseLocaleID);
    // "Quillbox プラグイン" in Shift_JIS.
    EXPECT_EQ(language.PlugInTitle, "Quillbox \x83\x76\x83\x89\x83\x4F\x83\x43\x83\x93");
    EXPECT_EQ(language.CommandTitle, language.PlugInTitle);
    EXPECT_EQ(language.PlugInDescription, JapaneseTexts().Description);
    // Lines break on CR alone; the bullet "・" is 0x81 0x45.
    EXPECT_EQ(language.PlugInDescription.find('\n'), std::string::npos);
    EXPECT_NE(language.PlugInDescription.find("\r  \x81\x45 "), std::string::npos);
}

TEST(InitLanguage, AnyOtherLocaleChoosesTheSecondLanguage)
{
    for (unsigned long locale : {1033ul, 0ul, 2057ul, 0x10411ul}) {
        const TLanguage language = InitLanguage(locale);
        EXPECT_EQ(language.LocaleID, kEnglishLocaleID) << locale;
        EXPECT_EQ(language.PlugInTitle, EnglishTexts().Title);
        EXPECT_EQ(language.CommandTitle, EnglishTexts().Title);
        EXPECT_EQ(language.PlugInDescription, EnglishTexts().Description);
    }
}

}  // namespace
}  // namespace quillbox
