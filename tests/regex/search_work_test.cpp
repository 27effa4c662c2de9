// How much work a search does, counted in budget steps rather than time:
// patterns without nested backtracking cost a few steps per byte of text,
// whatever the code page, and stepping back through double-byte text agrees
// with stepping forward.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "engine_support.h"
#include "regex/char_starts.h"

namespace quillbox::regex::testing {
namespace {

const char kPreamble[] = "s/\\s*This\\s+is\\s+a\\s+multi\\-part\\s+message\\s+in\\s+MIME\\s+format\\.*\\s*/\\n/i";
const char kDelimiter[] = "s/\\-*\\-\\-b1\\-*\\s*//gi";

std::string Repeated(const std::string& unit, std::size_t count)
{
    std::string s;
    for (std::size_t i = 0; i < count; ++i) s += unit;
    return s;
}

const std::string kRa = "\x83\x89";        // ラ: both bytes in the lead-byte range
const std::string kHiraganaA = "\x82\xA0"; // あ: trail byte outside it

class SearchWork : public ::testing::Test {
    TCodePageScope codePage_{932};
};

TEST_F(SearchWork, RemovalRewritesOfLongRunsNeitherMatchNorRunOut)
{
    const std::string head = "MIME-Version: 1.0\r\nSubject: x\r\n" + std::string(6000, ' ') + "\r\n";
    EXPECT_EQ(Substituted(kPreamble, head), head);
    EXPECT_LE(StepsOf(kPreamble, head), 8 * head.size());
    const std::string dashes(20000, '-');
    EXPECT_EQ(Substituted(kDelimiter, dashes), dashes);
    EXPECT_LE(StepsOf(kDelimiter, dashes), 8 * dashes.size());
    // After the same runs, what is there is still found.
    EXPECT_EQ(Substituted(kPreamble, head + "This is a multi-part message in MIME format.\r\n\r\n"),
              "MIME-Version: 1.0\r\nSubject: x\n");
    EXPECT_EQ(Substituted(kDelimiter, dashes + "--b1--\r\nend"), "end");
}

TEST_F(SearchWork, DotStarOverDoubleByteTextIsLinearUnderEveryCodePage)
{
    const std::string ra = Repeated(kRa, 8000), hiraganaA = Repeated(kHiraganaA, 8000);
    EXPECT_EQ(Groups("m/.*x/k", ra), "<no match>");
    EXPECT_LE(StepsOf("m/.*x/k", ra), 4 * ra.size());
    // Stepping back through a run of lead bytes reads it once, whatever its
    // length: no more than one extra step per byte over a text that has none.
    EXPECT_LE(StepsOf("m/a.*x/k", "a" + ra), StepsOf("m/a.*x/k", "a" + hiraganaA) + ra.size());
    EXPECT_LE(StepsOf("m/y?.*x/k", ra.substr(0, 2000)), StepsOf("m/y?.*x/k", hiraganaA.substr(0, 2000)) + 2000);
    TCodePageScope western(1252);
    EXPECT_LE(StepsOf("m/.*x/", ra), 4 * ra.size());
}

// A start inside the run a leading repeat took from an earlier start is
// skipped; nothing that could match there may be lost.
TEST_F(SearchWork, SkippingALeadingRunKeepsEveryMatch)
{
    EXPECT_EQ(Groups("m/\\s*x/", "   a  x"), "  x");
    EXPECT_EQ(Groups("m/\\-+b/", "--a--b"), "--b");
    EXPECT_EQ(Groups("m/.*x/", "aaa\nbx"), "bx");
    EXPECT_EQ(Groups("m/[^a]*ax/k", Repeated(kRa, 5) + "a" + kRa + "ax"), kRa + "ax");
    EXPECT_EQ(Substituted("s/\\s*y//g", "  x  y  y"), "  x");
    // A group around the repeat starts where the attempt does, and a
    // back-reference sees the difference.
    EXPECT_EQ(Groups("m/(\\s*)a\\1b/", "  a b"), " a b| ");
    EXPECT_EQ(Groups("m/(\\s*)a/", "  b a"), " a| ");
    // A bounded repeat could take more from a later start.
    EXPECT_EQ(Groups("m/\\s{0,2}x/", "    x"), "  x");
}

// Character starts by stepping forward from the text's start.
std::vector<bool> StartsByStepping(const TLeadBytes& lead, const std::string& text)
{
    std::vector<bool> starts(text.size() + 1, false);
    for (std::size_t pos = 0; pos <= text.size(); pos += pos < text.size() ? lead.CharLength(text.data(), pos, text.size()) : 1)
        starts[pos] = true;
    return starts;
}

TEST(CharStarts, SteppingBackAgreesWithSteppingForward)
{
    const TLeadBytes lead = TLeadBytes::ShiftJis();
    std::mt19937 random(7);
    const char leads[] = {'\x83', '\x89', '\xE0'}, others[] = {'a', '\\', '\x40', '\xA0'};
    auto pick = [&](int high) { return std::uniform_int_distribution<int>(0, high)(random); };
    for (int round = 0; round < 300; ++round) {
        // Runs of lead bytes, short and long, between other bytes.
        std::string text;
        for (int runs = pick(6); runs >= 0; --runs) {
            for (int n = pick(1) ? pick(4) : pick(60); n > 0; --n) text += leads[pick(2)];
            for (int n = pick(2); n > 0; --n) text += others[pick(3)];
        }
        if (text.empty()) text = "a";
        const std::vector<bool> starts = StartsByStepping(lead, text);
        std::vector<std::size_t> startList;
        for (std::size_t p = 0; p <= text.size(); ++p)
            if (starts[p]) startList.push_back(p);
        TMatchBudget budget(1 << 20);
        TCharStarts chars(lead, text, budget);
        // Questions in any order, from floors near and far.
        std::vector<std::size_t> order(text.size() + 1);
        for (std::size_t p = 0; p < order.size(); ++p) order[p] = p;
        std::shuffle(order.begin(), order.end(), random);
        for (std::size_t pos : order) {
            // Starts at or below pos; with pos a start, those below it end one earlier.
            const std::size_t atOrBelow = std::upper_bound(startList.begin(), startList.end(), pos) - startList.begin();
            const std::size_t floor = startList[std::uniform_int_distribution<std::size_t>(0, atOrBelow - 1)(random)];
            ASSERT_EQ(chars.IsStart(floor, pos), starts[pos]) << "round " << round << ", position " << pos << " of " << text.size() << ", floor " << floor;
            if (!starts[pos] || pos == 0) continue;
            const std::size_t below = atOrBelow - 1;
            const std::size_t floorBelow = startList[std::uniform_int_distribution<std::size_t>(0, below - 1)(random)];
            ASSERT_EQ(chars.Previous(floorBelow, pos), startList[below - 1]) << "round " << round << ", position " << pos;
        }
    }
}

TEST(CharStarts, ALongRunIsReadOnce)
{
    const TLeadBytes lead = TLeadBytes::ShiftJis();
    const std::string text = "a" + std::string(100001, '\x83') + "b";
    TMatchBudget budget(1 << 30);
    TCharStarts chars(lead, text, budget);
    std::size_t stepsBack = 0;
    for (int sweep = 0; sweep < 3; ++sweep) {
        for (std::size_t pos = text.size(); pos > 0; pos = chars.Previous(0, pos)) ++stepsBack;
    }
    // "a", 50,000 pairs of lead bytes, and the last lead byte with "b".
    EXPECT_EQ(stepsBack, 3u * 50002);
    EXPECT_LE(budget.Spent(), text.size());
}

}  // namespace
}  // namespace quillbox::regex::testing
