#include <gtest/gtest.h>

#include <string>

#include "mime/delimiter_line.h"

namespace quillbox {
namespace {

std::optional<TDelimiterLine> Find(const std::string& text, const std::string& boundary = "BB", std::size_t from = 0)
{
    return FindDelimiterLine(text, from, text.size(), boundary);
}

TEST(DelimiterLine, OnlyWholeLinesAreDelimiters)
{
    // Mid-line text, a longer boundary that starts with this one, other text
    // after it on the line: none of them.
    EXPECT_FALSE(Find("text --BB\r\n"));
    EXPECT_FALSE(Find("--BB_alt\r\n"));
    EXPECT_FALSE(Find("--BBB\r\n"));
    EXPECT_FALSE(Find("--BB x\r\n"));
    EXPECT_FALSE(Find("--BB---\r\n"));
    EXPECT_FALSE(Find("--BB-- x\r\n"));
    EXPECT_FALSE(Find("-BB\r\n"));
    EXPECT_FALSE(Find("--bb\r\n"));  // boundaries match exactly, case included
    EXPECT_FALSE(Find("--B"));

    const std::string text = "--BB_alt\r\nx --BB\r\n--BB \t\r\nafter";
    const auto line = Find(text);
    ASSERT_TRUE(line);
    EXPECT_EQ(line->Dash, text.rfind("--BB"));
    EXPECT_EQ(line->Begin, line->Dash - 2);  // the CR LF before it is its own
    EXPECT_EQ(text.substr(line->End), "after");
    EXPECT_FALSE(line->Closing);
}

TEST(DelimiterLine, ClosingDelimiterAndLineEnds)
{
    const auto closing = Find("a\n--BB--  \nepilogue");
    ASSERT_TRUE(closing);
    EXPECT_TRUE(closing->Closing);
    EXPECT_EQ(closing->Begin, 1u);
    EXPECT_EQ(closing->End, 11u);

    const auto bareCr = Find("a\r--BB\rb");
    ASSERT_TRUE(bareCr);
    EXPECT_EQ(bareCr->Begin, 1u);
    EXPECT_EQ(bareCr->End, 7u);

    // At the end of the text, without a line break.
    const auto atEnd = Find("a\r\n--BB--");
    ASSERT_TRUE(atEnd);
    EXPECT_TRUE(atEnd->Closing);
    EXPECT_EQ(atEnd->End, 9u);
}

TEST(DelimiterLine, NeverReachesBeforeWhereTheSearchStarts)
{
    // Two delimiters in a row: the second's line break belongs to the first.
    const std::string text = "--BB\r\n--BB\r\n";
    const auto first = Find(text);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->Begin, 0u);
    EXPECT_EQ(first->End, 6u);
    const auto second = Find(text, "BB", first->End);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->Begin, 6u);
    EXPECT_EQ(second->Dash, 6u);

    // An empty line between them is the second's line break.
    const auto afterEmpty = Find("--BB\r\n\r\n--BB\r\n", "BB", 6);
    EXPECT_EQ(afterEmpty->Begin, 6u);
    EXPECT_EQ(afterEmpty->Dash, 8u);

    // Nor beyond where it ends.
    EXPECT_FALSE(FindDelimiterLine("x\r\n--BB\r\n", 0, 6, "BB"));
    const auto cut = FindDelimiterLine("x\r\n--BB\r\n", 0, 7, "BB");
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->End, 7u);
}

TEST(DelimiterLine, DashesInTheBodyAreSearchedPast)
{
    std::string text;
    for (int i = 0; i < 1000; ++i) text += "-- -----BB--\r\n---\r\n";
    text += "--BB--\r\n";
    const auto line = Find(text);
    ASSERT_TRUE(line);
    EXPECT_EQ(line->Dash, text.size() - 8);
    EXPECT_TRUE(line->Closing);
}

}  // namespace
}  // namespace quillbox
