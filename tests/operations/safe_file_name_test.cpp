#include "operations/safe_file_name.h"

#include <gtest/gtest.h>

#include <vector>

namespace quillbox {
namespace {

const TCodePage kShiftJis(932);
const TCodePage kWestern(1252);
// "表" in Shift_JIS: its trail byte is 0x5C, the backslash.
const std::string kHyo = "\x95\x5C";
// "あ", and "ア" whose trail byte is an ASCII letter.
const std::string kA = "\x82\xA0";
const std::string kKa = "\x83\x41";

std::string Repeat(const std::string& text, std::size_t count)
{
    std::string out;
    for (std::size_t i = 0; i < count; ++i) out += text;
    return out;
}

// Every lead byte has its trail byte: the name ends on a whole character.
bool EndsOnWholeCharacter(const std::string& name, const TCodePage& codePage)
{
    std::size_t pos = 0;
    while (pos < name.size()) {
        if (codePage.IsLeadByte(static_cast<unsigned char>(name[pos])) && pos + 1 == name.size()) return false;
        pos += codePage.CharLength(name, pos);
    }
    return true;
}

TEST(SafeFileName, OrdinaryNamesStayExactlyAsTheyAre)
{
    for (const std::string& name : std::vector<std::string>{"report.pdf", "\x8E\x91\x97\xBF.xlsx", kHyo + ".doc",
                                                            "a b (1).tar.gz", "COM10", "LPT", "CONIN", ".profile",
                                                            "\x83\x7C.txt", kA + kHyo, Repeat("x", 196) + ".pdf"})
        EXPECT_EQ(SafeFileName(name, kShiftJis), name);
}

TEST(SafeFileName, SeparatorsAndRefusedCharactersAreReplacedNeverCutAt)
{
    // Two attachments that differ only before a slash stay two files.
    EXPECT_EQ(SafeFileName("Q1/Q2 report.xlsx", kShiftJis), "Q1_Q2 report.xlsx");
    EXPECT_EQ(SafeFileName("Q3/Q2 report.xlsx", kShiftJis), "Q3_Q2 report.xlsx");
    EXPECT_EQ(SafeFileName("12:30 memo.txt", kShiftJis), "12_30 memo.txt");
    EXPECT_EQ(SafeFileName("C:evil.txt", kShiftJis), "C_evil.txt");
    EXPECT_EQ(SafeFileName("..\\..\\x.exe", kShiftJis), ".._.._x.exe");
    EXPECT_EQ(SafeFileName("../../etc/passwd", kShiftJis), ".._.._etc_passwd");
    EXPECT_EQ(SafeFileName("a<b>c|d?e*f\"g\x01h\x7Fi.txt", kShiftJis), "a_b_c_d_e_f_g_h_i.txt");
    // A trail byte 0x5C is part of its character; under a single-byte code
    // page the same byte is a backslash.
    EXPECT_EQ(SafeFileName("dir\\" + kHyo + ".txt", kShiftJis), "dir_" + kHyo + ".txt");
    EXPECT_EQ(SafeFileName(kHyo + ".txt", kWestern), "\x95_.txt");
}

TEST(SafeFileName, EveryReservedDeviceNameGetsAPrefix)
{
    for (const std::string name : {"CON", "nul.txt", "con.tar.gz", "Lpt1.log", "aux .x", "CONIN$", "conout$.log",
                                   "COM0", "lpt0.txt", "Com9.a.b", "PRN"})
        EXPECT_EQ(SafeFileName(name, kShiftJis), "_" + name) << name;
    // Superscript digits of the single-byte code pages name ports as well;
    // under Shift_JIS the same bytes are half-width katakana.
    for (const std::string name : {"COM\xB9", "lpt\xB2.txt", "LPT\xB3"})
        EXPECT_EQ(SafeFileName(name, kWestern), "_" + name) << name;
    EXPECT_EQ(SafeFileName("COM\xB9", kShiftJis), "COM\xB9");
    for (const std::string name : {"CONOUT", "COM", "LPT10", "CON1", "NULL.txt", "xCON"})
        EXPECT_EQ(SafeFileName(name, kShiftJis), name) << name;
}

TEST(SafeFileName, LoneLeadBytesTrailingDotsAndBlanksAreDropped)
{
    EXPECT_EQ(SafeFileName("abc\x82", kShiftJis), "abc");
    EXPECT_EQ(SafeFileName("abc\x82.txt", kShiftJis), "abc.txt");
    EXPECT_EQ(SafeFileName("a\x82 \x82", kShiftJis), "a");
    EXPECT_EQ(SafeFileName("abc" + kA, kShiftJis), "abc" + kA);
    EXPECT_EQ(SafeFileName("report. . ", kShiftJis), "report");
    EXPECT_EQ(SafeFileName("report.pdf. ", kShiftJis), "report.pdf");
    for (const std::string name : {"", "..", " . ", "\x82", ". \x82"})
        EXPECT_EQ(SafeFileName(name, kShiftJis), "NoName") << name;
}

TEST(SafeFileName, LongNamesAreCutAtAWholeCharacterKeepingTheExtension)
{
    // 300 bytes of Japanese: the name must open on Windows.
    const std::string japanese = SafeFileName(Repeat(kA, 148) + ".xlsx", kShiftJis);
    EXPECT_EQ(japanese, Repeat(kA, 97) + ".xlsx");
    // An odd byte in front moves every character boundary by one.
    const std::string shifted = SafeFileName("a" + Repeat(kKa, 150) + ".pdf", kShiftJis);
    EXPECT_EQ(shifted, "a" + Repeat(kKa, 97) + ".pdf");
    EXPECT_EQ(SafeFileName(Repeat(kHyo, 150), kShiftJis), Repeat(kHyo, 100));
    EXPECT_EQ(SafeFileName(Repeat("x", 300), kShiftJis), Repeat("x", kMaxSafeNameBytes));
    EXPECT_EQ(SafeFileName(Repeat("x", 201), kShiftJis), Repeat("x", 200));
    EXPECT_EQ(SafeFileName(Repeat("x", 200), kShiftJis), Repeat("x", 200));
    // What the cut leaves at the end follows the rules as well.
    EXPECT_EQ(SafeFileName("a" + Repeat(" ", 250) + "b.txt", kShiftJis), "a" + Repeat(" ", 195) + ".txt");
    EXPECT_EQ(SafeFileName("CON" + Repeat(" ", 250) + "x", kShiftJis), "_CON");
    // An "extension" as long as the name is no extension: the name is cut.
    const std::string longTail = SafeFileName("a." + Repeat(kA, 150), kShiftJis);
    EXPECT_EQ(longTail, "a." + Repeat(kA, 99));
    for (const std::string& name : {japanese, shifted, longTail}) {
        EXPECT_LE(name.size(), kMaxSafeNameBytes);
        EXPECT_TRUE(EndsOnWholeCharacter(name, kShiftJis));
    }
}

TEST(SafeFileName, ADeepFolderLeavesLessRoomForTheName)
{
    EXPECT_EQ(NameRoomIn(""), kMaxSafeNameBytes);
    EXPECT_EQ(NameRoomIn(std::string(59, 'd')), 200u);
    EXPECT_EQ(NameRoomIn(std::string(159, 'd')), 100u);
    EXPECT_EQ(NameRoomIn(std::string(250, 'd')), kMinSafeNameBytes);
    EXPECT_EQ(SafeFileName(Repeat("x", 300) + ".pdf", kShiftJis, 100), Repeat("x", 96) + ".pdf");
    EXPECT_EQ(SafeFileName(Repeat(kA, 60) + ".pdf", kShiftJis, 100), Repeat(kA, 48) + ".pdf");
    // In very little room a long extension is not kept whole.
    EXPECT_EQ(SafeFileName("report.backup-copy", kShiftJis, 16), "report.backup-co");
}

}  // namespace
}  // namespace quillbox
