#include <gtest/gtest.h>

#include <string>

#include "text/code_page_conversion.h"
#include "text/japanese_text.h"
#include "text/mail_charset.h"

namespace quillbox {
namespace {

const TCodePage kJapanese(932);
const TCodePage kWestern(1252);

// テスト.pdf in each of the forms mailers write it.
const std::string kTesutoSjis = "\x83\x65\x83\x58\x83\x67.pdf";
const std::string kTesutoUtf8 = "\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88.pdf";
const std::string kTesutoJis = "\x1B$B%F%9%H\x1B(B.pdf";
const std::string kTesutoEuc = "\xA5\xC6\xA5\xB9\xA5\xC8.pdf";

TEST(MailCharset, JapaneseCharsetsReachShiftJis)
{
    for (const auto& [charset, bytes] : {std::pair{"UTF-8", kTesutoUtf8}, {"iso-2022-jp", kTesutoJis},
                                         {"Shift_JIS", kTesutoSjis}, {"cp932", kTesutoSjis}, {"EUC-JP", kTesutoEuc}}) {
        EXPECT_EQ(CharsetTextToLocal(charset, bytes, kJapanese), kTesutoSjis) << charset;
        // A Western code page has none of these characters.
        EXPECT_EQ(CharsetTextToLocal(charset, bytes, kWestern), "___.pdf") << charset;
    }
    EXPECT_FALSE(CharsetTextToLocal("koi8-r", "abc", kJapanese));
    EXPECT_EQ(CharsetTextToLocal("US-ASCII", "plain.txt", kJapanese), "plain.txt");
}

TEST(MailCharset, WesternCharsets)
{
    // ISO-8859-1 has a control character at 0x80, not the euro.
    EXPECT_EQ(CharsetTextToLocal("iso-8859-1", "caf\xE9 \x80", kWestern), "caf\xE9 _");
    EXPECT_EQ(CharsetTextToLocal("windows-1252", "\x80uro caf\xE9", kWestern), "\x80uro caf\xE9");
    // Code page 932 lacks the accented letter and the euro: stand-ins.
    EXPECT_EQ(CharsetTextToLocal("windows-1252", "\x80uro caf\xE9", kJapanese), "\x81\xACuro caf\x81\xAC");
    EXPECT_EQ(CharsetTextToLocal("utf-8", "caf\xC3\xA9 \xE2\x82\xAC", kWestern), "caf\xE9 \x80");
}

TEST(MailCharset, StandInsAreVisibleAndNeverPathCharacters)
{
    EXPECT_EQ(StandInFor(kJapanese), "\x81\xAC");  // 〓
    EXPECT_EQ(StandInFor(kWestern), "_");
    // An emoji, malformed UTF-8, a yen sign (which a best fit would make a
    // backslash) and JIS X 0212 text.
    EXPECT_EQ(CharsetTextToLocal("utf-8", "a\xF0\x9F\x98\x80" "b", kJapanese), "a\x81\xAC" "b");
    EXPECT_EQ(CharsetTextToLocal("utf-8", "a\xC3(b", kWestern), "a_(b");
    EXPECT_EQ(CharsetTextToLocal("utf-8", "\xC2\xA5" "100", kJapanese), "\x81\xAC" "100");
    EXPECT_EQ(CharsetTextToLocal("iso-2022-jp", "\x1B$(D0!\x1B(Bx", kJapanese), "\x81\xACx");
    EXPECT_EQ(CharsetTextToLocal("shift_jis", "a\x83", kJapanese), "a\x81\xAC");
    // Characters that Macs write with the JIS mapping keep their form.
    EXPECT_EQ(CharsetTextToLocal("utf-8", "1\xE3\x80\x9C" "2", kJapanese), "1\x81\x60" "2");  // 〜
    EXPECT_EQ(CharsetTextToLocal("utf-8", "\xE2\x88\x92", kJapanese), "\x81\x7C");            // −
}

TEST(MailCharset, UnlabelledTextIsTakenForWhatItLooksLike)
{
    EXPECT_EQ(UnlabelledTextToLocal("plain.pdf", kJapanese), "plain.pdf");
    EXPECT_EQ(UnlabelledTextToLocal(kTesutoJis, kJapanese), kTesutoSjis);
    EXPECT_EQ(UnlabelledTextToLocal(kTesutoUtf8, kJapanese), kTesutoSjis);
    EXPECT_EQ(UnlabelledTextToLocal(kTesutoEuc, kJapanese), kTesutoSjis);
    EXPECT_EQ(UnlabelledTextToLocal(kTesutoSjis, kJapanese), kTesutoSjis);
    // 報告書 in Shift_JIS is neither valid UTF-8 nor EUC-JP.
    EXPECT_EQ(UnlabelledTextToLocal("\x95\xF1\x8D\x90\x8F\x91", kJapanese), "\x95\xF1\x8D\x90\x8F\x91");
    EXPECT_EQ(UnlabelledTextToLocal("caf\xE9.txt", kWestern), "caf\xE9.txt");
    EXPECT_EQ(UnlabelledTextToLocal("caf\xE9.txt", kJapanese), "caf\x81\xAC.txt");
}

TEST(JapaneseText, EscapesAndValidity)
{
    EXPECT_EQ(Iso2022JpToShiftJis("\x1B$@%F%9%H\x1B(Jx"), "\x83\x65\x83\x58\x83\x67x");
    EXPECT_EQ(Iso2022JpToShiftJis("\x1B(I12\x1B(B" "\x0E" "12\x0F" "a"), "\xB1\xB2\xB1\xB2" "a");
    EXPECT_EQ(Iso2022JpToShiftJis("\x1B$B%F\r\nab"), "\x83\x65\r\nab");  // a line break ends the run
    EXPECT_EQ(Iso2022JpToShiftJis("\x1B$B%", "#"), "#");
    EXPECT_EQ(EucJpToShiftJis("\xA5\xC6\x8E\xB1\x8F\xB0\xA1", "#"), "\x83\x65\xB1#");
    EXPECT_TRUE(LooksLikeIso2022Jp(kTesutoJis));
    EXPECT_FALSE(LooksLikeIso2022Jp("\x1B[0m"));
    EXPECT_FALSE(LooksLikeIso2022Jp(kTesutoJis + "\xA5"));
    EXPECT_TRUE(IsEucJp(kTesutoEuc));
    EXPECT_FALSE(IsEucJp(kTesutoSjis));
    EXPECT_FALSE(IsEucJp("ascii"));
    EXPECT_TRUE(IsShiftJis(kTesutoSjis));
    EXPECT_TRUE(IsShiftJis("\xB1\xB2"));  // half-width katakana
    EXPECT_FALSE(IsShiftJis("\x83"));
    EXPECT_FALSE(IsShiftJis("\x83\x7F"));
}

TEST(JapaneseText, EveryWideByteMustStartAWholeCharacter)
{
    EXPECT_TRUE(IsEucJp("a\x8E\xB1" "b"));             // half-width katakana
    EXPECT_TRUE(IsEucJp("\x8F\xB0\xA1" "c\xA5\xC6"));  // supplementary kanji, then a pair
    EXPECT_FALSE(IsEucJp("\xA5\xC6\xA5"));              // cut short
    EXPECT_FALSE(IsEucJp("\x8F\xB0"));
    EXPECT_FALSE(IsEucJp("\x8E\x41"));
    EXPECT_TRUE(IsShiftJis("\xB1\x83\x65\xB2"));       // kana, a pair, kana
    EXPECT_FALSE(IsShiftJis("\x83\x65\xA0"));           // 0xA0 starts nothing
    EXPECT_FALSE(IsShiftJis("\x83\x65\x83"));
    EXPECT_FALSE(IsShiftJis(""));
}

TEST(CodePageConversion, BackToUtf8)
{
    EXPECT_EQ(ConvertToUtf8(kTesutoSjis, 932), kTesutoUtf8);
    EXPECT_EQ(ConvertToUtf8("\x80", 1252), "\xE2\x82\xAC");
    EXPECT_EQ(ConvertFromUtf8(kTesutoUtf8, 932, "?"), kTesutoSjis);
}

}  // namespace
}  // namespace quillbox
