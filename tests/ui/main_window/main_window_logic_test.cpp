#include "ui/main_window/main_window_logic.h"

#include <gtest/gtest.h>

#include "regex/b_reg_exp.h"
#include "regex/regex_library.h"
#include "tests/ui/main_window/fake_shell.h"
#include "text/code_page.h"
#include "ui/main_window/column_fit.h"

namespace quillbox {
namespace {

using testing::TFakeShell;

class MainWindowLogic : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        TCodePage::SetActiveForProcess(932);
        ASSERT_TRUE(LoadRegexLibrary(QBX_REGEX_LIBRARY_DIR, [](const std::string& m) { FAIL() << m; }));
    }
    static void TearDownTestSuite() { UnloadRegexLibrary(); }

    MainWindowLogic()
        : logic(shell, messages, gridWidths, [](const std::string& pattern, const std::string& text) {
              return SharedRegExp().Match(pattern, text);
          })
    {
        logic.Attach(shell.grid, shell.list);
    }

    // Two rows of one mail, then a row of another, by ascending date.
    void FillThreeRows() { shell.List({{"Plans", {"report.pdf", "photo.jpg"}}, {"Minutes", {"notes.txt"}}}); }

    bool Marked(int position) { return shell.RowAt(position).Attachment->Marked; }
    std::optional<TColor> RowBackground(int row) const
    {
        return shell.grid.model.FormatSet(TSetKey::ForRow(row)).Background;
    }

    TMessageTable messages = MessageTableFor(kEnglishLocaleID);
    TFakeShell shell{messages};
    std::vector<std::int32_t> gridWidths = {0};
    TMainWindowLogic logic;
};

TEST_F(MainWindowLogic, MarkingSelectedRowsColoursThemAndUpdatesTotals)
{
    FillThreeRows();
    shell.grid.SetSelection({1, 2, 6, 3});
    logic.MarkSelection(true);
    EXPECT_FALSE(Marked(0));
    EXPECT_TRUE(Marked(1));
    EXPECT_TRUE(Marked(2));
    EXPECT_EQ(shell.grid.model.Cell(colMark, 2), messages[msgMarkSymbol]);
    EXPECT_EQ(RowBackground(3), Rgb(255, 238, 238));
    EXPECT_FALSE(RowBackground(1).has_value());
    EXPECT_EQ(shell.totalsUpdates, 1);
    EXPECT_EQ(shell.catalogue.mails.MarkCount, 2);
    EXPECT_TRUE(shell.totals.MarkCommandsEnabled);

    // The file-name cell's own background wins over the marked row's.
    EXPECT_NE(shell.grid.model.Resolve(colFileName, 2).Background, Rgb(255, 238, 238));
    EXPECT_EQ(shell.grid.model.Resolve(4, 2).Background, Rgb(255, 238, 238));

    shell.grid.SetSelection({1, 1, 6, 2});
    logic.ToggleSelection();
    EXPECT_TRUE(Marked(0));
    EXPECT_FALSE(Marked(1));
    EXPECT_EQ(shell.grid.model.Cell(colMark, 2), "");
    EXPECT_FALSE(RowBackground(2).has_value());

    logic.UnmarkAll();
    for (int p = 0; p < 3; ++p) EXPECT_FALSE(Marked(p)) << p;
    EXPECT_EQ(shell.grid.scroll.Selection(), (TGridRect{1, 1, 6, 1}));
    EXPECT_FALSE(shell.totals.MarkCommandsEnabled);
}

TEST_F(MainWindowLogic, MarksSkipRowsTheListDoesNotHave)
{
    FillThreeRows();
    shell.grid.model.SetRowCount(200);  // the grid as a scan leaves it
    logic.SelectAll();
    EXPECT_EQ(shell.grid.scroll.Selection(), (TGridRect{1, 1, 6, 199}));
    logic.MarkSelection(true);
    EXPECT_TRUE(Marked(0) && Marked(1) && Marked(2));
    EXPECT_EQ(shell.grid.model.Cell(colMark, 4), "");
    EXPECT_FALSE(RowBackground(4).has_value());
}

