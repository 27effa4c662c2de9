#include <gtest/gtest.h>

#include "catalogue/listing/catalogue_builder.h"
#include "ui/logic/list_grid_fill.h"
#include "ui/logic/listing_controller.h"

namespace quillbox {
namespace {

using testing::CatalogueBuilder;
using Texts = std::vector<std::string>;

struct RecordingWindow : TListingWindow {
    void ShowTotals(const TStatusTotals& shown) override { totals = shown; }
    void ShowViewMenus(const TListingChoiceMarks& shown) override { menus = shown; }
    TStatusTotals totals;
    TListingChoiceMarks menus;
    int fits = 0;
    int listUpdates = 0;
};

struct ListingControllerTest : ::testing::Test {
    ListingControllerTest() { SetUpListGrid(grid); }

    TListingController& List()
    {
        if (!list) {
            list = std::make_unique<TListingController>(catalogue.mails, settings, messages, grid, window, TDigitGrouping{});
            list->OnRebuilt = [this] {
                ++window.fits;
                ++window.listUpdates;
            };
        }
        return *list;
    }
    Texts Column(int col) const
    {
        Texts texts;
        for (int row = 1; row < grid.RowCount(); ++row) texts.push_back(grid.Cell(col, row));
        return texts;
    }
    std::string FileNameAt(int row) const { return grid.Cell(colFileName, row).substr(gap.size()); }

