// TBRegExp over the real libbregexp.so, loaded the way the plug-in loads it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "regex/dynamic_library.h"
#include "regex/regex_library.h"

namespace quillbox {
namespace {

template <class F>
std::string ErrorOf(F&& operation)
{
    try {
        operation();
    } catch (const EBRegExpError& e) {
        return e.what();
    }
    return "<no error>";
}

class PatternService : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(LoadRegexLibrary(QBX_REGEX_LIBRARY_DIR, [this](const std::string& m) { errors_.push_back(m); }));
        ASSERT_TRUE(errors_.empty());
    }
    void TearDown() override { UnloadRegexLibrary(); }

    std::vector<std::string> errors_;
};

TEST_F(PatternService, ReadersNeedResults)
{
    TBRegExp re;
    EXPECT_EQ(ErrorOf([&] { re.Count(); }), "no count now");
    EXPECT_EQ(ErrorOf([&] { re.Strings(0); }), "no strings now");
    EXPECT_EQ(ErrorOf([&] { re.SubLength(0); }), "no strings now");
    EXPECT_FALSE(re.Match("m/x/", "abc"));
    EXPECT_EQ(ErrorOf([&] { re.Strings(0); }), "no strings now");
}

TEST_F(PatternService, MatchGroups)
{
    TBRegExp& re = SharedRegExp();
    ASSERT_TRUE(re.Match("m/n(am)e/i", "File NAME"));
    EXPECT_EQ(re.Count(), 2);
    EXPECT_EQ(re.Strings(0), "NAME");
    EXPECT_EQ(re.Strings(1), "AM");
    EXPECT_EQ(re.SubLength(0), 4);
    EXPECT_EQ(ErrorOf([&] { re.Strings(2); }), "index out of range");
    EXPECT_EQ(ErrorOf([&] { re.Strings(-1); }), "index out of range");
    // The same pattern again reuses the compiled record, with fresh results.
    ASSERT_TRUE(re.Match("m/n(am)e/i", "name"));
    EXPECT_EQ(re.Strings(1), "am");
    // An empty text reaches the library as one zero byte.
    EXPECT_FALSE(re.Match("m/^$/", ""));
    EXPECT_TRUE(re.Match("m/^\\x00$/", ""));
}

TEST_F(PatternService, SubstDescribesTheTextAsItWas)
{
    TBRegExp re;
    std::string text = "abbc";
    ASSERT_TRUE(re.Subst("s/(b+)/X/", text));
    EXPECT_EQ(text, "aXc");
    EXPECT_EQ(re.Strings(1), "bb");
    std::string empty;
    EXPECT_FALSE(re.Subst("s/^/x/", empty));
    EXPECT_EQ(empty, "");
    std::string unchanged = "abc";
    EXPECT_FALSE(re.Subst("s/q/x/", unchanged));
    EXPECT_EQ(unchanged, "abc");
}

// The count of substitutions is an integer: 256 of them is still a change.
TEST_F(PatternService, ManySubstitutionsAreAChange)
{
    TBRegExp re;
    std::string text(256, 'a');
    ASSERT_TRUE(re.Subst("s/a/b/g", text));
    EXPECT_EQ(text, std::string(256, 'b'));
    std::string upper(256, 'A');
    ASSERT_TRUE(re.Trans("tr/A-Z/a-z/", upper));
    EXPECT_EQ(upper, std::string(256, 'a'));
}

TEST_F(PatternService, TransOnEmptyTextLeavesOneZeroByte)
{
    TBRegExp re;
    std::string text;
    EXPECT_FALSE(re.Trans("tr/A-Z/a-z/", text));
    EXPECT_EQ(text, std::string(1, '\0'));
    EXPECT_EQ(ErrorOf([&] { re.Count(); }), "no count now");
}

