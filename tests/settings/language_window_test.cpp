#include "settings/language_window.h"

#include <gtest/gtest.h>

#include <vector>

namespace quillbox {
namespace {

// Records what the window is told, and shows a grid cell the way the list
// does: the repeat mark, the mark symbol and the sort mark of the header.
class TRecordingWindow : public TLanguageWindow {
public:
    explicit TRecordingWindow(const TLanguage& language) : language_(language) {}

    void SetCaption(const std::string& caption) override { Caption = caption, Log("caption"); }
    void SetWindowFont(const TFontDescription& font) override { WindowFont = font, Log("font"); }
    void SetLanguageChecks(bool japanese) override { JapaneseChecked = japanese, Log("checks"); }
    void SetControlText(const TControlText& text) override
    {
        Texts.push_back(text);
        if (Texts.size() == 1) Log("label");
    }
    void EmphasizeFolderLabels() override { Log("emphasize"); }
    int BlankWidth() const override { return Blank; }
    int IconGapWidth() const override { return Gap; }
    void SetGridFont(const TFontDescription& font) override { GridFont = font, Log("grid font"); }
    void FillGrid() override
    {
        const TMessageTable& table = language_.MessageTable;
        GridCells = table[msgRepeatMark] + "|" + table[msgMarkSymbol] + "|" + table[msgDateHeader] +
                    table[msgAscendingMark];
        Log("fill");
    }
    void UpdateViewMenus() override { Log("view menus"); }
    std::optional<TFontDescription> ChooseFont(const TFontDescription& font) override
    {
        OfferedFont = font;
        return Chosen;
    }

    std::vector<std::string> Events;
    std::vector<TControlText> Texts;
    std::string Caption, GridCells;
    TFontDescription WindowFont, GridFont, OfferedFont;
    bool JapaneseChecked = false;
    int Blank = 4;
    int Gap = kIconGapPixels;
    std::optional<TFontDescription> Chosen;

private:
    void Log(const std::string& what) { Events.push_back(what); }
    const TLanguage& language_;
};

class LanguageWindowTest : public ::testing::Test {
protected:
    TLanguage language_ = InitLanguage(1041);
    TInterfaceFonts fonts_;
    TRecordingWindow window_{language_};
};

TEST_F(LanguageWindowTest, ANewWindowTakesTheDesignFontsOnceAndAppliesEverythingInOrder)
{
    ApplyLanguageToNewWindow(language_, fonts_, window_);
    EXPECT_TRUE(fonts_.FontsLoaded);
    EXPECT_EQ(window_.WindowFont, SampleFont(1041));
    EXPECT_EQ(window_.GridFont, SampleFont(1041));
    EXPECT_EQ(window_.Events, (std::vector<std::string>{"caption", "font", "label", "checks", "emphasize",
                                                        "grid font", "fill"}));
    EXPECT_EQ(window_.Caption, language_.PlugInTitle + " for Tansy!2");
    EXPECT_TRUE(window_.JapaneseChecked);
    EXPECT_EQ(window_.Texts.size(), CaptionTableFor(1041).size());
    EXPECT_EQ(window_.Texts.front().Control, "lblTargetFolderLbl");

    // A font chosen in the first window survives into the next one.
    fonts_.JapaneseFont.Name = "Meiryo";
    TRecordingWindow second(language_);
    ApplyLanguageToNewWindow(language_, fonts_, second);
    EXPECT_EQ(second.WindowFont.Name, "Meiryo");
}

TEST_F(LanguageWindowTest, FontsFromTheSettingsFileAreNotReplaced)
{
    fonts_.FontsLoaded = true;
    fonts_.SecondFont = {0, 12, 255, {true}, "Arial"};
    language_.LocaleID = 1033;
    ApplyLanguageToNewWindow(language_, fonts_, window_);
    EXPECT_EQ(window_.WindowFont, fonts_.SecondFont);
    EXPECT_EQ(window_.Caption, "Quillbox Plug-in for Tansy!2");
    EXPECT_FALSE(window_.JapaneseChecked);
}

TEST_F(LanguageWindowTest, TheIconGapFollowsTheWidthOfABlank)
{
    for (const auto& [width, blanks] : std::vector<std::pair<int, std::size_t>>{{3, 7}, {4, 5}, {22, 1}, {23, 0}}) {
        window_.Blank = width;
        ApplyLanguage(language_, fonts_, window_);
        EXPECT_EQ(language_.MessageTable[msgIconGap], std::string(blanks, ' ')) << width;
    }
    // At 144 DPI the gap is 33 pixels and a blank of the same font 5.
    window_.Gap = 33;
    window_.Blank = 5;
    ApplyLanguage(language_, fonts_, window_);
    EXPECT_EQ(language_.MessageTable[msgIconGap], std::string(6, ' '));
    window_.Blank = 0;
    ApplyLanguage(language_, fonts_, window_);
    EXPECT_EQ(language_.MessageTable[msgIconGap], "     ");
}

TEST_F(LanguageWindowTest, SwitchingLanguageChangesTheMarksChecksAndFontLive)
{
    TakeSampleFontsUnlessLoaded(fonts_);
    ApplyLanguage(language_, fonts_, window_);
    EXPECT_EQ(window_.GridCells, "\x81\x56|\x81\x9A|\x93\xFA\x95\x74\x81\xA3");  // "〃|★|日付▲"

    window_.Events.clear();
    SwitchLanguage(kEnglishLocaleID, language_, fonts_, window_);
    EXPECT_EQ(language_.LocaleID, 1033);
    EXPECT_EQ(window_.GridCells, " -|X|Date <<");
    EXPECT_FALSE(window_.JapaneseChecked);
    EXPECT_EQ(window_.WindowFont, SampleFont(1033));
    EXPECT_EQ(window_.Events.back(), "fill");
    EXPECT_EQ(window_.Events[window_.Events.size() - 2], "view menus");

    SwitchLanguage(kJapaneseLocaleID, language_, fonts_, window_);
    EXPECT_EQ(window_.GridCells, "\x81\x56|\x81\x9A|\x93\xFA\x95\x74\x81\xA3");
    EXPECT_TRUE(window_.JapaneseChecked);
    EXPECT_EQ(window_.WindowFont, SampleFont(1041));
}

TEST_F(LanguageWindowTest, ChangingTheFontTouchesOnlyTheCurrentLanguage)
{
    TakeSampleFontsUnlessLoaded(fonts_);
    SwitchLanguage(kEnglishLocaleID, language_, fonts_, window_);
    window_.Chosen = TFontDescription{0, 14, 0x0000FF, {false, true, true}, "Verdana"};
    ChangeFont(language_, fonts_, window_);
    EXPECT_EQ(window_.OfferedFont, SampleFont(1033));
    EXPECT_EQ(fonts_.SecondFont, *window_.Chosen);
    EXPECT_EQ(fonts_.JapaneseFont, SampleFont(1041));
    EXPECT_EQ(window_.WindowFont, *window_.Chosen);

    SwitchLanguage(kJapaneseLocaleID, language_, fonts_, window_);
    EXPECT_EQ(window_.WindowFont, SampleFont(1041));
    SwitchLanguage(kEnglishLocaleID, language_, fonts_, window_);
    EXPECT_EQ(window_.WindowFont, *window_.Chosen);

    // Cancelling the dialog changes nothing and applies nothing.
    window_.Chosen.reset();
    window_.Events.clear();
    ChangeFont(language_, fonts_, window_);
    EXPECT_TRUE(window_.Events.empty());
    EXPECT_EQ(fonts_.SecondFont.Name, "Verdana");
}

}  // namespace
}  // namespace quillbox
