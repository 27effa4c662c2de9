#include "plugin/plugin_paths.h"

#include <gtest/gtest.h>

namespace quillbox {
namespace {

const TCodePage kShiftJis(932);
const TCodePage kWestern(1252);

// "ソ" in Shift_JIS is 0x83 0x5C: its trail byte is the separator's byte.
const std::string kSo = "\x83\x5C";

TEST(FolderOf, CutsAtTheLastSeparatorAndKeepsARootsSeparator)
{
    EXPECT_EQ(FolderOf("C:\\Tansy\\plugins\\quillbox.dll", kShiftJis), "C:\\Tansy\\plugins");
    EXPECT_EQ(FolderOf("C:\\quillbox.dll", kShiftJis), "C:\\");
    EXPECT_EQ(FolderOf("\\\\server\\share\\quillbox.dll", kShiftJis), "\\\\server\\share");
    EXPECT_EQ(FolderOf("quillbox.dll", kShiftJis), "");
}

TEST(FolderOf, ATrailByte0x5CIsNoSeparator)
{
    // The folder's name ends in a character whose second byte is 0x5C.
    const std::string folder = "C:\\" + kSo + "\\x" + kSo;
    EXPECT_EQ(FolderOf(folder + "\\quillbox.dll", kShiftJis), folder);
    EXPECT_EQ(FolderOf("C:\\x" + kSo + "y.dll", kShiftJis), "C:\\");
    // In a single-byte code page the same byte is a separator.
    EXPECT_EQ(FolderOf("C:\\x" + kSo + "y.dll", kWestern), "C:\\x\x83");
}

TEST(SettingsPathFor, ReplacesTheLastDotOfTheWholePath)
{
    EXPECT_EQ(SettingsPathFor("C:\\Tansy\\quillbox.dll", kShiftJis), "C:\\Tansy\\quillbox.ini");
    EXPECT_EQ(SettingsPathFor("C:\\Tansy\\quill.box.dll", kShiftJis), "C:\\Tansy\\quill.box.ini");
    EXPECT_EQ(SettingsPathFor("C:\\Tansy\\quillbox", kShiftJis), "C:\\Tansy\\quillbox.ini");
    // Without an extension the folder's dot is the last one.
    EXPECT_EQ(SettingsPathFor("C:\\Tansy.2\\quillbox", kShiftJis), "C:\\Tansy.ini");
}

TEST(SettingsPathFor, KeepsTheFolderOfADoubleByteName)
{
    const std::string folder = "C:\\" + kSo;
    const std::string settings = SettingsPathFor(folder + "\\quillbox.dll", kShiftJis);
    EXPECT_EQ(settings, folder + "\\quillbox.ini");
    EXPECT_EQ(FolderOf(settings, kShiftJis), folder);
}

}  // namespace
}  // namespace quillbox
