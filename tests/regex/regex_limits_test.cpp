// The limits bregexp.h promises hold at exactly their values: one past a
// limit is refused with its message, the limit itself is not.
#include <gtest/gtest.h>

#include <string>

#include "engine_support.h"
#include "regex/match_budget.h"
#include "regex/regex_limits.h"

namespace quillbox::regex::testing {
namespace {

class RegexLimits : public ::testing::Test {
    TCodePageScope codePage_{1252};
};

std::string CompileError(const std::string& command)
{
    try {
        const TCompiledCommand compiled(command);
    } catch (const TRegexError& e) {
        return e.what();
    }
    return "<no error>";
}

std::string Nested(int levels) { return std::string(levels, '(') + "a" + std::string(levels, ')'); }

std::string Repeated(const std::string& piece, int times)
{
    std::string all;
    for (int i = 0; i < times; ++i) all += piece;
    return all;
}

TEST_F(RegexLimits, RepeatCountsUpToTheLimit)
{
    const std::string limit = std::to_string(kMaxRepeat);
    const std::string over = std::to_string(kMaxRepeat + 1);
    EXPECT_EQ(CompileError("m/a{" + limit + "}/"), "<no error>");
    EXPECT_EQ(CompileError("m/a{0," + limit + "}/"), "<no error>");
    EXPECT_EQ(CompileError("m/a{" + over + "}/"), "quantifier in {,} bigger than 32766 in regex");
    EXPECT_EQ(CompileError("m/a{1," + over + "}/"), "quantifier in {,} bigger than 32766 in regex");
}

TEST_F(RegexLimits, NestingUpToTheLimit)
{
    EXPECT_EQ(CompileError("m/" + Nested(kMaxNesting) + "/"), "<no error>");
    EXPECT_EQ(Groups("m/" + Nested(kMaxNesting) + "/", "xa").substr(0, 4), "a|a|");
    EXPECT_EQ(CompileError("m/" + Nested(kMaxNesting + 1) + "/"), "regex nested too deeply");
}

TEST_F(RegexLimits, TransliterationListUpToTheLimit)
{
    const std::string allBytes = "\\x00-\\xff";
    const int wholeRanges = static_cast<int>(kMaxTransliterationList / 256);
    ASSERT_EQ(kMaxTransliterationList % 256, 0u);
    EXPECT_EQ(CompileError("tr/" + Repeated(allBytes, wholeRanges) + "//d"), "<no error>");
    // One more character, given alone or inside a range, is one too many.
    EXPECT_EQ(CompileError("tr/" + Repeated(allBytes, wholeRanges) + "a//d"), "transliteration list too long");
    EXPECT_EQ(CompileError("tr/a" + Repeated(allBytes, wholeRanges) + "//d"), "transliteration list too long");
    EXPECT_EQ(CompileError("tr/a/" + Repeated(allBytes, wholeRanges) + "a/"), "transliteration list too long");
}

TEST_F(RegexLimits, ProgramSizeIsBounded)
{
    EXPECT_EQ(CompileError("m/(?:(?:a|b){1000}){1000}/"), "regex too big");
    EXPECT_EQ(CompileError("m/(?:a|b){1000}/"), "<no error>");
}

TEST_F(RegexLimits, StepsPerCallGrowWithTheText)
{
    TMatchBudget budget = TMatchBudget::ForText(10);
    budget.Spend(QBX_REGEX_BASE_BUDGET + 10 * kStepsPerByte);
    EXPECT_THROW(budget.Spend(1), TRegexError);
}

}  // namespace
}  // namespace quillbox::regex::testing
