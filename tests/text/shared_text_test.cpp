#include "text/shared_text.h"

#include <gtest/gtest.h>

#include <optional>

namespace quillbox {
namespace {

// A host's buffer is given back once, when the last holder of its text lets
// go, and never while a prefix of it is still held.
TEST(SharedTextTest, TheOwnerIsReleasedOnceAfterTheLastCopy)
{
    static const char kBuffer[] = "Subject: a\r\n\r\nbody\0after";
    int released = 0;
    std::optional<TSharedText> prefix;
    {
        const TSharedText text(std::string_view(kBuffer, sizeof kBuffer - 1),
                               std::shared_ptr<const void>(kBuffer, [&released](const void*) { ++released; }));
        const TSharedText copy = text;  // NOLINT(performance-unnecessary-copy-initialization): the copy is the test
        EXPECT_EQ(copy.data(), text.data());
        EXPECT_EQ(copy.size(), sizeof kBuffer - 1);
        prefix = text.Prefix(std::string_view(text).find('\0'));
    }
    EXPECT_EQ(released, 0);
    EXPECT_EQ(*prefix, "Subject: a\r\n\r\nbody");
    EXPECT_EQ(prefix->data(), kBuffer);
    prefix.reset();
    EXPECT_EQ(released, 1);
}

TEST(SharedTextTest, AStringOfOursIsMovedInAndComparedByItsBytes)
{
    std::string big(1 << 20, 'x');
    const char* const bytes = big.data();
    const TSharedText text(std::move(big));
    EXPECT_EQ(text.data(), bytes);
    EXPECT_EQ(text, std::string(1 << 20, 'x'));
    EXPECT_FALSE(text == TSharedText(std::string(1 << 20, 'y')));
    EXPECT_TRUE(TSharedText().empty());
    EXPECT_EQ(TSharedText().Prefix(5), "");
}

}  // namespace
}  // namespace quillbox
