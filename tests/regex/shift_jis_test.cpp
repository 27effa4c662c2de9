// Double-byte text: a lead byte and its trail byte are one character in the
// command, for '.', classes, case folding, tr and the fast literal search.
#include <gtest/gtest.h>

#include "engine_support.h"

namespace quillbox::regex::testing {
namespace {

using Strings = std::vector<std::string>;

const std::string kHyo = "\x95\x5C";       // 表: trail byte is a backslash
const std::string kSo = "\x83\x5C";        // ソ
const std::string kKatakanaA = "\x83\x41"; // ア: trail byte is 'A'
const std::string kSmallYa = "\x83\x61";   // ャ: trail byte is 'a'
const std::string kHiraganaA = "\x82\xA0"; // あ
const std::string kHiraganaI = "\x82\xA2"; // い

class ShiftJisFlag : public ::testing::Test {
    TCodePageScope codePage_{1252};  // only the k flag makes the text double-byte
};

TEST_F(ShiftJisFlag, TrailBackslashInCommandIsNoEscape)
{
    EXPECT_EQ(Groups("m/" + kHyo + "/k", "x" + kHyo), kHyo);
    EXPECT_EQ(Groups("m/" + kSo + "+/k", kSo + kSo + "!"), kSo + kSo);
    EXPECT_EQ(Substituted("s/" + kSo + "/" + kHyo + "/gk", "a" + kSo + "b"), "a" + kHyo + "b");
    // Read as single bytes, the same command has its delimiter escaped.
    EXPECT_EQ(ErrorOf("m/" + kSo + "/"), "missing closing delimiter in command");
}

TEST_F(ShiftJisFlag, DotAndClassesTakeWholeCharacters)
{
    EXPECT_EQ(Groups("m/^.$/k", kHyo), kHyo);
    EXPECT_EQ(Groups("m/^(.)(.)$/", kHyo), kHyo + "|\x95|\\");
    EXPECT_EQ(Groups("m/([^a])/k", kHyo), kHyo + "|" + kHyo);
    EXPECT_EQ(Groups("m/[" + kHyo + "]/k", "a\\b"), "<no match>");
    EXPECT_EQ(Groups("m/[" + kHiraganaA + "-" + kHiraganaI + "]+/k", "x" + kHiraganaA + kHiraganaI + "x"),
              kHiraganaA + kHiraganaI);
    EXPECT_EQ(Groups("m/\\W/k", "ab" + kHyo), kHyo);
    EXPECT_EQ(Groups("m/\\w+/k", kKatakanaA + "AB"), "AB");
    EXPECT_EQ(Groups("m/.$/k", "a\x82"), "\x82");  // a lone lead byte at the end is a character
}

TEST_F(ShiftJisFlag, EscapedBackslashNeverMatchesATrailByte)
{
    EXPECT_EQ(Groups("m/\\\\/k", kHyo), "<no match>");
    EXPECT_EQ(Substituted("s/\\\\/|/gk", kHyo + "\\" + kSo), kHyo + "|" + kSo);
    EXPECT_EQ(Pieces("m/\\\\/k", kHyo + "\\" + kSo + "\\x"), (Strings{kHyo, kSo, "x"}));
    EXPECT_EQ(Groups("m/\\x83/k", kKatakanaA), "<no match>");  // half a character
}

TEST_F(ShiftJisFlag, FastSearchSkipsTrailBytes)
{
    EXPECT_EQ(Substituted("s/A/x/k", kKatakanaA + "A"), kKatakanaA + "x");
    EXPECT_EQ(Substituted("s/a/x/ki", kKatakanaA + kSmallYa + "a"), kKatakanaA + kSmallYa + "x");
    EXPECT_EQ(Substituted("s/\\bA/x/k", kKatakanaA + "A"), kKatakanaA + "x");
    EXPECT_EQ(Pieces("m/Aa/k", "\x83" "Aa" "Aa" "b"), (Strings{"\x83" "Aa", "b"}));
}

TEST_F(ShiftJisFlag, CaseFoldingNeverTouchesATrailByte)
{
    EXPECT_EQ(Groups("m/" + kKatakanaA + "/ki", kSmallYa), "<no match>");
    EXPECT_EQ(Groups("m/a/ki", kKatakanaA), "<no match>");
    EXPECT_EQ(Groups("m/a/i", kKatakanaA), "A");  // single-byte reading folds it
    EXPECT_EQ(Groups("m/(" + kKatakanaA + "x)\\1/ki", kKatakanaA + "x" + kKatakanaA + "X"),
              kKatakanaA + "x" + kKatakanaA + "X|" + kKatakanaA + "x");
    EXPECT_EQ(Groups("m/(" + kKatakanaA + ")\\1/ki", kKatakanaA + kSmallYa), "<no match>");
}

TEST_F(ShiftJisFlag, TransliterationKeepsDoubleByteCharacters)
{
    std::size_t count = 0;
    EXPECT_EQ(Transliterated("tr/A-Z/a-z/k", kKatakanaA + "BC" + kHyo, &count), kKatakanaA + "bc" + kHyo);
    EXPECT_EQ(count, 2u);
    EXPECT_EQ(Transliterated("tr/A-Z/a-z/", kKatakanaA), "\x83" "a");  // single-byte reading
    EXPECT_EQ(Transliterated("tr/" + kHiraganaA + "/" + kKatakanaA + "/k", "x" + kHiraganaA), "x" + kKatakanaA);
    EXPECT_EQ(Transliterated("tr/\\\\//dk", kHyo + "\\"), kHyo);
}

TEST_F(ShiftJisFlag, EscapingABoundaryKeepsCharactersWhole)
{
    std::string pattern = Substituted("s/(\\W)/\\\\$1/gk", "--" + kHyo + "=_x");
    EXPECT_EQ(pattern, "\\-\\-\\" + kHyo + "\\=_x");
    const std::string source = "head\r\n--" + kHyo + "=_x\r\npart\r\n--" + kHyo + "=_x--\r\n";
    EXPECT_EQ(Pieces("m/" + pattern + "\\-*\\s*/k", source), (Strings{"head\r\n", "part\r\n"}));
}

TEST(ShiftJisCodePage, DoubleByteByDefaultUnderCodePage932)
{
    TCodePageScope codePage(932);
    EXPECT_EQ(Groups("m/" + kSo + "/", "a" + kSo), kSo);
    EXPECT_EQ(Groups("m/^.$/", kHyo), kHyo);
    EXPECT_EQ(Transliterated("tr/A-Z/a-z/", kKatakanaA + "Q"), kKatakanaA + "q");
}

TEST(ShiftJisCodePage, SingleByteUnder1252WithoutTheFlag)
{
    TCodePageScope codePage(1252);
    EXPECT_EQ(Groups("m/^..$/", kHyo), kHyo);
    EXPECT_EQ(Groups("m/\\\\/", kHyo), "\\");
}

}  // namespace
}  // namespace quillbox::regex::testing
