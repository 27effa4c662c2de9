#include "operations/text_lines.h"

#include <gtest/gtest.h>

namespace quillbox {
namespace {

struct TExpectedLayout {
    std::size_t FirstHeaderLine, EndOfHeader, FirstBodyLine;
    bool HasEmptyLine;
    std::size_t LineCount;
};

void ExpectLayout(std::string_view piece, const TExpectedLayout& expected)
{
    SCOPED_TRACE(std::string(piece));
    const TPartLayout layout = LayoutOfPart(piece);
    EXPECT_EQ(layout.FirstHeaderLine, expected.FirstHeaderLine);
    EXPECT_EQ(layout.EndOfHeader, expected.EndOfHeader);
    EXPECT_EQ(layout.FirstBodyLine, expected.FirstBodyLine);
    EXPECT_EQ(layout.HasEmptyLine, expected.HasEmptyLine);
    ASSERT_EQ(layout.Lines.size(), expected.LineCount);
    // The lines it holds are those of the whole text.
    const std::vector<TTextLine> all = SplitLines(piece);
    for (std::size_t i = 0; i < layout.Lines.size(); ++i) {
        EXPECT_EQ(layout.Lines[i].Start, all[i].Start);
        EXPECT_EQ(layout.Lines[i].Length, all[i].Length);
        EXPECT_EQ(layout.Lines[i].Next, all[i].Next);
    }
}

TEST(TextLinesTest, SplitsOnEveryKindOfLineEnd)
{
    const std::vector<TTextLine> lines = SplitLines("a\r\nbb\rccc\n\r\ndd");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[1].Start, 3u);
    EXPECT_EQ(lines[1].Length, 2u);
    EXPECT_EQ(lines[2].Next, 10u);
    EXPECT_EQ(lines[3].Length, 0u);
    EXPECT_EQ(lines[4].Next, 14u);
    EXPECT_EQ(SplitLines("x\r\n").size(), 1u);
    EXPECT_TRUE(SplitLines("").empty());
}

TEST(TextLinesTest, LayoutStopsAtTheBodysFirstLine)
{
    ExpectLayout("A: 1\r\nB: 2\r\n\r\nbody 1\r\nbody 2\r\nbody 3\r\n", {0, 2, 3, true, 4});
    // Leading empty lines come before the header, whatever their line ends.
    ExpectLayout("\r\n\n\rA: 1\nB: 2\n\nbody\n", {3, 5, 6, true, 7});
    // A body line that is itself empty is still the first body line.
    ExpectLayout("A: 1\r\n\r\n\r\nbody\r\n", {0, 1, 2, true, 3});
}

TEST(TextLinesTest, LayoutWithoutBodyOrEmptyLine)
{
    ExpectLayout("A: 1\r\nB: 2\r\n", {0, 2, 2, false, 2});
    ExpectLayout("A: 1\r\nB: 2", {0, 2, 2, false, 2});
    // The empty line closing the header is the last line: no body line.
    ExpectLayout("A: 1\r\n\r\n", {0, 1, 2, true, 2});
    ExpectLayout("\r\n\r\n", {2, 2, 2, false, 2});
    ExpectLayout("", {0, 0, 0, false, 0});
}

}  // namespace
}  // namespace quillbox
