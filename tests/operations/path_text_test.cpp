#include "operations/path_text.h"

#include <gtest/gtest.h>

#include <vector>

namespace quillbox {
namespace {

const TCodePage kShiftJis(932);
const TCodePage kWestern(1252);
// "表" in Shift_JIS: its trail byte is 0x5C, the backslash.
const std::string kHyo = "\x95\x5C";
const std::string kSep(1, kPathDelimiter);

TEST(SafeFileName, OrdinaryNamesStayExactlyAsTheyAre)
{
    for (const std::string& name : std::vector<std::string>{"report.pdf", "\x8E\x91\x97\xBF.xlsx", kHyo + ".doc", "a b (1).tar.gz",
                                   "COM10", ".profile", "\x83\x7C.txt"})
        EXPECT_EQ(SafeFileName(name, kShiftJis), name);
}

TEST(SafeFileName, PathPartsGoAndRefusedCharactersAreReplaced)
{
    EXPECT_EQ(SafeFileName("..\\..\\x.exe", kShiftJis), "x.exe");
    EXPECT_EQ(SafeFileName("C:\\Windows\\win.ini", kShiftJis), "win.ini");
    EXPECT_EQ(SafeFileName("C:evil.txt", kShiftJis), "evil.txt");
    EXPECT_EQ(SafeFileName("../../etc/passwd", kShiftJis), "passwd");
    EXPECT_EQ(SafeFileName("dir\\" + kHyo + ".txt", kShiftJis), kHyo + ".txt");
    EXPECT_EQ(SafeFileName("a<b>c|d?e*f\"g\x01h.txt", kShiftJis), "a_b_c_d_e_f_g_h.txt");
    // Under a single-byte code page 0x5C is always a separator.
    EXPECT_EQ(SafeFileName(kHyo + ".txt", kWestern), ".txt");
}

TEST(SafeFileName, DeviceNamesAndEmptyNamesAreAvoided)
{
    EXPECT_EQ(SafeFileName("CON", kShiftJis), "_CON");
    EXPECT_EQ(SafeFileName("nul.txt", kShiftJis), "_nul.txt");
    EXPECT_EQ(SafeFileName("con.tar.gz", kShiftJis), "_con.tar.gz");
    EXPECT_EQ(SafeFileName("Lpt1.log", kShiftJis), "_Lpt1.log");
    EXPECT_EQ(SafeFileName("aux .x", kShiftJis), "_aux .x");
    EXPECT_EQ(SafeFileName("report. . ", kShiftJis), "report");
    for (const std::string name : {"", "..", "dir\\", " . "}) EXPECT_EQ(SafeFileName(name, kShiftJis), "NoName");
}

TEST(PathText, FolderSeparatorsRespectDoubleByteTrailBytes)
{
    EXPECT_EQ(WithTrailingDelimiter("dir", kShiftJis), "dir" + kSep);
    EXPECT_EQ(WithTrailingDelimiter("dir" + kSep, kShiftJis), "dir" + kSep);
    if (kPathDelimiter == '\\') {
        EXPECT_EQ(WithTrailingDelimiter("C:\\" + kHyo, kShiftJis), "C:\\" + kHyo + "\\");
        EXPECT_EQ(FolderOfPath("C:\\" + kHyo + "\\a.txt", kShiftJis), "C:\\" + kHyo);
        EXPECT_EQ(FolderOfPath("X:\\a.txt", kShiftJis), "X:\\");
    }
    EXPECT_EQ(FolderOfPath(kSep + "a" + kSep + "b.txt", kShiftJis), kSep + "a");
    EXPECT_EQ(FolderOfPath(kSep + "b.txt", kShiftJis), kSep);
}

}  // namespace
}  // namespace quillbox