TEST_F(MainWindowLogic, CopiedTableWritesRepeatedValuesOutAndTrimsBlanks)
{
    FillThreeRows();
    logic.CopyTable();
    ASSERT_EQ(shell.grid.model.Cell(2, 2), messages[msgRepeatMark]);
    const std::string clip = shell.clipboard;
    const std::string rows = clip.substr(clip.find("\r\n") + 2);
    EXPECT_EQ(rows,
              "1\t\t2001/09/09  00:00:00\tPlans\tfrom Plans\treport.pdf\t100\r\n"
              "2\t\t2001/09/09  00:00:00\tPlans\tfrom Plans\tphoto.jpg\t100\r\n"
              "3\t\t2001/09/10  00:00:00\tMinutes\tfrom Minutes\tnotes.txt\t100");
    EXPECT_EQ(std::count(clip.begin(), clip.end(), '\t'), 4 * 6);
}

TEST_F(MainWindowLogic, CopiedTableStopsAtTheLastListedRow)
{
    FillThreeRows();
    shell.grid.model.SetRowCount(200);
    const std::string text = logic.TableText();
    EXPECT_EQ(text.substr(text.rfind("\r\n") + 2), "3\t\t2001/09/10  00:00:00\tMinutes\tfrom Minutes\tnotes.txt\t100");
}

TEST_F(MainWindowLogic, FindStartsAtTheCurrentRowAndFindNextWraps)
{
    FillThreeRows();
    shell.grid.MoveTo(5, 1);
    shell.answer = "PDF";
    logic.Find();
    EXPECT_EQ(shell.askedWith, std::vector<std::string>{""});
    EXPECT_EQ(shell.grid.scroll.Row(), 1);
    EXPECT_EQ(shell.findNextEnabled, true);

    logic.FindNext();  // rows 2, 3, then round to 1
    EXPECT_EQ(shell.grid.scroll.Row(), 1);
    EXPECT_EQ(shell.beeps, 0);

    shell.answer = "notes|jpg";
    logic.Find();
    EXPECT_EQ(shell.askedWith.back(), "PDF");
    EXPECT_EQ(shell.grid.scroll.Row(), 2);
    logic.FindNext();
    EXPECT_EQ(shell.grid.scroll.Row(), 3);
    logic.FindNext();
    EXPECT_EQ(shell.grid.scroll.Row(), 2);
}

TEST_F(MainWindowLogic, FindWithoutMatchBeepsAndLeavesFindNextDisabled)
{
    FillThreeRows();
    shell.grid.MoveTo(5, 2);
    shell.answer = "zip";
    logic.Find();
    EXPECT_EQ(shell.beeps, 1);
    EXPECT_EQ(shell.notices, std::vector<std::string>{messages[msgNotFound]});
    EXPECT_EQ(shell.findNextEnabled, false);
    EXPECT_EQ(shell.grid.scroll.Row(), 2);

    // Cancelled: nothing searched, the text kept. Column 0 is never searched.
    shell.answer.reset();
    logic.Find();
    EXPECT_EQ(logic.SearchText(), "zip");
    shell.answer = "^3$";
    logic.Find();
    EXPECT_EQ(shell.beeps, 2);
}

TEST_F(MainWindowLogic, FindSearchesDatesWithSlashes)
{
    FillThreeRows();
    shell.grid.MoveTo(5, 1);
    shell.answer = "2001/09/10";
    logic.Find();
    EXPECT_EQ(shell.grid.scroll.Row(), 3);
    shell.answer = "09\\/09";  // already escaped: left as it is
    logic.Find();
    EXPECT_EQ(shell.grid.scroll.Row(), 1);
}

TEST_F(MainWindowLogic, BadSearchPatternRaisesThePatternError)
{
    FillThreeRows();
    shell.grid.MoveTo(5, 1);
    shell.answer = "(pdf";
    EXPECT_THROW(logic.Find(), EBRegExpError);
    EXPECT_EQ(shell.grid.scroll.Row(), 1);
    EXPECT_EQ(logic.SearchText(), "(pdf");
}

TEST(FindPatternTest, EscapesBareSlashesOnly)
{
    TCodePage::SetActiveForProcess(932);
    EXPECT_EQ(FindPattern("2001/09/09"), "m/2001\\/09\\/09/i");
    EXPECT_EQ(FindPattern("a\\/b"), "m/a\\/b/i");
    EXPECT_EQ(FindPattern("a\\\\/b"), "m/a\\\\\\/b/i");
    EXPECT_EQ(FindPattern("a/"), "m/a\\//i");
    // "\x95\x5C" is one character whose trail byte is a backslash: the slash
    // after it still needs its escape.
    EXPECT_EQ(FindPattern("\x95\x5C/"), "m/\x95\x5C\\//i");
}

