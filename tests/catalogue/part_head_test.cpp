#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "catalogue/part_head.h"

namespace quillbox {
namespace {

std::vector<std::string> CutIntoLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = pos;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
        lines.emplace_back(text.substr(pos, end - pos));
        pos = end;
        if (pos < text.size() && text[pos] == '\r') ++pos;
        if (pos < text.size() && text[pos] == '\n') ++pos;
    }
    return lines;
}

// The head as a window that starts at 500 bytes and grows by 500 finds it:
// cut the window into lines, take them up to the first empty one, and if
// there was none, widen the window and start again.
std::string WindowedHead(std::string_view part)
{
    const std::size_t length = part.size();
    std::string head;
    for (std::size_t window = 500; window <= length + 500; window += 500) {
        head.clear();
        bool emptyLineReached = false;
        for (const std::string& line : CutIntoLines(part.substr(0, std::min(window, length)))) {
            if (line.empty()) {
                emptyLineReached = true;
                break;
            }
            head += line + "\r\n";
        }
        if (emptyLineReached) break;
    }
    return head;
}

// What the scan reads: the head of a prefix, with a longer prefix whenever
// the head is not known to be complete.
std::string HeadThroughPrefixes(std::string_view part, std::size_t firstPrefix)
{
    for (std::size_t prefix = std::min(firstPrefix, part.size());; prefix = std::min(prefix * 2, part.size())) {
        TPartHead head = ReadPartHead(part.substr(0, prefix));
        if (head.Complete || prefix == part.size()) return head.Text;
    }
}

void ExpectSameHead(const std::string& part)
{
    const std::string expected = WindowedHead(part);
    ASSERT_EQ(ReadPartHead(part).Text, expected) << "part of " << part.size() << " bytes";
    for (const std::size_t prefix : {1u, 7u, 499u, 500u, 4096u})
        ASSERT_EQ(HeadThroughPrefixes(part, prefix), expected) << "prefix " << prefix;
}

TEST(PartHead, EndsAtTheFirstEmptyLine)
{
    EXPECT_EQ(ReadPartHead("A: 1\r\nB: 2\r\n\r\nbody\r\n").Text, "A: 1\r\nB: 2\r\n");
    EXPECT_TRUE(ReadPartHead("A: 1\n\nbody").Complete);
    EXPECT_EQ(ReadPartHead("A: 1\rB: 2\n\rbody").Text, "A: 1\r\nB: 2\r\n");
    EXPECT_EQ(ReadPartHead("\r\nbody").Text, "");
    const TPartHead noEmptyLine = ReadPartHead("A: 1\r\nB: 2");
    EXPECT_EQ(noEmptyLine.Text, "A: 1\r\nB: 2\r\n");
    EXPECT_FALSE(noEmptyLine.Complete);
    EXPECT_FALSE(ReadPartHead("").Complete);
}

TEST(PartHead, SameAsTheGrowingWindowOnLineBreaksAtWindowEdges)
{
    // Every kind of line break placed across each 500-byte window edge.
    for (const std::string_view breakText : {"\r\n\r\n", "\n\n", "\r\r", "\r\n", "\n\r", "\r", "\n"}) {
        for (std::size_t at = 490; at <= 1010; ++at) {
            std::string part(at, 'h');
            part += breakText;
            part += std::string(600, 'b');
            ExpectSameHead(part);
            ExpectSameHead(part.substr(0, at + breakText.size()));
        }
    }
    ExpectSameHead(std::string(3000, '\r'));
    ExpectSameHead(std::string(3000, '\n'));
    ExpectSameHead(std::string(5000, 'x'));
    ExpectSameHead("");
}

TEST(PartHead, SameAsTheGrowingWindowOnRandomParts)
{
    std::mt19937 random(42);
    const std::string alphabet = "ab:;= \t\r\n\r\n\x1b\x82\xa0";
    for (int round = 0; round < 3000; ++round) {
        // Sparse line breaks make long heads; dense ones make empty lines early.
        std::uniform_int_distribution<int> lengths(0, round % 3 == 0 ? 4000 : 1200);
        std::uniform_int_distribution<int> breakOdds(0, round % 5 == 0 ? 600 : round % 5 == 1 ? 1 : 40);
        std::uniform_int_distribution<std::size_t> letters(0, alphabet.size() - 1);
        std::string part;
        for (int i = lengths(random); i > 0; --i) {
            const char c = alphabet[letters(random)];
            part += (c == '\r' || c == '\n') && breakOdds(random) != 0 ? 'x' : c;
        }
        ExpectSameHead(part);
    }
}

}  // namespace
}  // namespace quillbox
