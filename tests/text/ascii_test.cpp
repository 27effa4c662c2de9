// The ASCII classes against the C library's own, in the "C" locale, for
// every byte: a set that gains or loses a byte changes what some format
// accepts.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>

#include "text/ascii.h"

namespace quillbox {
namespace {

template <class Body>
void ForEveryByte(Body body)
{
    for (int value = 0; value < 256; ++value) {
        SCOPED_TRACE("byte " + std::to_string(value));
        body(static_cast<char>(value), value);
    }
}

TEST(Ascii, ClassesMatchTheCLibrary)
{
    ForEveryByte([](char c, int b) {
        EXPECT_EQ(IsAsciiDigit(c), std::isdigit(b) != 0);
        EXPECT_EQ(IsAsciiLetter(c), std::isalpha(b) != 0);
        EXPECT_EQ(IsAsciiWordChar(c), std::isalnum(b) != 0 || b == '_');
        EXPECT_EQ(AsciiLower(c), static_cast<char>(std::tolower(b)));
        const char digit[2] = {c, '\0'};
        EXPECT_EQ(AsciiHexValue(c), std::isxdigit(b) ? static_cast<int>(std::strtol(digit, nullptr, 16)) : -1);
    });
}

TEST(Ascii, EachWhiteSpaceSetHoldsExactlyItsBytes)
{
    ForEveryByte([](char c, int b) {
        EXPECT_EQ(IsCSpace(c), std::isspace(b) != 0);
        EXPECT_EQ(IsCSpaceButVerticalTab(c), std::isspace(b) != 0 && b != '\v');
        EXPECT_EQ(IsFoldingSpace(c), b != 0 && std::strchr(" \t\r\n", b) != nullptr);
        EXPECT_EQ(IsSpaceOrControl(c), (std::iscntrl(b) != 0 && b != 0x7F) || b == ' ');
    });
}

TEST(Ascii, CaseAndTrimming)
{
    EXPECT_TRUE(EqualsIgnoringCase("Content-Type", "content-TYPE"));
    EXPECT_FALSE(EqualsIgnoringCase("\xC1", "\xE1"));  // no case above 0x7F
    EXPECT_FALSE(EqualsIgnoringCase("type", "types"));
    EXPECT_TRUE(StartsWithIgnoringCase("MULTIPART/mixed", "multipart/"));
    EXPECT_FALSE(StartsWithIgnoringCase("multi", "multipart/"));
    EXPECT_EQ(AsciiLowerCase("Name\xC1\xDE.TXT"), "name\xC1\xDE.txt");  // bytes above 0x7F stay
    EXPECT_EQ(TrimFoldingSpace("\r\n\t a b \t\r\n"), "a b");
    EXPECT_EQ(TrimFoldingSpace("\f a\v"), "\f a\v");  // not folding space
}

}  // namespace
}  // namespace quillbox
