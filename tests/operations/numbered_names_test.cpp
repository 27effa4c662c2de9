#include "operations/numbered_names.h"

#include <gtest/gtest.h>

#include <set>

#include "operations/local_file.h"
#include "operations/safe_file_name.h"

namespace quillbox {
namespace {

const TCodePage kShiftJis(932);
const std::string kA = "\x82\xA0";  // "あ"

std::string Repeat(const std::string& text, std::size_t count)
{
    std::string out;
    for (std::size_t i = 0; i < count; ++i) out += text;
    return out;
}

// A target folder holding the given names, compared as Windows does.
class NumberedNamesTest : public ::testing::Test {
protected:
    TNumberedNames Names()
    {
        return TNumberedNames([this](const std::string& name) { return folder.count(name) != 0; }, kShiftJis,
                              kMaxSafeNameBytes);
    }
    std::set<std::string> folder;
};

TEST_F(NumberedNamesTest, NamesInTheFolderOrGivenEarlierGetTheFirstFreeNumber)
{
    TNumberedNames names = Names();
    EXPECT_EQ(names.FreeName("a.bin"), "a.bin");
    EXPECT_EQ(names.FreeName("a.bin"), "a (2).bin");
    EXPECT_EQ(names.FreeName("a.bin"), "a (3).bin");
    EXPECT_EQ(names.FreeName("b.bin"), "b.bin");

    folder = {"scan.pdf", "scan (2).pdf", "scan (4).pdf"};
    TNumberedNames next = Names();
    EXPECT_EQ(next.FreeName("scan.pdf"), "scan (3).pdf");
    EXPECT_EQ(next.FreeName("scan.pdf"), "scan (5).pdf");
    // A numbered name that came as it is counts as well.
    EXPECT_EQ(next.FreeName("scan (6).pdf"), "scan (6).pdf");
    EXPECT_EQ(next.FreeName("scan.pdf"), "scan (7).pdf");
}

TEST_F(NumberedNamesTest, AFolderThatClaimsEveryNameEndsTheSearchWithAnError)
{
    TNumberedNames names([](const std::string&) { return true; }, kShiftJis, kMaxSafeNameBytes);
    EXPECT_THROW(names.FreeName("a.bin"), EInOutError);
}

TEST_F(NumberedNamesTest, LetterCaseDoesNotMakeANewNameButTrailBytesStayApart)
{
    TNumberedNames names = Names();
    EXPECT_EQ(names.FreeName("Report.PDF"), "Report.PDF");
    EXPECT_EQ(names.FreeName("report.pdf"), "report (2).pdf");
    // "ア" and "ヂ": their trail bytes are "A" and "a", but they are not letters.
    EXPECT_EQ(names.FreeName("\x83\x41.txt"), "\x83\x41.txt");
    EXPECT_EQ(names.FreeName("\x83\x61.txt"), "\x83\x61.txt");
}

TEST_F(NumberedNamesTest, NamesWithoutAnExtensionAreNumberedAtTheirEnd)
{
    folder = {"README", ".profile", "archive.tar.gz", "_CON"};
    TNumberedNames names = Names();
    EXPECT_EQ(names.FreeName("README"), "README (2)");
    EXPECT_EQ(names.FreeName(".profile"), ".profile (2)");
    EXPECT_EQ(names.FreeName("archive.tar.gz"), "archive.tar (2).gz");
    EXPECT_EQ(names.FreeName("_CON"), "_CON (2)");
}

TEST_F(NumberedNamesTest, NumberedFormsOfLongNamesAreCutToFit)
{
    const std::string latin = Repeat("x", 196) + ".pdf";
    const std::string japanese = Repeat(kA, 97) + ".pdf";
    folder = {latin, japanese};
    for (int n = 2; n <= 9; ++n) folder.insert(Repeat("x", 192) + " (" + std::to_string(n) + ").pdf");
    TNumberedNames names = Names();
    // " (10)" is a byte longer than " (9)": the name gives up one more.
    EXPECT_EQ(names.FreeName(latin), Repeat("x", 191) + " (10).pdf");
    EXPECT_EQ(names.FreeName(japanese), Repeat(kA, 96) + " (2).pdf");
    // Cut to whole characters, a different name can meet a numbered form
    // given out before: it takes the next number.
    const std::string other = Repeat(kA, 97) + "y.pdf";
    EXPECT_EQ(names.FreeName(other), other);
    EXPECT_EQ(names.FreeName(other), Repeat(kA, 96) + " (3).pdf");

    // In a deep folder the room is smaller; numbered forms keep to it.
    folder = {Repeat("x", 96) + ".pdf"};
    TNumberedNames deep([this](const std::string& name) { return folder.count(name) != 0; }, kShiftJis, 100);
    EXPECT_EQ(deep.FreeName(Repeat("x", 96) + ".pdf"), Repeat("x", 92) + " (2).pdf");
}

}  // namespace
}  // namespace quillbox