    CatalogueBuilder catalogue;
    TListingSettings settings;
    TMessageTable messages = MessageTableFor(kEnglishLocaleID);
    std::string gap = messages[msgIconGap];
    TGridModel grid{7, 2};
    RecordingWindow window;
    std::unique_ptr<TListingController> list;
};

TEST_F(ListingControllerTest, EmptyListShowsTheHeaderAndOneEmptyRow)
{
    TMailItem& mail = catalogue.AddMail(45000, "a", {{"a.pdf", 10, false, true}, {"b.txt"}});
    List().RebuildView();
    ASSERT_EQ(grid.RowCount(), 3);
    EXPECT_EQ(window.totals.CountText, "1/2 files marked");
    EXPECT_TRUE(window.totals.MarkCommandsEnabled);

    // Everything goes: no row may keep the old mark, colour or text.
    for (auto& attachment : mail.Attachments) attachment->Removed = true;
    List().RebuildView();
    EXPECT_TRUE(List().RowList().empty());
    ASSERT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.Cell(colDate, 0), "Date >>");
    for (int col = 0; col < kListColumnCount; ++col) EXPECT_EQ(grid.Cell(col, 1), "") << col;
    EXPECT_EQ(grid.Resolve(colDate, 1).Background, grid.Defaults().Color);
    EXPECT_EQ(grid.Resolve(colFileName, 1).Background, kFileNameColor);
    EXPECT_EQ(window.totals.TotalText, "Total: 0 bytes");
    EXPECT_EQ(window.totals.MarkedText, "Marked: 0 bytes");
    EXPECT_EQ(window.totals.CountText, "0/0 files marked");
    EXPECT_FALSE(window.totals.MarkCommandsEnabled);
    EXPECT_EQ(catalogue.mails.MarkCount, 0);
    EXPECT_EQ(window.fits, 2);
    EXPECT_EQ(window.listUpdates, 2);
}

TEST_F(ListingControllerTest, RemovedAttachmentsLeaveTheCatalogueCountedAndPlacedAsTheRemovalLeftIt)
{
    TMailItem& first = catalogue.AddMail(45000, "a", {{"a1"}, {"a2"}, {"a3"}});
    TMailItem& second = catalogue.AddMail(45001, "b", {{"b1"}, {"b2"}, {"b3"}, {"b4"}});
    catalogue.mails.AttachCount = 7;
    first.Attachments[0]->Removed = true;
    second.Attachments[1]->Removed = true;
    second.Attachments[2]->Removed = true;
    // The removal has already moved the kept ones to their new places (b4
    // down by two, and a3 into a nested part the test makes up).
    first.Attachments[1]->PartNo = 1;
    first.Attachments[2]->PartNo = 2;
    first.Attachments[2]->NestedPath = {1};
    second.Attachments[3]->PartNo = 2;
    List().RebuildView();
    EXPECT_EQ(catalogue.mails.AttachCount, 4);
    EXPECT_EQ(window.totals.CountText, "0/4 files marked");
    ASSERT_EQ(first.Attachments.size(), 2u);
    EXPECT_EQ(first.Attachments[0]->FileName, "a2");
    EXPECT_EQ(PartPathText(*first.Attachments[0]), "1");
    EXPECT_EQ(PartPathText(*first.Attachments[1]), "2.1");
    ASSERT_EQ(second.Attachments.size(), 2u);
    EXPECT_EQ(second.Attachments[0]->PartNo, 1);
    EXPECT_EQ(second.Attachments[1]->FileName, "b4");
    EXPECT_EQ(second.Attachments[1]->PartNo, 2);
}

TEST_F(ListingControllerTest, RepeatMarksFollowRunsOfOneMailAndCopiesLookThroughThem)
{
    catalogue.AddMail(45000.5, "first", {{"a.pdf", 50}, {"b.txt", 10}, {"c.txt", 40}});
    catalogue.AddMail(45001, "second", {{"d.pdf", 20}});
    settings.SortTarget = 1;
    settings.ShowOrder = 1;
    List().RebuildView();
    const std::string mark = messages[msgRepeatMark];
    EXPECT_EQ(Column(colDate), (Texts{"2023/03/15  12:00:00", mark, mark, "2023/03/16  00:00:00"}));
    EXPECT_EQ(Column(colSubject), (Texts{"first", mark, mark, "second"}));
    EXPECT_EQ(Column(colNumber), (Texts{"1", "2", "3", "4"}));
    EXPECT_EQ(List().CellValue(colSubject, 3), "first");
    EXPECT_EQ(List().CellHint(colFrom, 2), "from first");
    EXPECT_EQ(List().CellValue(colFileName, 2), "b.txt");  // the icon's blanks trimmed

    // By size, the first mail's rows are split up: each run starts in full.
    List().RunListingCommand(TListingCommand::SortBySize);
    EXPECT_EQ(Column(colSize), (Texts{"10", "20", "40", "50"}));
    EXPECT_EQ(Column(colSubject), (Texts{"first", "second", "first", mark}));
    EXPECT_EQ(grid.Cell(colSize, 0), "Size <<");
    EXPECT_EQ(grid.Cell(colDate, 0), "Date");
}

TEST_F(ListingControllerTest, HintsWalkUpThroughRepeatMarksAndNameBytes)
{
    catalogue.AddMail(45000, "a", {{"big.pdf", 1234}});
    List().RebuildView();
    EXPECT_EQ(List().CellHint(colSize, 1), "1,234 byte");
    EXPECT_EQ(List().CellHint(colDate, 0), "Date >>");
    EXPECT_EQ(List().CellHint(colSize, 0), "Size");
    EXPECT_EQ(List().CellHint(colMark, 1), std::nullopt);  // empty cell: no hint
    // A repeat mark with nothing real above it: the walk leaves the grid.
    grid.SetCell(colSubject, 0, messages[msgRepeatMark]);
    grid.SetCell(colSubject, 1, messages[msgRepeatMark]);
    EXPECT_EQ(List().CellHint(colSubject, 1), std::nullopt);
    EXPECT_EQ(List().CellHint(colSubject, 9), std::nullopt);
}

TEST_F(ListingControllerTest, RowAndFileNameColoursFollowMarksAndHtml)
{
    catalogue.AddMail(45000, "a", {{"a.pdf", 10, false, true}, {"NoName.html", 20, true, true}, {"c.txt", 30}});
    settings.SortTarget = 2;
    settings.ShowOrder = 1;
    List().RebuildView();
    EXPECT_EQ(Column(colMark), (Texts{messages[msgMarkSymbol], messages[msgMarkSymbol], ""}));
    EXPECT_EQ(grid.Resolve(colDate, 1).Background, kMarkedRowColor);
    EXPECT_EQ(grid.Resolve(colSize, 2).Background, kMarkedRowColor);
    // A marked row keeps the file-name cell's own background.
    EXPECT_EQ(grid.Resolve(colFileName, 1).Background, kFileNameColor);
    EXPECT_EQ(grid.Resolve(colFileName, 2).Background, kHtmlFileNameColor);
    EXPECT_EQ(grid.Resolve(colDate, 3).Background, grid.Defaults().Color);
    EXPECT_EQ(window.totals.MarkedText, "Marked: 30 bytes");

    // Unmarking repaints with the same rule; the number column stays fixed.
    catalogue.mails[0].Attachments[0]->Marked = false;
    List().ShowMarks(0, 5);
    EXPECT_EQ(grid.Cell(colMark, 1), "");
    EXPECT_EQ(grid.Resolve(colDate, 1).Background, grid.Defaults().Color);
    EXPECT_EQ(grid.Resolve(colNumber, 2).Background, grid.Defaults().FixedColor);

    EXPECT_TRUE(grid.Resolve(colDate, 0).Font.Bold);
    EXPECT_TRUE(grid.Resolve(colSize, 0).Font.Bold);
    EXPECT_FALSE(grid.Resolve(colSubject, 0).Font.Bold);
    EXPECT_EQ(grid.Cell(colFileName, 2), gap + "NoName.html");
}

TEST_F(ListingControllerTest, HeaderPressesPickTheKeyOrReverseTheOrder)
{
    catalogue.AddMail(45000, "a", {{"small", 1}, {"large", 9}});
    catalogue.AddMail(45001, "b", {{"middle", 5}});
    settings.SortTarget = 1;
    settings.ShowOrder = 2;
    List().RebuildView();
    EXPECT_EQ(FileNameAt(1), "middle");

    List().HeaderPressed(colDate);  // date already: flips
    EXPECT_EQ(settings.ShowOrder, 1);
    EXPECT_EQ(grid.Cell(colDate, 0), "Date <<");
    EXPECT_EQ(FileNameAt(1), "small");
    List().HeaderPressed(colDate);
    EXPECT_EQ(grid.Cell(colDate, 0), "Date >>");

    List().HeaderPressed(colSize);  // switches the key, keeps the order
    EXPECT_EQ(settings.SortTarget, 2);
    EXPECT_EQ(settings.ShowOrder, 2);
    EXPECT_EQ(FileNameAt(1), "large");
    EXPECT_TRUE(window.menus.SortBySizeChecked);

    List().HeaderPressed(colSubject);  // nothing changes, the list is redrawn
    EXPECT_EQ(settings.SortTarget, 2);
    EXPECT_EQ(settings.ShowOrder, 2);

    // A hand-edited key acts as the date: pressing the date header reverses.
    settings.SortTarget = 7;
    List().HeaderPressed(colDate);
    EXPECT_EQ(settings.ShowOrder, 1);
    settings.ShowOrder = 9;  // counts as descending, so a flip ascends
    List().HeaderPressed(colDate);
    EXPECT_EQ(settings.ShowOrder, 1);
}

TEST_F(ListingControllerTest, ExtensionFilterFromAReportPdfRowAndBackThroughShowTypes)
{
    catalogue.AddMail(45000, "a", {{"Report.PDF"}, {"x.doc"}});
    catalogue.AddMail(45001, "b", {{"scan.pdf"}, {"NoName.html", 100, true}});
    settings.ShowOrder = 1;
    settings.TargetExt = "doc";
    List().RebuildView();

    List().SetTargetExtension(0);
    EXPECT_TRUE(settings.ExtFilterOn);
    EXPECT_EQ(settings.TargetExt, "pdf");
    EXPECT_EQ(List().RowList().size(), 2u);
    EXPECT_EQ(window.menus.FilterText, "Showing only *.pdf files");
    EXPECT_TRUE(window.menus.SetTargetExtensionChecked);
    EXPECT_EQ(window.menus.ShowAllItems, TToolButtonMark{});  // no show button stands for it
    EXPECT_TRUE(window.menus.ShowAllItemsChecked);

    List().SetTargetExtension(1);  // again: off
    EXPECT_FALSE(settings.ExtFilterOn);
    EXPECT_EQ(List().RowList().size(), 4u);
    EXPECT_EQ(window.menus.FilterText, "");
    EXPECT_EQ(window.menus.ShowAllItems, (TToolButtonMark{true, true}));

    // No attachment, or one without a cache entry: nothing happens.
    List().SetTargetExtension(4);
    catalogue.mails[0].Attachments[1]->Icon = nullptr;
    List().SetTargetExtension(1);
    EXPECT_FALSE(settings.ExtFilterOn);

    List().SetTargetExtension(0);
    List().RunListingCommand(TListingCommand::ShowOnlyHTMLs);
    EXPECT_FALSE(settings.ExtFilterOn);
    EXPECT_EQ(settings.ShowType, 2);
    EXPECT_EQ(List().RowList().size(), 1u);
    EXPECT_TRUE(window.menus.ShowOnlyHTMLsChecked);
    EXPECT_EQ(window.menus.ShowOnlyHTMLs, (TToolButtonMark{true, true}));
    EXPECT_EQ(window.menus.ShowAllItems, TToolButtonMark{});
}

TEST(ViewMenus, OddSettingsShowWhatTheyActAs)
{
    const TMessageTable messages = MessageTableFor(kEnglishLocaleID);
    TListingSettings settings;
    settings.SortTarget = 0;
    settings.ShowOrder = 5;
    settings.ShowType = 0;
    const TListingChoiceMarks state = ListingChoiceMarks(settings, messages);
    EXPECT_TRUE(state.SortByDateChecked && !state.SortBySizeChecked);
    EXPECT_TRUE(state.DeccendingChecked && !state.AccendingChecked);
    EXPECT_EQ(state.Deccending, (TToolButtonMark{true, true}));
    EXPECT_EQ(state.Accending, TToolButtonMark{});
    EXPECT_TRUE(state.ShowAllItemsChecked && !state.ShowNonHTMLsChecked && !state.ShowOnlyHTMLsChecked);
    settings.ShowType = 5;
    EXPECT_TRUE(ListingChoiceMarks(settings, messages).ShowNonHTMLsChecked);
}

TEST(StatusTotals, SumsPastTwoGigabytesAndGroupsDigitsTheSystemWay)
{
    CatalogueBuilder catalogue;
    catalogue.AddMail(45000, "a", {{"a", 2'000'000'000, false, true}, {"b", 2'000'000'000, false, true}, {"c", 5}});
    TRowList rows;
    for (std::int32_t a = 0; a < 3; ++a)
        rows.push_back({0, a, catalogue.mails[0].Attachments[a].get(), &catalogue.mails[0]});
    const TListTotals totals = CountTotals(rows, catalogue.mails);
    EXPECT_EQ(totals.MarkCount, 2);
    const TMessageTable messages = MessageTableFor(kEnglishLocaleID);
    const TStatusTotals texts = StatusTotals(totals, messages, {".", 3});
    EXPECT_EQ(texts.TotalText, "Total: 4.000.000.005 bytes");
    EXPECT_EQ(texts.CountText, "2/3 files marked");

    EXPECT_EQ(FormatWholeNumber(999, {}), "999");
    EXPECT_EQ(FormatWholeNumber(-1234567, {}), "-1,234,567");
    EXPECT_EQ(FormatWholeNumber(1234567, {"", 3}), "1234567");
    EXPECT_EQ(FormatWholeNumber(1234567, {"'", 0}), "1234567");
    EXPECT_EQ(FormatWholeNumber(INT64_MIN, {}), "-9,223,372,036,854,775,808");
}

}  // namespace
}  // namespace quillbox
