// Matching, substitution, split and tr as Perl 5 does them, on single-byte text.
#include <gtest/gtest.h>

#include <cctype>

#include "engine_support.h"

namespace quillbox::regex::testing {
namespace {

using Strings = std::vector<std::string>;

class PerlSemantics : public ::testing::Test {
    TCodePageScope codePage_{1252};
};

TEST_F(PerlSemantics, LeftmostAlternativeWinsAndGroupsFollowBacktracking)
{
    EXPECT_EQ(Groups("m/(a|ab)(c|bcd)(d*)/", "abcd"), "abcd|a|bcd|");
    EXPECT_EQ(Groups("m/(a)|b/", "b"), "b|<unset>");
    EXPECT_EQ(Groups("m/(?:(a)|b)+/", "ab"), "ab|a");
    EXPECT_EQ(Groups("m/x(y)?z/", "xz"), "xz|<unset>");
    EXPECT_EQ(Groups("m/(\\w+)\\s+(\\w+)/", "  hello   world "), "hello   world|hello|world");
}

TEST_F(PerlSemantics, GroupRepeatedZeroTimesIsForgotten)
{
    EXPECT_EQ(Groups("m/^(a(b)?)+$/", "aba"), "aba|a|<unset>");
    EXPECT_EQ(Groups("m/(?:(b)?a)+/", "baa"), "baa|<unset>");
    // A group of varying width keeps what an earlier round set.
    EXPECT_EQ(Groups("m/^(a(b|cd)?)+$/", "aba"), "aba|a|b");
}

TEST_F(PerlSemantics, QuantifiersGreedyAndLazy)
{
    EXPECT_EQ(Groups("m/a{2,3}/", "aaaa"), "aaa");
    EXPECT_EQ(Groups("m/a{2,3}?/", "aaaa"), "aa");
    EXPECT_EQ(Groups("m/a{2,}/", "a aaaaa"), "aaaaa");
    EXPECT_EQ(Groups("m/a{2}/", "aaa"), "aa");
    EXPECT_EQ(Groups("m/<(.+)>/", "<a><b>"), "<a><b>|a><b");
    EXPECT_EQ(Groups("m/<(.+?)>/", "<a><b>"), "<a>|a");
    EXPECT_EQ(Groups("m/(.)*/", "hello"), "hello|o");
    EXPECT_EQ(Groups("m/(.)*?l/", "hello"), "hel|e");
    EXPECT_EQ(Groups("m/(ab)*c/", "ababc"), "ababc|ab");
    EXPECT_EQ(Groups("m/(a*)*b/", "aab"), "aab|");
    EXPECT_EQ(Groups("m/(a|)+b/", "aab"), "aab|");
    EXPECT_EQ(Groups("m/x{,3}/", "x{,3}"), "x{,3}");  // not a quantifier: literal
}

TEST_F(PerlSemantics, AnchorsAndLines)
{
    const std::string text = "one\ntwo\n";
    EXPECT_EQ(Groups("m/^two/", text), "<no match>");
    EXPECT_EQ(Groups("m/^two/m", text), "two");
    EXPECT_EQ(Groups("m/two$/", text), "two");      // before the final newline
    EXPECT_EQ(Groups("m/one$/", text), "<no match>");
    EXPECT_EQ(Groups("m/one$/m", text), "one");
    EXPECT_EQ(Groups("m/two\\z/", text), "<no match>");
    EXPECT_EQ(Groups("m/two\\Z/", text), "two");
    EXPECT_EQ(Groups("m/\\Aone/m", text), "one");
    EXPECT_EQ(Pieces("m/^/m", text), (Strings{"one\n", "two\n"}));
    EXPECT_EQ(Pieces("m/^/", text), (Strings{"one\n", "two\n"}));  // split reads a lone ^ by lines
    EXPECT_EQ(Groups("m/.+/", text), "one");
    EXPECT_EQ(Groups("m/.+/s", text), text);
    EXPECT_EQ(Groups("m/\\bfoo\\b/", "afoo foo"), "foo");
    EXPECT_EQ(Groups("m/o\\B./", "foo bar"), "oo");
}

TEST_F(PerlSemantics, ClassesAndEscapes)
{
    EXPECT_EQ(Groups("m/[^\\s\"]+/", "  \"abc\"def"), "abc");
    EXPECT_EQ(Groups("m/[a-c\\d]+/", "xx1b2cz"), "1b2c");
    EXPECT_EQ(Groups("m/[]a]+/", "x]a]"), "]a]");
    EXPECT_EQ(Groups("m/[a-]+/", "x-a-"), "-a-");
    EXPECT_EQ(Groups("m/[\\W]+/", "ab!?c"), "!?");
    EXPECT_EQ(Groups("m/[[:digit:]]+/", "ab123"), "123");
    EXPECT_EQ(Groups("m/\\x41\\t\\e/", "A\t\x1B"), "A\t\x1B");
    EXPECT_EQ(Groups("m/\\-\\:\\/\\\"\\=/", "-:/\"="), "-:/\"=");
    EXPECT_EQ(Groups("m/(a)\\1/", "xaa"), "aa|a");
    EXPECT_EQ(Groups("m/(a)\\1/i", "xaA"), "aA|a");
    EXPECT_EQ(Groups("m/[A-Z]+/i", "123abc"), "abc");
    EXPECT_EQ(Groups("m/ a b # comment\n c /x", "abc"), "abc");
    EXPECT_EQ(Groups("m{a/b}", "a/b"), "a/b");
    EXPECT_EQ(Groups("m!a\\!b!", "a!b"), "a!b");
    EXPECT_EQ(Groups("m/a(?i)b/", "aB"), "aB");
    EXPECT_EQ(Groups("m/(?i:a)b/", "Ab AB"), "Ab");
}

TEST_F(PerlSemantics, GlobalSubstitutionAndEmptyMatches)
{
    std::size_t count = 0;
    EXPECT_EQ(Substituted("s/x*/-/g", "abc", &count), "-a-b-c-");
    EXPECT_EQ(count, 4u);
    EXPECT_EQ(Substituted("s/a*/-/g", "aaa"), "--");
    EXPECT_EQ(Substituted("s/(\\w+)/<$1>/g", "ab cd"), "<ab> <cd>");
    EXPECT_EQ(Substituted("s/b/[$`|$&|$']/", "abc"), "a[a|b|c]c");
    EXPECT_EQ(Substituted("s/(a)/${1}1/", "a"), "a1");
    EXPECT_EQ(Substituted("s/a/\\n\\t\\\\\\$x\\//", "a"), "\n\t\\$x/");
    EXPECT_EQ(Substituted("s/a/$9$/", "a"), "$");
    EXPECT_EQ(Substituted("s/A/b/gi", "aAa"), "bbb");
    EXPECT_EQ(Substituted("s/q/z/", "abc", &count), "abc");
    EXPECT_EQ(count, 0u);
}

// In a replacement \1 to \9 alone are groups; before another digit, and \0,
// they begin an octal escape, as Perl reads them.
TEST_F(PerlSemantics, ReplacementBackslashDigits)
{
    EXPECT_EQ(Substituted("s/(b)/[\\1]/", "abc"), "a[b]c");
    EXPECT_EQ(Substituted("s/(a)(b)/\\2\\1/", "abc"), "bac");
    EXPECT_EQ(Substituted("s/(a)(b)/\\1\\1$2/g", "abab"), "aabaab");
    EXPECT_EQ(Substituted("s/(a)(b)/\\9|\\8/", "abc"), "|c");  // groups that do not exist are empty
    EXPECT_EQ(Substituted("s/(a)(b)/\\12/", "abc"), "\nc");
    EXPECT_EQ(Substituted("s/(a)(b)/\\101/", "abc"), "Ac");
    EXPECT_EQ(Substituted("s/(a)(b)/\\1234/", "abc"), "S4c");
    EXPECT_EQ(Substituted("s/(a)(b)/\\18/", "abc"), std::string("\x01") + "8c");
    EXPECT_EQ(Substituted("s/(a)(b)/\\89/", "abc"), "89c");
    EXPECT_EQ(Substituted("s/(a)(b)/\\0/", "abc"), std::string(1, '\0') + "c");
    EXPECT_EQ(ErrorOf("s/a/\\400/"), "octal escape above \\377");
    EXPECT_EQ(ErrorOf("m/\\400/"), "octal escape above \\377");
}

TEST_F(PerlSemantics, SplitPieces)
{
    EXPECT_EQ(Pieces("m/,/", "a,b,,c,,"), (Strings{"a", "b", "", "c"}));
    EXPECT_EQ(Pieces("m/,/", ",a"), (Strings{"", "a"}));
    EXPECT_EQ(Pieces("m//", "abc"), (Strings{"a", "b", "c"}));
    EXPECT_EQ(Pieces("m/x*/", "abc"), (Strings{"a", "b", "c"}));
    EXPECT_EQ(Pieces("m/,*/", "a,b"), (Strings{"a", "b"}));
    EXPECT_EQ(Pieces("m/(,)/", "a,b"), (Strings{"a", ",", "b"}));
    EXPECT_EQ(Pieces("m/(,)|(;)/", "a,b;c"), (Strings{"a", ",", "<unset>", "b", "<unset>", ";", "c"}));
    EXPECT_EQ(Pieces("m/q/", "abc"), (Strings{"abc"}));
    EXPECT_EQ(Pieces("m/q/", ""), (Strings{}));
    // The limit caps the pieces, the last holding the rest; trailing empty
    // pieces go whatever the limit.
    EXPECT_EQ(Pieces("m/,/", "a,b,c,d", 2), (Strings{"a", "b,c,d"}));
    EXPECT_EQ(Pieces("m/,/", "a,b,,", 10), (Strings{"a", "b"}));
    EXPECT_EQ(Pieces("m/,/", "a,b", 1), (Strings{"a,b"}));
}

TEST_F(PerlSemantics, Transliteration)
{
    std::size_t count = 0;
    EXPECT_EQ(Transliterated("tr/A-Z/a-z/", "Hello WORLD", &count), "hello world");
    EXPECT_EQ(count, 6u);
    EXPECT_EQ(Transliterated("tr/a-z//", "abc12", &count), "abc12");
    EXPECT_EQ(count, 3u);  // counts without changing
    EXPECT_EQ(Transliterated("tr/a-c//d", "abcdcba"), "d");
    EXPECT_EQ(Transliterated("tr/a-z/A/", "abz1"), "AAA1");
    EXPECT_EQ(Transliterated("tr/a-zA-Z//cd", "a1-b2"), "ab");
    EXPECT_EQ(Transliterated("tr/a//s", "baaad"), "bad");
    EXPECT_EQ(Transliterated("tr/\\-_/_\\-/", "a-b_c"), "a_b-c");
    EXPECT_EQ(Transliterated("y/ab/ba/", "abba"), "baab");
}

TEST_F(PerlSemantics, MalformedCommandsAreClearErrors)
{
    EXPECT_EQ(ErrorOf("m/(a/"), "unmatched ( in regex");
    EXPECT_EQ(ErrorOf("m/a)/"), "unmatched ) in regex");
    EXPECT_EQ(ErrorOf("m/[a/"), "unmatched [ in regex");
    EXPECT_EQ(ErrorOf("m/*a/"), "quantifier follows nothing in regex");
    EXPECT_EQ(ErrorOf("m/a**/"), "nested quantifiers in regex");
    EXPECT_EQ(ErrorOf("m/a{3,2}/"), "can't do {n,m} with n > m in regex");
    EXPECT_EQ(ErrorOf("m/a{99999}/"), "quantifier in {,} bigger than 32766 in regex");
    EXPECT_EQ(ErrorOf("m/[z-a]/"), "invalid [] range in regex");
    EXPECT_EQ(ErrorOf("m/(a)\\2/"), "reference to nonexistent group in regex");
    EXPECT_EQ(ErrorOf("m/a\\/"), "missing closing delimiter in command");
    EXPECT_EQ(ErrorOf("m/a/q"), "unknown flag 'q' in command");
    EXPECT_EQ(ErrorOf("x/a/"), "command must be m/.../, s/.../.../ or tr/.../.../");
    EXPECT_EQ(ErrorOf("m/(?=a)/"), "unsupported (? construct in regex");
    EXPECT_EQ(ErrorOf("m/\\p{L}/"), "unsupported escape sequence in regex");
    EXPECT_EQ(ErrorOf("m/" + std::string(2000, '(') + std::string(2000, ')') + "/"), "regex nested too deeply");
}

TEST_F(PerlSemantics, WhiteSpaceIsTheSixBytesOfTheCLocale)
{
    std::string spaces;
    for (int b = 1; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        if (Groups("m/\\s/", one) == one) spaces += one;
        // With x, white space in the pattern is left out: "a<byte>b" matches "ab" only for those bytes.
        if (std::ispunct(b)) continue;
        EXPECT_EQ(Groups("m/a" + one + "b/x", "ab") == "ab", std::isspace(b) != 0) << "byte " << b;
    }
    EXPECT_EQ(spaces, "\t\n\v\f\r ");
    EXPECT_EQ(Groups("m/a\\S+/", "a\x85\xA0" "b c"), "a\x85\xA0" "b");
}

TEST_F(PerlSemantics, CatastrophicBacktrackingRunsOutOfBudget)
{
    const std::string text = std::string(40, 'a') + "!";
    EXPECT_EQ(ErrorOf("m/^(a+)+$/", text), "pattern too complex");
    EXPECT_EQ(ErrorOf("m/(a|aa)*b/", std::string(60, 'a')), "pattern too complex");
}

TEST_F(PerlSemantics, LongTextsNeedNoDeepRecursion)
{
    const std::string big(10 * 1024 * 1024, 'x');
    EXPECT_EQ(Groups("m/(.)*/", big).size(), big.size() + 2);
    EXPECT_EQ(Groups("m/^(?:x)*$/", big).size(), big.size());
    EXPECT_EQ(Pieces("m/y/", big).size(), 1u);
}

}  // namespace
}  // namespace quillbox::regex::testing