TEST_F(PatternService, SplitSucceedsOnlyWhenTheTextWasCut)
{
    TBRegExp re;
    const std::string single = "no delimiter here";
    EXPECT_FALSE(re.Split("m/--b/", single, 1000));
    EXPECT_EQ(re.Count(), 1);
    EXPECT_EQ(re.Strings(0), "no delimiter here");
    // Cut once, but the piece after the cut was empty and went.
    const std::string closingOnly = "head\r\n--b--\r\n";
    EXPECT_FALSE(re.Split("m/--b\\-*\\s*/", closingOnly, 1000));
    EXPECT_EQ(re.Count(), 1);
    const std::string source = "head\r\n--b\r\npart one\r\n--b--\r\n";
    ASSERT_TRUE(re.Split("m/--b\\-*\\s*/", source, 1000));
    EXPECT_EQ(re.Count(), 2);
    EXPECT_EQ(re.Strings(1), "part one\r\n");
    EXPECT_EQ(re.SplitLeft(1, 4), "part");
    EXPECT_EQ(re.SplitLeft(1, 500), "part one\r\n");
    EXPECT_EQ(ErrorOf([&] { re.SplitLeft(2, 1); }), "index out of range");
}

// Results are readable only from the operation that made them, whatever
// the next one does: pieces point into the caller's text, which may be gone.
TEST_F(PatternService, PiecesGoWithTheNextOperation)
{
    TBRegExp re;
    {
        std::string text = "aaaa,bbbb";
        ASSERT_TRUE(re.Split("m/,/", text, 0));
    }
    EXPECT_TRUE(re.Match("m/x/", "x"));
    EXPECT_EQ(ErrorOf([&] { re.SplitLeft(1, 4); }), "index out of range");
    {
        std::string text = "a long first piece, and a long second piece";
        ASSERT_TRUE(re.Split("m/, /", text, 0));
    }
    std::string other = "x";
    EXPECT_FALSE(re.Subst("s/y/z/", other));
    EXPECT_EQ(ErrorOf([&] { re.SplitLeft(0, 6); }), "index out of range");

    const std::string text = "cc,dd";
    ASSERT_TRUE(re.Split("m/,/", text, 0));
    EXPECT_EQ(ErrorOf([&] { re.Split("m/(/", text, 0); }), "unmatched ( in regex");
    EXPECT_EQ(ErrorOf([&] { re.Count(); }), "no count now");
    EXPECT_EQ(ErrorOf([&] { re.SplitLeft(0, 1); }), "index out of range");
    ASSERT_TRUE(re.Split("m/,/", text, 0));
    EXPECT_FALSE(re.Match("m/q/", text));
    EXPECT_EQ(ErrorOf([&] { re.SplitLeft(0, 1); }), "index out of range");
    ASSERT_TRUE(re.Split("m/,/", text, 0));
    std::string lower = "ABC";
    EXPECT_TRUE(re.Trans("tr/A-Z/a-z/", lower));
    EXPECT_EQ(ErrorOf([&] { re.SplitLeft(0, 1); }), "index out of range");
    // The groups of a match go the same way.
    ASSERT_TRUE(re.Match("m/(c+)/", text));
    EXPECT_EQ(ErrorOf([&] { re.Match("m/[/", text); }), "unmatched [ in regex");
    EXPECT_EQ(ErrorOf([&] { re.Strings(1); }), "no strings now");
}

// The library goes on after the last match of a g pattern when the same
// text comes again, and cannot tell a fresh text in the same place from it.
TEST_F(PatternService, EveryMatchSearchesItsTextFromTheStart)
{
    TBRegExp re;
    std::string text;
    const char* address = nullptr;
    int found = 0;
    for (int round = 0; round < 4; ++round) {
        text.assign("part 1");  // a fresh text where the last one was
        if (round == 0) address = text.data();
        ASSERT_EQ(text.data(), address);
        if (re.Match("m/\\d/g", text)) ++found;
    }
    EXPECT_EQ(found, 4);
    EXPECT_EQ(re.Strings(0), "1");
    const std::string empty;
    EXPECT_TRUE(re.Match("m/^/g", empty));
    EXPECT_TRUE(re.Match("m/^/g", empty));
}

TEST_F(PatternService, ReplacementGroupsByBackslashAndDollar)
{
    TBRegExp re;
    std::string text = "abc";
    ASSERT_TRUE(re.Subst("s/(b)/[\\1]/", text));
    EXPECT_EQ(text, "a[b]c");
    text = "key=value";
    ASSERT_TRUE(re.Subst("s/(\\w+)=(\\w+)/\\2=$1/", text));
    EXPECT_EQ(text, "value=key");
}

