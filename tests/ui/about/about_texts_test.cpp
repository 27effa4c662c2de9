#include "ui/about/about_texts.h"

#include <gtest/gtest.h>

#include <set>

#include "settings/language.h"

namespace quillbox {
namespace {

TEST(AboutTexts, TitleOfTheLanguageAndTheVersion)
{
    const TAboutTexts japanese = AboutTextsFor(kJapaneseLocaleID, "1.26");
    EXPECT_EQ(japanese.ProductName, "Quillbox \x83\x76\x83\x89\x83\x4F\x83\x43\x83\x93");
    EXPECT_EQ(japanese.Version, "Version 1.26");
    EXPECT_EQ(japanese.LinkOpen, "\x8AJ\x82\xAD(&O)");  // "開く(&O)" in Shift_JIS
    const TAboutTexts english = AboutTextsFor(kEnglishLocaleID, "1.26");
    EXPECT_EQ(english.ProductName, "Quillbox Plug-in");
    EXPECT_EQ(english.Version, "Version 1.26");
    // Any locale but 1041 is the second language, ASCII only.
    const TAboutTexts other = AboutTextsFor(2057, "1.26");
    EXPECT_EQ(other.ProductName, english.ProductName);
    for (const std::string* text : {&other.Caption, &other.HomePageNote, &other.OkButton, &other.LinkOpen,
                                    &other.LinkCopy})
        for (const char c : *text) EXPECT_LT(static_cast<unsigned char>(c), 0x80u) << *text;
}

class ReadMe : public testing::Test {
protected:
    std::set<std::string> files;
    std::function<bool(const std::string&)> exists = [this](const std::string& path) {
        return files.count(path) > 0;
    };
    const TCodePage shiftJis{932};
};

TEST_F(ReadMe, TheFileOfTheCurrentLanguageBesideTheLibrary)
{
    files = {"C:\\Tansy\\Plugins\\Quillbox_ReadMeJpn.txt", "C:\\Tansy\\Plugins\\Quillbox_ReadMeEng.txt"};
    for (const int locale : {kJapaneseLocaleID, kEnglishLocaleID}) {
        const TReadMeAction action = ReadMeAction("C:\\Tansy\\Plugins", MessageTableFor(locale), shiftJis, exists);
        EXPECT_EQ(action.Path, locale == kJapaneseLocaleID ? "C:\\Tansy\\Plugins\\Quillbox_ReadMeJpn.txt"
                                                           : "C:\\Tansy\\Plugins\\Quillbox_ReadMeEng.txt");
        EXPECT_FALSE(action.Error);
    }
}

TEST_F(ReadMe, OnlyTheJapaneseFilePresentTheSecondLanguageNamesItsOwnFile)
{
    files = {"C:\\Tansy\\Plugins\\Quillbox_ReadMeJpn.txt"};
    const TReadMeAction action =
        ReadMeAction("C:\\Tansy\\Plugins", MessageTableFor(kEnglishLocaleID), shiftJis, exists);
    ASSERT_TRUE(action.Error);
    EXPECT_NE(action.Error->find("\"Quillbox_ReadMeEng.txt\""), std::string::npos) << *action.Error;
    EXPECT_FALSE(ReadMeAction("C:\\Tansy\\Plugins", MessageTableFor(kJapaneseLocaleID), shiftJis, exists).Error);
}

TEST_F(ReadMe, ARootKeepsOneSeparatorAndADoubleByteTrailIsNoSeparator)
{
    EXPECT_EQ(ReadMePath("C:\\", "Eng", shiftJis), "C:\\Quillbox_ReadMeEng.txt");
    // "表" is 0x95 0x5C: the folder does not end in a separator.
    EXPECT_EQ(ReadMePath("C:\\\x95\x5C", "Jpn", shiftJis), "C:\\\x95\x5C\\Quillbox_ReadMeJpn.txt");
    // Under a single-byte code page the same byte is a separator.
    EXPECT_EQ(ReadMePath("C:\\\x95\x5C", "Jpn", TCodePage(1252)), "C:\\\x95\\Quillbox_ReadMeJpn.txt");
}

}  // namespace
}  // namespace quillbox