TEST_F(MainWindowLogic, HeaderClicksSortAndBlockTheJump)
{
    FillThreeRows();
    const TListingSettings& view = shell.viewSettings;
    logic.GridMouseDown(TGridButton::Left, 2, 0);  // sorted by date: order flips
    EXPECT_EQ(view.SortTarget, 1);
    EXPECT_EQ(view.ShowOrder, 2);
    EXPECT_EQ(shell.grid.model.Cell(5, 1), messages[msgIconGap] + "notes.txt");
    logic.GridMouseDown(TGridButton::Left, 6, 0);  // by size, order kept
    EXPECT_EQ(view.SortTarget, 2);
    EXPECT_EQ(view.ShowOrder, 2);
    logic.GridMouseDown(TGridButton::Middle, 4, 0);  // another column: settings kept
    EXPECT_EQ(view.SortTarget, 2);
    EXPECT_EQ(view.ShowOrder, 2);
    EXPECT_TRUE(logic.HeaderClicked());
    logic.GridMouseDown(TGridButton::Left, 2, 0);
    EXPECT_EQ(view.SortTarget, 1);
    EXPECT_EQ(shell.grid.model.Cell(5, 1), messages[msgIconGap] + "notes.txt");

    logic.JumpToMail();
    EXPECT_TRUE(shell.currentMails.empty());
    // A right press does not end the header state.
    logic.GridMouseDown(TGridButton::Right, 5, 2);
    logic.JumpToMail();
    EXPECT_TRUE(shell.currentMails.empty());
    logic.GridMouseDown(TGridButton::Left, 5, 2);
    EXPECT_FALSE(logic.HeaderClicked());
    logic.JumpToMail();
    EXPECT_EQ(shell.currentMails, std::vector<std::string>{"folder\\?Plans"});
}

TEST_F(MainWindowLogic, JumpNeedsARowAndTogglesOnTheMarkColumn)
{
    FillThreeRows();
    logic.JumpToMail();  // no press yet: row 0 has no list entry
    EXPECT_TRUE(shell.currentMails.empty());

    shell.grid.MoveTo(5, 3);
    logic.GridMouseDown(TGridButton::Right, colMark, 2);  // cursor moves, selection reduced
    EXPECT_EQ(shell.grid.scroll.Row(), 2);
    logic.JumpToMail();
    EXPECT_TRUE(Marked(1));
    EXPECT_TRUE(shell.currentMails.empty());

    logic.GridMouseDown(TGridButton::Right, 0, 3);  // the number column keeps the cursor
    EXPECT_EQ(shell.grid.scroll.Row(), 2);

    shell.grid.MoveTo(5, 3);
    logic.EnterKey();
    EXPECT_EQ(logic.LastRow(), 3);
    EXPECT_EQ(logic.LastCol(), colFileName);
    EXPECT_EQ(shell.currentMails, std::vector<std::string>{"folder\\?Minutes"});

    logic.SpaceKey();
    EXPECT_TRUE(Marked(2));
}

TEST_F(MainWindowLogic, ThePopupKeyTakesTheCursorRowNotTheLastPress)
{
    FillThreeRows();
    logic.GridMouseDown(TGridButton::Left, colMark, 1);
    shell.grid.MoveTo(colMark, 3);  // moved on with the keys
    logic.PopupKey();
    logic.JumpToMail();  // the pop-up's jump
    EXPECT_EQ(shell.currentMails, std::vector<std::string>{"folder\\?Minutes"});
    EXPECT_FALSE(Marked(0));
    EXPECT_FALSE(Marked(2));
}

TEST_F(MainWindowLogic, ListCommandsFollowTheRowCount)
{
    logic.ListUpdated();
    ASSERT_EQ(shell.enabledCommands.size(), 7u);
    for (const auto& [command, enabled] : shell.enabledCommands) EXPECT_FALSE(enabled);
    FillThreeRows();
    logic.ListUpdated();
    for (const auto& [command, enabled] : shell.enabledCommands) EXPECT_TRUE(enabled);
}

TEST_F(MainWindowLogic, EmptyFolderShowsTheNoticeOnceAndCloses)
{
    logic.TimerTick();
    logic.TimerTick();  // the activation after the box
    EXPECT_EQ(shell.scans, 1);
    EXPECT_EQ(shell.notices, std::vector<std::string>{messages[msgNoAttachments]});
    EXPECT_EQ(shell.closes, 1);
}

