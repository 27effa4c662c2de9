#include "settings/settings_reader.h"

#include "settings_fixture.h"

namespace quillbox::testing {
namespace {

class ReadSettingsTest : public SettingsTest {
protected:
    // Reads text as the settings file, starting from a Japanese start-up.
    void Read(const std::string& text)
    {
        WriteFile(text);
        ReadSettings(path_, settings_, language_);
    }

    TSettings settings_;
    TLanguage language_ = InitLanguage(1041);
};

TEST_F(ReadSettingsTest, NoFileGivesDefaultsAndNoSavedPosition)
{
    settings_.SavedLeft = 10;
    settings_.SavedTop = 20;
    settings_.Listing = {2, 1, 1, true, "pdf"};
    settings_.SaveDir = "C:\\old";
    settings_.Save = {true, false};
    settings_.ClassicRules = true;
    ReadSettings(path_, settings_, language_);
    EXPECT_EQ(settings_.SavedLeft, kNoSavedPosition);
    EXPECT_EQ(settings_.SavedTop, kNoSavedPosition);
    EXPECT_EQ(settings_.Listing, TListingSettings{});
    EXPECT_FALSE(settings_.ClassicRules);  // older files lack the key: the full rules
    EXPECT_EQ(settings_.SaveDir, "");
    EXPECT_EQ(settings_.Save, TSaveOptions{});
    EXPECT_EQ(settings_.GridWidths, std::vector<std::int32_t>{0});
    EXPECT_FALSE(settings_.Fonts.FontsLoaded);
    EXPECT_EQ(language_.LocaleID, kJapaneseLocaleID);
}

TEST_F(ReadSettingsTest, EachLineByItsOwnPatternInAnyOrderAndCase)
{
    Read("[Font]\n"
         "showorder=1\r\n"
         "GRID   WIDTH(2)=30\r"
         "Pos = (5, 6, 700, 800)\r\n"
         "  SortTarget = 2\r\n"  // leading blanks: no match
         "SaveDir =   D:\\mail\\saved  \r\n"
         "version = 1.26\r\n"
         "Unknown = 1\r\n"
         "\r\n"
         "classicrules=1\r\n"
         "J_Name = Meiryo UI\r\n");
    EXPECT_EQ(settings_.SavedLeft, 5);
    EXPECT_EQ(settings_.SavedTop, 6);
    EXPECT_EQ(settings_.SavedWidth, 700);
    EXPECT_EQ(settings_.SavedHeight, 800);
    EXPECT_EQ(settings_.GridWidths, (std::vector<std::int32_t>{0, 0, 30}));
    EXPECT_EQ(settings_.Listing.SortTarget, 1);
    EXPECT_EQ(settings_.Listing.ShowOrder, 1);
    // Trailing blanks are part of the folder.
    EXPECT_EQ(settings_.SaveDir, "D:\\mail\\saved  ");
    EXPECT_EQ(settings_.Fonts.JapaneseFont.Name, "Meiryo UI");
    EXPECT_TRUE(settings_.ClassicRules);
    Read("ClassicRules = 1\r\nClassicRules = 0\r\n");
    EXPECT_FALSE(settings_.ClassicRules);
    // No charset line: the fonts still await the window's defaults.
    EXPECT_FALSE(settings_.Fonts.FontsLoaded);
}

TEST_F(ReadSettingsTest, FontLinesSelectTheirFontAndIgnoreOddStyles)
{
    Read("e_size = 10\r\n"
         "E_Size = 11\r\n"
         "E_Charset = 300\r\n"
         "j_charset = 128\r\n"
         "E_Style = B\r\n"
         "E_Style = b \r\n"
         "E_Style = i\r\n"
         "J_Style = b\r\n"
         "E_Color = 255\r\n"
         "J_Color = -16777208\r\n");
    EXPECT_EQ(settings_.Fonts.JapaneseFont.Size, 10);
    EXPECT_EQ(settings_.Fonts.SecondFont.Size, 11);
    EXPECT_EQ(settings_.Fonts.SecondFont.Charset, 44);
    EXPECT_EQ(settings_.Fonts.JapaneseFont.Charset, 128);
    EXPECT_TRUE(settings_.Fonts.FontsLoaded);
    EXPECT_EQ(settings_.Fonts.SecondFont.Style, (TFontStyle{false, true}));
    EXPECT_EQ(settings_.Fonts.JapaneseFont.Style, (TFontStyle{true, false}));
    EXPECT_EQ(settings_.Fonts.SecondFont.Color, 255);
    EXPECT_EQ(settings_.Fonts.JapaneseFont.Color, kSystemColorWindowText);
}

TEST_F(ReadSettingsTest, FontsWithoutACharsetLineGiveWayToTheDesignDefaults)
{
    Read("[Font]\r\nE_Size = 20\r\nE_Name = Arial\r\nJ_Style = b\r\n");
    ASSERT_FALSE(settings_.Fonts.FontsLoaded);
    EXPECT_TRUE(TakeSampleFontsUnlessLoaded(settings_.Fonts));
    EXPECT_EQ(settings_.Fonts.SecondFont, SampleFont(1033));
    EXPECT_EQ(settings_.Fonts.JapaneseFont, SampleFont(1041));

    settings_ = TSettings{};
    Read("J_Charset = 128\r\nE_Size = 20\r\n");
    ASSERT_TRUE(settings_.Fonts.FontsLoaded);
    EXPECT_FALSE(TakeSampleFontsUnlessLoaded(settings_.Fonts));
    EXPECT_EQ(settings_.Fonts.SecondFont.Size, 20);
}

TEST_F(ReadSettingsTest, SaveOptionsReadAsFlagsAndDefaultWhenMissing)
{
    // Off by default: numbering; on by default: the mail's date.
    EXPECT_FALSE(TSaveOptions{}.NumberSameNames);
    EXPECT_TRUE(TSaveOptions{}.MailDateOnFiles);
    Read("numbersamenames = 1\r\nMailDateOnFiles=0\r\n");
    EXPECT_TRUE(settings_.Save.NumberSameNames);
    EXPECT_FALSE(settings_.Save.MailDateOnFiles);
    Read("NumberSameNames = 7\r\n");
    EXPECT_TRUE(settings_.Save.NumberSameNames);
    EXPECT_TRUE(settings_.Save.MailDateOnFiles);
    // A file written before these options existed: both keep their defaults.
    Read("[Export Setting]\r\nSaveDir = C:\\x\r\nNumberSameNames = yes\r\n");
    EXPECT_EQ(settings_.Save, TSaveOptions{});
}

TEST_F(ReadSettingsTest, ValuesOfBlanksOnlyReadAsEmpty)
{
    settings_.Fonts.SecondFont.Name = "Tahoma";
    Read("SaveDir = \r\nE_Name =  \t\r\n");
    EXPECT_EQ(settings_.SaveDir, "");
    EXPECT_EQ(settings_.Fonts.SecondFont.Name, "");
    Read("SaveDir =\r\n");
    EXPECT_EQ(settings_.SaveDir, "");
}

TEST_F(ReadSettingsTest, GridWidthsGrowToTheHighestIndexWithinReason)
{
    Read("Grid Width(9) = 50\r\nGrid Width(1) = 20\r\nGrid Width(2000000000) = 5\r\n");
    ASSERT_EQ(settings_.GridWidths.size(), 10u);
    EXPECT_EQ(settings_.GridWidths[9], 50);
    EXPECT_EQ(settings_.GridWidths[1], 20);
    EXPECT_EQ(settings_.GridWidths[0], 0);
}

TEST_F(ReadSettingsTest, LocaleLineChoosesTheLanguageAndLoadsItsTexts)
{
    Read("Locale = 1033\r\n");
    EXPECT_EQ(language_.LocaleID, 1033);
    EXPECT_EQ(language_.PlugInTitle, "Quillbox Plug-in");
    EXPECT_EQ(language_.MessageTable[msgMarkSymbol], "X");

    Read("Locale = 2057\r\n");
    EXPECT_EQ(language_.LocaleID, 2057);
    EXPECT_EQ(language_.MessageTable[msgRepeatMark], " -");

    Read("Locale = 1041\r\n");
    EXPECT_EQ(language_.MessageTable[msgMarkSymbol], "\x81\x9A");  // "★"
}

TEST_F(ReadSettingsTest, NegativePositionIsNoPosition)
{
    Read("Pos = (-8, 20, 700, 500)\r\n");
    EXPECT_EQ(settings_.SavedLeft, kNoSavedPosition);
    EXPECT_EQ(settings_.SavedWidth, 0);
    EXPECT_FALSE(SavedPlacement(settings_, 7).has_value());
}

TEST_F(ReadSettingsTest, NumberBeyond32BitsEndsReadingAndResetsPositionAndView)
{
    Read("Pos = (1, 2, 300, 400)\r\n"
         "ShowType = 1\r\n"
         "SaveDir = C:\\kept\r\n"
         "SortTarget = 2147483648\r\n"
         "ShowOrder = 1\r\n"
         "Locale = 1033\r\n");
    EXPECT_EQ(settings_.SavedLeft, kNoSavedPosition);
    EXPECT_EQ(settings_.SavedTop, kNoSavedPosition);
    EXPECT_EQ(settings_.SavedWidth, 300);
    EXPECT_EQ(settings_.Listing, TListingSettings{});
    EXPECT_EQ(settings_.SaveDir, "C:\\kept");
    EXPECT_EQ(language_.LocaleID, kJapaneseLocaleID);

    // The largest 32-bit number is still a number.
    Read("Pos = (1, 2, 300, 400)\r\nSortTarget = 2147483647\r\n");
    EXPECT_EQ(settings_.SavedLeft, 1);
}

TEST_F(ReadSettingsTest, NumbersOutsideTheirRangesAreBroughtBack)
{
    Read("Grid Width(0) = 8\r\n"
         "Grid Width(1) = 7\r\n"
         "Grid Width(2) = 0\r\n"
         "Grid Width(3) = 2147483647\r\n"
         "Grid Width(4) = 2000\r\n"
         "E_Size = 5000\r\n"
         "J_Size = 5\r\n");
    // 0 is a column without a saved width, as the gaps before a higher index are.
    EXPECT_EQ(settings_.GridWidths, (std::vector<std::int32_t>{8, 8, 0, 2000, 2000}));
    EXPECT_EQ(settings_.Fonts.SecondFont.Size, 72);
    EXPECT_EQ(settings_.Fonts.JapaneseFont.Size, 6);
    Read("E_Size = 72\r\nJ_Size = 6\r\n");
    EXPECT_EQ(settings_.Fonts.SecondFont.Size, 72);
    EXPECT_EQ(settings_.Fonts.JapaneseFont.Size, 6);

    // A view value outside its range is its default; the others stay as read.
    const auto view = [this] {
        return std::tuple(settings_.Listing.SortTarget, settings_.Listing.ShowType, settings_.Listing.ShowOrder);
    };
    for (const char* text : {"SortTarget = 0\r\nShowType = 0\r\nShowOrder = 0\r\n",
                             "SortTarget = 3\r\nShowType = 4\r\nShowOrder = 3\r\n"}) {
        Read(text);
        EXPECT_EQ(view(), std::tuple(1, 3, 2)) << text;
    }
    Read("SortTarget = 2\r\nShowType = 1\r\nShowOrder = 1\r\n");
    EXPECT_EQ(view(), std::tuple(2, 1, 1));
    Read("ShowType = 2\r\nShowOrder = 7\r\n");
    EXPECT_EQ(view(), std::tuple(1, 2, 2));
}

TEST_F(ReadSettingsTest, SavedPlacementAppliesOnlyTheGridsColumns)
{
    Read("Pos = (0, 0, 640, 480)\r\nGrid Width(9) = 50\r\nGrid Width(6) = 60\r\n");
    const auto placement = SavedPlacement(settings_, 7);
    ASSERT_TRUE(placement.has_value());
    EXPECT_EQ(placement->Width, 640);
    EXPECT_EQ(placement->ColumnWidths, (std::vector<std::int32_t>{0, 0, 0, 0, 0, 0, 60}));

    Read("Pos = (0, 0, 640, 480)\r\n");
    EXPECT_EQ(SavedPlacement(settings_, 7)->ColumnWidths, std::vector<std::int32_t>{0});
}

}  // namespace
}  // namespace quillbox::testing
