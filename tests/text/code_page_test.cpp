#include "text/code_page.h"

#include <gtest/gtest.h>

using quillbox::TCodePage;

TEST(CodePage, ShiftJisLeadBytes)
{
    const TCodePage sjis(932);
    EXPECT_TRUE(sjis.IsDoubleByte());
    EXPECT_TRUE(sjis.IsLeadByte(0x81));
    EXPECT_TRUE(sjis.IsLeadByte(0x9F));
    EXPECT_TRUE(sjis.IsLeadByte(0xE0));
    EXPECT_TRUE(sjis.IsLeadByte(0xFC));
    EXPECT_FALSE(sjis.IsLeadByte(0x80));
    EXPECT_FALSE(sjis.IsLeadByte(0xA0));  // half-width katakana are single bytes
    EXPECT_FALSE(sjis.IsLeadByte(0xDF));
    EXPECT_FALSE(sjis.IsLeadByte(0x5C));
    EXPECT_FALSE(TCodePage(1252).IsDoubleByte());
}

TEST(CodePage, TrailByteBackslashIsNotASeparator)
{
    const TCodePage sjis(932);
    // "C:\表" where 表 is 0x95 0x5C: the only real backslash is at 2.
    const std::string path = "C:\\\x95\x5C";
    EXPECT_EQ(sjis.FindLastChar(path, '\\'), 2u);
    // The same bytes read as code page 1252 end in a backslash.
    EXPECT_EQ(TCodePage(1252).FindLastChar(path, '\\'), 4u);
    // A lead byte as the very last byte stands alone.
    EXPECT_EQ(sjis.CharLength("a\x95", 1), 1u);
    EXPECT_EQ(sjis.FindLastChar("\x83\x5C\\x", '\\'), 2u);
    EXPECT_EQ(sjis.FindLastChar("\x83\x5C", '\\'), std::string::npos);
}
