#include "operations/path_text.h"

#include <gtest/gtest.h>

namespace quillbox {
namespace {

const TCodePage kShiftJis(932);
// "表" in Shift_JIS: its trail byte is 0x5C, the backslash.
const std::string kHyo = "\x95\x5C";
const std::string kSep(1, kPathDelimiter);

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
