#include "ui/about/link_text.h"

#include <gtest/gtest.h>

namespace quillbox {
namespace {

constexpr TLinkColor kFallback = PaletteRgb(1, 2, 3);

TEST(ParseColorText, ThreeIntegersGiveThePaletteRelativeColour)
{
    EXPECT_EQ(ParseColorText("0,0,255", kFallback), 0x02FF0000u);
    EXPECT_EQ(ParseColorText("255,0,0", kFallback), 0x020000FFu);
    EXPECT_EQ(ParseColorText("18,52,86", kFallback), 0x02563412u);
    // Blanks around the numbers, as a hand-edited value may have them.
    EXPECT_EQ(ParseColorText(" 0, 128 ,0 ", kFallback), 0x02008000u);
}

TEST(ParseColorText, AnythingButThreeIntegersInRangeGivesTheFallback)
{
    for (const char* bad : {"", "0,0", "0,0,255,7", "blue", "0,,255", "0,0,", ",0,0", "0;0;255", "-1,0,0",
                            "256,0,0", "0,0,99999999999", "0x10,0,0", "1 2,0,0", "0,0,255 px"})
        EXPECT_EQ(ParseColorText(bad, kFallback), kFallback) << '"' << bad << '"';
}

TEST(IsWebAddress, OnlyLowerCaseHttpSchemeIsTheWebWay)
{
    EXPECT_TRUE(IsWebAddress("http://quillbox.example.org/"));
    EXPECT_TRUE(IsWebAddress("http://"));
    EXPECT_FALSE(IsWebAddress("HTTP://QUILLBOX.EXAMPLE.ORG/"));
    EXPECT_FALSE(IsWebAddress("Http://quillbox.example.org/"));
    EXPECT_FALSE(IsWebAddress("https://quillbox.example.org/"));
    EXPECT_FALSE(IsWebAddress("mailto:someone@example.org"));
    EXPECT_FALSE(IsWebAddress("someone@example.org"));
    EXPECT_FALSE(IsWebAddress("http:/"));
}

TEST(RemovePlaceholder, AQuotedPlaceholderGoesWithTheBlankBeforeIt)
{
    EXPECT_EQ(RemovePlaceholder("\"C:\\Program Files\\Browser\\browser.exe\" \"%1\""),
              "\"C:\\Program Files\\Browser\\browser.exe\"");
    EXPECT_EQ(RemovePlaceholder("browser.exe \"%1\" -new"), "browser.exe -new");
    // Only the first one.
    EXPECT_EQ(RemovePlaceholder("b.exe \"%1\" \"%1\""), "b.exe \"%1\"");
}

TEST(RemovePlaceholder, AnUnquotedPlaceholderGoesWithTheCharacterBeforeIt)
{
    EXPECT_EQ(RemovePlaceholder("C:\\mail\\mailer.exe %1"), "C:\\mail\\mailer.exe");
    EXPECT_EQ(RemovePlaceholder("mailer.exe /compose:%1"), "mailer.exe /compose");
    // A quoted one anywhere wins over an earlier unquoted one.
    EXPECT_EQ(RemovePlaceholder("x.exe %1 \"%1\""), "x.exe %1");
}

TEST(RemovePlaceholder, ALineWithoutPlaceholderOrWithItFirstKeepsTheRest)
{
    EXPECT_EQ(RemovePlaceholder("C:\\mail\\mailer.exe -compose"), "C:\\mail\\mailer.exe -compose");
    EXPECT_EQ(RemovePlaceholder(""), "");
    EXPECT_EQ(RemovePlaceholder("%"), "%");
    EXPECT_EQ(RemovePlaceholder("\"%1\" x"), " x");
    EXPECT_EQ(RemovePlaceholder("%1"), "");
}

TEST(LinkCommandLine, TheAddressFollowsTheCommandAfterOneBlank)
{
    EXPECT_EQ(LinkCommandLine("\"C:\\B\\browser.exe\" \"%1\"", "http://quillbox.example.org/"),
              "\"C:\\B\\browser.exe\" http://quillbox.example.org/");
    EXPECT_EQ(LinkCommandLine("mailer.exe", "someone@example.org"), "mailer.exe someone@example.org");
}

}  // namespace
}  // namespace quillbox
