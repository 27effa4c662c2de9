#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "catalogue/progress.h"
#include "scan_fixture.h"

namespace quillbox {
namespace {

using namespace quillbox::testing;

TEST(WholePercentTest, RoundsExactHalvesToEvenAndCountsNothingAsDone)
{
    EXPECT_EQ(WholePercent(1, 8), 12);    // 12.5
    EXPECT_EQ(WholePercent(3, 8), 38);    // 37.5
    EXPECT_EQ(WholePercent(23, 40), 58);  // 57.5, which floating point sees as 57.4999...
    EXPECT_EQ(WholePercent(109, 200), 54);  // 54.5, seen as 54.5000...1
    EXPECT_EQ(WholePercent(1, 3), 33);
    EXPECT_EQ(WholePercent(2, 3), 67);
    EXPECT_EQ(WholePercent(0, 7), 0);
    EXPECT_EQ(WholePercent(7, 7), 100);
    EXPECT_EQ(WholePercent(0, 0), 100);
    // Large folders: no overflow in the product.
    EXPECT_EQ(WholePercent(2147483647LL, 2147483647LL), 100);
    EXPECT_EQ(PercentText(58), "58%");
}

class TDisplayLog : public TProgressDisplay {
public:
    void ShowProgress(const std::string& text, int position) override { Shown.emplace_back(text, position); }
    std::vector<std::pair<std::string, int>> Shown;
};

TEST(ChangedPercentTest, PassesOnlyANewPercentage)
{
    TDisplayLog display;
    TChangedPercent shown(display);
    for (const int percent : {0, 0, 33, 33, 33, 67, 100, 100}) shown.Show(percent);
    EXPECT_EQ(display.Shown, (std::vector<std::pair<std::string, int>>{{"0%", 0}, {"33%", 33}, {"67%", 67},
                                                                       {"100%", 100}}));
}

// What the scan tells a sink with no window around it.
class TTickLog : public TScanProgress {
public:
    explicit TTickLog(int stopAt = -1) : stopAt_(stopAt) {}
    bool Tick(int percent, bool messagesDue) override
    {
        Percents.push_back(percent);
        if (messagesDue) Due.push_back(static_cast<int>(Percents.size()));
        return static_cast<int>(Percents.size()) != stopAt_;
    }
    std::vector<int> Percents, Due;

private:
    int stopAt_;
};

class UnwatchedScanTest : public ScanFolderTest {
protected:
    std::string ScanWith(TScanProgress& progress)
    {
        std::ofstream(root_ / "box" / "inbox" / kFolderIndexFileName, std::ios::binary) << index_;
        return ScanFolderMails(list_, host_, icons_, progress);
    }
};

TEST_F(UnwatchedScanTest, TicksBeforeEveryMailWithMessagesDueOnEveryTenth)
{
    for (int i = 0; i < 25; ++i) AddMail(std::to_string(i), Multipart({Part(kPdf)}), 1000000000 + i);
    TTickLog log;
    EXPECT_EQ(ScanWith(log), "");
    ASSERT_EQ(log.Percents.size(), 25u);
    EXPECT_EQ(log.Percents.front(), 4);
    EXPECT_EQ(log.Percents.back(), 100);
    // Counting down from 25: mails 20 and 10 are the 6th and 16th visited.
    EXPECT_EQ(log.Due, (std::vector<int>{6, 16}));
    EXPECT_EQ(list_.AttachCount, 25);
}

TEST_F(UnwatchedScanTest, AStopLeavesTheRestUnreadAndCountsWhatWasFound)
{
    for (int i = 0; i < 5; ++i) AddMail(std::to_string(i), Multipart({Part(kPdf)}), 1000000000 + i);
    TTickLog log(3);
    EXPECT_EQ(ScanWith(log), "");
    EXPECT_EQ(list_.AttachCount, 2);
    EXPECT_EQ(Names("4"), std::vector<std::string>{"report.pdf"});
    EXPECT_TRUE(Names("2").empty());
    EXPECT_TRUE(Names("0").empty());
}

TEST_F(UnwatchedScanTest, AFolderThatCannotBeReadIsAnErrorAndAnEmptyList)
{
    AddMail("m", Multipart({Part(kPdf)}));
    TUnwatchedScan unwatched;
    EXPECT_EQ(ScanWith(unwatched), "");
    ASSERT_EQ(list_.Count(), 1u);
    list_.Folder = "box/missing/";
    EXPECT_EQ(ScanFolderMails(list_, host_, icons_, unwatched),
              host_.DataFolder + "box/missing/Folder.idx does not exist.");
    EXPECT_EQ(list_.Count(), 0u);
    EXPECT_EQ(list_.AttachCount, 0);
    list_.Folder.clear();
    EXPECT_EQ(ScanFolderMails(list_, host_, icons_, unwatched), "MailBox or Folder is not selected.");
}

TEST_F(UnwatchedScanTest, AnErrorMidwayKeepsTheCountOfWhatWasFound)
{
    AddMail("old", Multipart({Part(kPdf)}), 1000000000);
    AddMail("bad", Multipart({Part(kPdf)}), 1000000001);
    AddMail("new", Multipart({Part(kPdf)}), 1000000002);
    host_.FailingMail = "box/inbox/?bad";
    TUnwatchedScan unwatched;
    EXPECT_THROW(ScanWith(unwatched), std::runtime_error);
    EXPECT_EQ(list_.AttachCount, 1);
}

}  // namespace
}  // namespace quillbox