TEST_F(MainWindowLogic, EscDuringTheScanStopsItAndAfterwardsCloses)
{
    shell.onScan = [this] {
        logic.SetScanning(true);
        logic.EscapeKey();
        logic.SetScanning(false);
    };
    logic.TimerTick();
    EXPECT_EQ(shell.closes, 0);
    EXPECT_TRUE(shell.notices.empty());
    EXPECT_TRUE(logic.EscPressed());
    logic.EscapeKey();
    EXPECT_EQ(shell.closes, 1);
}

TEST_F(MainWindowLogic, ClosingDuringTheScanStopsItAndClosesWithoutTheNotice)
{
    bool stopAsked = false;
    shell.onScan = [&] {
        logic.SetScanning(true);
        logic.CloseRequested();
        EXPECT_EQ(shell.closes, 0);  // not while the scan is still on the stack
        stopAsked = logic.EscPressed();
        logic.SetScanning(false);
    };
    logic.TimerTick();  // the scan finds nothing
    EXPECT_TRUE(stopAsked);
    EXPECT_TRUE(shell.notices.empty());
    EXPECT_EQ(shell.closes, 1);

    // Outside a scan the window closes at once.
    logic.CloseRequested();
    EXPECT_EQ(shell.closes, 2);
}

TEST_F(MainWindowLogic, EscDuringAStoppableRunAsksItToStopAndAfterwardsCloses)
{
    logic.SetStoppableRun(true);
    logic.EscapeKey();
    EXPECT_EQ(shell.closes, 0);
    EXPECT_TRUE(logic.EscPressed());
    logic.SetStoppableRun(false);
    logic.ClearEscPressed();
    logic.EscapeKey();
    EXPECT_EQ(shell.closes, 1);
}

TEST_F(MainWindowLogic, ScanWithAttachmentsEnablesTheListAndFocusesTheGrid)
{
    shell.onScan = [this] { FillThreeRows(); };
    logic.TimerTick();
    EXPECT_TRUE(shell.enabledCommands[TListCommand::CopyGrid]);
    EXPECT_EQ(shell.gridFocused, 1);
    EXPECT_EQ(shell.closes, 0);
}

class ColumnWidths : public MainWindowLogic {
protected:
    ColumnWidths()
    {
        const int widths[] = {40, 29, 64, 190, 118, 154, 66};
        for (int col = 0; col < 7; ++col) shell.grid.model.SetColWidth(col, widths[col]);
        shell.grid.scroll.SetClientSize(661 + 7, 400);
    }
    int Sum() const
    {
        int sum = 0;
        for (int w : shell.grid.model.ColWidths()) sum += w;
        return sum;
    }
};

TEST_F(ColumnWidths, FirstPaintRemembersTheWidths)
{
    logic.FitSubjectColumn();  // before the first paint: nothing
    EXPECT_EQ(gridWidths, std::vector<std::int32_t>{0});
    logic.CellDrawn();
    EXPECT_EQ(gridWidths, (std::vector<std::int32_t>{40, 29, 64, 190, 118, 154, 66}));
    EXPECT_EQ(shell.windowWidth, 700);
}

TEST_F(ColumnWidths, DraggingABorderWidensTheWindowByTheSameAmount)
{
    logic.CellDrawn();
    shell.grid.model.SetColWidth(5, 204);
    logic.CellDrawn();
    EXPECT_EQ(shell.windowWidth, 750);
    EXPECT_EQ(shell.grid.scroll.ClientWidth(), Sum() + 7);
    logic.FitSubjectColumn();  // the resize that follows keeps the subject's width
    EXPECT_EQ(shell.grid.model.ColWidth(colSubject), 190);
    EXPECT_EQ(gridWidths[5], 204);

    shell.grid.model.SetColWidth(1, 3);
    logic.CellDrawn();
    EXPECT_EQ(shell.grid.model.ColWidth(1), kMainWindowDesign.MinColumnWidth);
    EXPECT_EQ(shell.windowWidth, 731);  // 19 pixels narrower than before
}

TEST_F(ColumnWidths, ResizingTheWindowGoesToTheSubjectColumnDownTo100)
{
    logic.CellDrawn();
    shell.SetWindowWidth(800);
    logic.FitSubjectColumn();
    EXPECT_EQ(shell.grid.model.ColWidth(colSubject), 290);
    EXPECT_EQ(gridWidths[colSubject], 290);
    shell.SetWindowWidth(500);
    logic.FitSubjectColumn();
    EXPECT_EQ(shell.grid.model.ColWidth(colSubject), kMainWindowDesign.MinSubjectWidth);
    EXPECT_EQ(gridWidths[colSubject], kMainWindowDesign.MinSubjectWidth);

    // At 144 DPI the limits grow with everything else.
    logic.SetMetrics(ScaledMetrics(kMainWindowDesign, TDpiScale(144)));
    logic.FitSubjectColumn();
    EXPECT_EQ(shell.grid.model.ColWidth(colSubject), 150);
    shell.grid.model.SetColWidth(1, 12);
    logic.CellDrawn();
    EXPECT_EQ(shell.grid.model.ColWidth(1), 15);
}

