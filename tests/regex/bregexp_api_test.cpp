// The C entry points of libbregexp.so: the record as callers read it, reuse
// of the compiled command, and the message buffer.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "regex/bregexp.h"
#include "regex/dynamic_library.h"

namespace quillbox {
namespace {

class BregexpApi : public ::testing::Test {
protected:
    void SetUp() override
    {
        library_ = TDynamicLibrary::Open(std::string(QBX_REGEX_LIBRARY_DIR) + "/libbregexp.so");
        ASSERT_TRUE(library_);
        match_ = reinterpret_cast<BMatchFunc>(library_->Symbol("BMatch"));
        subst_ = reinterpret_cast<BMatchFunc>(library_->Symbol("BSubst"));
        trans_ = reinterpret_cast<BMatchFunc>(library_->Symbol("BTrans"));
        split_ = reinterpret_cast<BSplitFunc>(library_->Symbol("BSplit"));
        free_ = reinterpret_cast<BRegfreeFunc>(library_->Symbol("BRegfree"));
        version_ = reinterpret_cast<BRegexpVersionFunc>(library_->Symbol("BRegexpVersion"));
        ASSERT_TRUE(match_ && subst_ && trans_ && split_ && free_ && version_);
    }
    void TearDown() override
    {
        if (rx_) free_(rx_);
    }

    int Match(const char* command, const std::string& text)
    {
        return match_(command, text.data(), text.data() + text.size(), &rx_, message_);
    }