TEST_F(PatternService, LibraryErrorsReachTheCaller)
{
    TBRegExp re;
    ASSERT_TRUE(re.Match("m/a/", "a"));
    EXPECT_EQ(ErrorOf([&] { re.Match("m/(a/", "a"); }), "unmatched ( in regex");
    EXPECT_EQ(ErrorOf([&] { re.Count(); }), "no count now");
    EXPECT_EQ(ErrorOf([&] { re.Match("m/^(a+)+$/", std::string(40, 'a') + "!"); }), "pattern too complex");
    EXPECT_TRUE(re.Match("m/a/", "a"));  // usable again afterwards
}

TEST(PatternServiceWithoutLibrary, OperationsFailWithAnError)
{
    UnloadRegexLibrary();
    TBRegExp re;
    EXPECT_THROW(re.Match("m/a/", "a"), EBRegExpError);
}

// A library whose groups and pieces point outside the text it was given.
TEST(PatternServiceOverAStrayLibrary, ResultsOutsideTheTextAreRefused)
{
    ASSERT_TRUE(LoadRegexLibrary(QBX_STRAY_LIBRARY_DIR, [](const std::string&) {}));
    const std::string outside = "the regular-expression library gave a result outside the text";
    TBRegExp re;
    const std::string text = "abc";
    EXPECT_EQ(ErrorOf([&] { re.Match("m/a/", text); }), outside);
    EXPECT_EQ(ErrorOf([&] { re.Count(); }), "no count now");
    EXPECT_EQ(ErrorOf([&] { re.Split("m/b/", text, 0); }), outside);
    EXPECT_EQ(ErrorOf([&] { re.SplitLeft(0, 3); }), "index out of range");
    UnloadRegexLibrary();
}

TEST(RegexLibraryLoading, MissingLibraryIsReportedWithItsPath)
{
    std::vector<std::string> errors;
    EXPECT_FALSE(LoadRegexLibrary("/nonexistent/folder", [&](const std::string& m) { errors.push_back(m); }));
    EXPECT_EQ(errors, std::vector<std::string>{"Loading \"/nonexistent/folder/libbregexp.so\" failed."});
}

TEST(RegexLibraryLoading, MissingEntryPointsAreReportedOneByOne)
{
    std::vector<std::string> errors;
    ASSERT_TRUE(LoadRegexLibrary(QBX_PARTIAL_LIBRARY_DIR, [&](const std::string& m) { errors.push_back(m); }));
    EXPECT_EQ(errors, (std::vector<std::string>{"GetProcAddress failed \"BSubst\"", "GetProcAddress failed \"BTrans\"",
                                                "GetProcAddress failed \"BRegfree\"",
                                                "GetProcAddress failed \"BRegexpVersion\""}));
    TBRegExp re;
    std::string text = "a";
    EXPECT_THROW(re.Subst("s/a/b/", text), EBRegExpError);
    EXPECT_FALSE(re.Match("m/a/", "a"));
    UnloadRegexLibrary();
}

TEST(RegexLibraryPath, SeparatorIsAddedUnlessTheFolderEndsInOne)
{
    const TLibraryNaming windows{'\\', "bregexp.dll"};
    const TCodePage japanese(932), western(1252);
    EXPECT_EQ(LibraryPath("C:\\Tansy\\plugins", windows, japanese), "C:\\Tansy\\plugins\\bregexp.dll");
    EXPECT_EQ(LibraryPath("C:\\Tansy\\plugins\\", windows, japanese), "C:\\Tansy\\plugins\\bregexp.dll");
    EXPECT_EQ(LibraryPath("", windows, japanese), "\\bregexp.dll");
    // 表 ends in byte 0x5C, which is no separator under code page 932.
    EXPECT_EQ(LibraryPath("C:\\\x95\x5C", windows, japanese), "C:\\\x95\x5C\\bregexp.dll");
    EXPECT_EQ(LibraryPath("C:\\\x95\x5C\\", windows, japanese), "C:\\\x95\x5C\\bregexp.dll");
    EXPECT_EQ(LibraryPath("C:\\\x95\x5C", windows, western), "C:\\\x95\x5C" "bregexp.dll");
}

}  // namespace
}  // namespace quillbox