TEST_F(ColumnWidths, AFirstScanFitsTheDateMarkNumberAndSizeColumnsAndGivesTheSubjectTheRest)
{
    logic.CellDrawn();  // the window was painted before the scan
    shell.onScan = [this] { FillThreeRows(); };
    logic.FitColumnsAfterScan();
    logic.TimerTick();
    const TGridModel& model = shell.grid.model;
    // "2001/09/09  00:00:00" is 20 bytes: 120 pixels, 2 of margin each side, 2 of air.
    EXPECT_EQ(model.ColWidth(colDate), 20 * 6 + 4 + 2);
    // The headings are bold; the size heading is measured with a sort mark,
    // which it does not show yet: "Size >>" is 7 bytes.
    EXPECT_EQ(model.Cell(colSize, 0), "Size");
    EXPECT_EQ(model.ColWidth(colSize), 7 * 7 + 6);
    EXPECT_EQ(model.ColWidth(colNumber), 3 * 6 + 6);  // "No."
    EXPECT_EQ(model.ColWidth(colMark), 4 * 6 + 6);    // "Mark"
    EXPECT_EQ(model.ColWidth(colFrom), 118);
    EXPECT_EQ(model.ColWidth(colFileName), 154);
    // The subject takes the rest: the window keeps its width.
    EXPECT_EQ(Sum() + 7, shell.grid.scroll.ClientWidth());
    EXPECT_EQ(std::vector<int>(gridWidths.begin(), gridWidths.end()), model.ColWidths());
    logic.CellDrawn();
    EXPECT_EQ(shell.windowWidth, 700);
}

TEST_F(ColumnWidths, AScanStoppedWithEscFitsTheColumnsToWhatItListed)
{
    logic.CellDrawn();
    shell.onScan = [this] {
        FillThreeRows();
        logic.SetScanning(true);
        logic.EscapeKey();
        logic.SetScanning(false);
    };
    logic.FitColumnsAfterScan();
    logic.TimerTick();
    EXPECT_EQ(shell.closes, 0);
    EXPECT_EQ(shell.grid.model.ColWidth(colDate), 20 * 6 + 4 + 2);
}

TEST_F(ColumnWidths, SavedWidthsAreNotFittedAndANarrowWindowKeepsTheSubjectsMinimum)
{
    shell.onScan = [this] { FillThreeRows(); };
    logic.TimerTick();
    EXPECT_EQ(shell.grid.model.ColWidth(colDate), 64);

    const std::vector<int> current = {40, 29, 64, 190, 118, 154, 66};
    const std::vector<int> widest = {30, 20, 300, 999, 999, 999, 60};
    const std::vector<int> fitted = FittedColumnWidths(current, widest, 661 + 7, kMainWindowDesign);
    EXPECT_EQ(fitted, (std::vector<int>{36, 26, 306, 100, 118, 154, 66}));
    // At 144 DPI margins, air and minimum are scaled: 3, 3 and 15.
    const TMainWindowMetrics large = ScaledMetrics(kMainWindowDesign, TDpiScale(144));
    EXPECT_EQ(FittedColumnWidths(current, {0, 5, 0, 0, 0, 0, 0}, 1000, large)[colMark], 15);
    EXPECT_EQ(FittedColumnWidths(current, {0, 20, 0, 0, 0, 0, 0}, 1000, large)[colMark], 20 + 6 + 3);
}

TEST_F(ColumnWidths, WidthsAtAnotherWidthAreThoseTheResizeWouldGive)
{
    logic.CellDrawn();
    shell.SetWindowWidth(1288);  // maximised
    logic.FitSubjectColumn();
    const std::vector<std::int32_t> maximised = gridWidths;
    for (const int width : {800, 700, 400}) {
        shell.SetWindowWidth(width);
        logic.FitSubjectColumn();
        EXPECT_EQ(logic.ColumnWidthsAtWidth(maximised, 1288, width), gridWidths) << width;
    }
}

}  // namespace
}  // namespace quillbox