    std::unique_ptr<TDynamicLibrary> library_;
    BMatchFunc match_ = nullptr, subst_ = nullptr, trans_ = nullptr;
    BSplitFunc split_ = nullptr;
    BRegfreeFunc free_ = nullptr;
    BRegexpVersionFunc version_ = nullptr;
    BREGEXP* rx_ = nullptr;
    char message_[BREGEXP_MAX_ERROR] = "stale";
};

TEST_F(BregexpApi, MatchFillsGroupsAndKeepsTheCommand)
{
    const std::string text = "key = value";
    ASSERT_EQ(Match("m/(\\w+)\\s*=\\s*(\\w+)(x)?/", text), 1);
    EXPECT_STREQ(message_, "");
    EXPECT_EQ(rx_->nparens, 3);
    EXPECT_EQ(std::string(rx_->startp[1], rx_->endp[1]), "key");
    EXPECT_EQ(std::string(rx_->startp[2], rx_->endp[2]), "value");
    EXPECT_EQ(rx_->startp[0], text.data());
    EXPECT_EQ(rx_->startp[3], nullptr);
    EXPECT_STREQ(rx_->parap, "m/(\\w+)\\s*=\\s*(\\w+)(x)?/");
    BREGEXP* const first = rx_;
    EXPECT_EQ(Match("m/(\\w+)\\s*=\\s*(\\w+)(x)?/", "no"), 0);
    EXPECT_EQ(rx_, first);  // the same command keeps its record
    EXPECT_EQ(Match("m/other/", "other"), 1);
    EXPECT_STREQ(rx_->parap, "m/other/");
}

TEST_F(BregexpApi, GlobalMatchContinuesOverTheSameText)
{
    const std::string text = "1 22 333";
    std::string found;
    while (Match("m/\\d+/g", text) == 1) found += std::string(rx_->startp[0], rx_->endp[0]) + ",";
    EXPECT_EQ(found, "1,22,333,");
    ASSERT_EQ(Match("m/\\d+/g", text), 1);  // after a miss it starts again
    EXPECT_EQ(std::string(rx_->startp[0], rx_->endp[0]), "1");
}

// m//g goes on only with the same record over the same text, pointer and
// length alike, and only from a match: anything else starts over.
TEST_F(BregexpApi, GlobalMatchContinuesOnlyOnTheSameRecordAndText)
{
    const std::string text = "1 22 333";
    auto matched = [&](BREGEXP* rx) { return std::string(rx->startp[0], rx->endp[0]); };
    ASSERT_EQ(Match("m/\\d+/g", text), 1);
    EXPECT_EQ(matched(rx_), "1");
    ASSERT_EQ(match_("m/\\d+/g", text.data(), text.data() + 4, &rx_, message_), 1);  // same start, shorter
    EXPECT_EQ(matched(rx_), "1");
    ASSERT_EQ(Match("m/\\d+/g", text), 1);
    EXPECT_EQ(matched(rx_), "1");
    ASSERT_EQ(Match("m/\\d+/g", text), 1);
    EXPECT_EQ(matched(rx_), "22");
    BREGEXP* other = nullptr;
    ASSERT_EQ(match_("m/\\d+/g", text.data(), text.data() + text.size(), &other, message_), 1);
    EXPECT_EQ(matched(other), "1");
    free_(other);
    ASSERT_EQ(split_("m/\\d+/g", text.data(), text.data() + text.size(), 0, &rx_, message_), 3);
    ASSERT_EQ(Match("m/\\d+/g", text), 1);
    EXPECT_EQ(matched(rx_), "1");
}

TEST_F(BregexpApi, SubstAndTransReturnCountsAndText)
{
    const std::string text = "a-b-c";
    ASSERT_EQ(subst_("s/(-)/+/g", text.data(), text.data() + text.size(), &rx_, message_), 2);
    EXPECT_STREQ(rx_->outp, "a+b+c");
    EXPECT_EQ(rx_->outendp - rx_->outp, 5);
    EXPECT_EQ(rx_->startp[1], text.data() + 3);  // the last match, in the text passed in
    ASSERT_EQ(trans_("tr/a-c/A-C/", text.data(), text.data() + text.size(), &rx_, message_), 3);
    EXPECT_STREQ(rx_->outp, "A-B-C");
}

TEST_F(BregexpApi, SplitPiecesArePointerPairs)
{
    const std::string text = "a,b,,";
    ASSERT_EQ(split_("m/,/", text.data(), text.data() + text.size(), 0, &rx_, message_), 2);
    EXPECT_EQ(rx_->splitctr, 2);
    EXPECT_EQ(rx_->splitp[0], text.data());
    EXPECT_EQ(rx_->splitp[1], text.data() + 1);
    EXPECT_EQ(std::string(rx_->splitp[2], rx_->splitp[3]), "b");
    EXPECT_EQ(rx_->splitp[4], nullptr);
}

TEST_F(BregexpApi, ErrorsStayInsideTheBufferAndLeaveNoRecord)
{
    ASSERT_EQ(Match("m/a/", "a"), 1);
    char guarded[BREGEXP_MAX_ERROR + 16];
    std::memset(guarded, 0x7F, sizeof guarded);
    const std::string text = "a";
    const std::string command = "m/a/" + std::string(200, 'q');  // a long message quoting the flag
    EXPECT_EQ(match_("m/(/", text.data(), text.data() + 1, &rx_, guarded), 0);
    EXPECT_STREQ(guarded, "unmatched ( in regex");
    EXPECT_EQ(rx_, nullptr);
    std::memset(guarded, 0x7F, sizeof guarded);
    EXPECT_EQ(subst_("m/a/", text.data(), text.data() + 1, &rx_, guarded), 0);
    EXPECT_STREQ(guarded, "BSubst needs s/pattern/replacement/");
    EXPECT_EQ(match_("m/a/", text.data() + 1, text.data(), &rx_, guarded), 0);
    EXPECT_STREQ(guarded, "invalid text range");
    for (std::size_t i = BREGEXP_MAX_ERROR; i < sizeof guarded; ++i) EXPECT_EQ(guarded[i], 0x7F);
    EXPECT_EQ(match_(nullptr, text.data(), text.data() + 1, &rx_, guarded), 0);
    EXPECT_STREQ(guarded, "no command given");
    EXPECT_NE(version_(), nullptr);
}

}  // namespace
}  // namespace quillbox
