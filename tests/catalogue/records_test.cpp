#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "catalogue/folder_index.h"
#include "catalogue/hex_field.h"
#include "catalogue/mail_date.h"
#include "catalogue/mail_list.h"
#include "catalogue/string_delimit_list.h"

namespace quillbox {
namespace {

std::vector<std::string> Split(std::string_view line, unsigned codePage = 932)
{
    TStringDelimitList list;
    list.SplitLine(line, TCodePage(codePage));
    return list.Fields();
}

using Fields = std::vector<std::string>;

TEST(SplitLine, DelimitersAndLeadingBlanks)
{
    EXPECT_EQ(Split("a\x01\x01" "b"), (Fields{"a", "", "b"}));
    EXPECT_EQ(Split("a\x01" "b\x01"), (Fields{"a", "b"}));
    EXPECT_EQ(Split("  \x01" "a"), (Fields{"a"}));
    EXPECT_EQ(Split(" \x01\t\x01 "), Fields{});
    EXPECT_EQ(Split(""), Fields{});
    EXPECT_EQ(Split("a \x01 b"), (Fields{"a ", " b"}));  // only leading blanks go
    EXPECT_EQ(Split(std::string_view("a\x01" "b\0c\x01" "d", 7)), (Fields{"a", "b"}));
}

TEST(SplitLine, DoubleByteCharacterIsNeverSplit)
{
    // A lead byte swallows the byte after it, even a delimiter.
    EXPECT_EQ(Split("\x95\x01" "a\x01" "b", 932), (Fields{"\x95\x01" "a", "b"}));
    EXPECT_EQ(Split("\x95\x01" "a\x01" "b", 1252), (Fields{"\x95", "a", "b"}));
    // A lead byte at the very end stands alone.
    EXPECT_EQ(Split("a\x01\x95", 932), (Fields{"a", "\x95"}));
    EXPECT_EQ(Split("\x83\x5C\x01\x8C\x8E", 932), (Fields{"\x83\x5C", "\x8C\x8E"}));
}

TEST(HexField, LeadingDigitsUpTo32Bits)
{
    EXPECT_EQ(ReadHexField("8"), 8);
    EXPECT_EQ(ReadHexField("1A"), 26);
    EXPECT_EQ(ReadHexField("1a"), 26);
    EXPECT_EQ(ReadHexField("8zz"), 8);
    EXPECT_EQ(ReadHexField("3B9ACA10.html"), 1000000016);
    EXPECT_EQ(ReadHexField(""), 0);
    EXPECT_EQ(ReadHexField("x8"), 0);
    EXPECT_EQ(ReadHexField(" 8"), 0);
    EXPECT_EQ(ReadHexField("-8"), 0);
    EXPECT_EQ(ReadHexField("FFFFFFFF"), -1);
    EXPECT_EQ(ReadHexField("7FFFFFFF"), 0x7FFFFFFF);
    EXPECT_EQ(ReadHexField("123456789"), 0x12345678);  // the ninth digit would overflow
    EXPECT_EQ(ReadHexField("000000000001"), 1);         // leading zeros never overflow
}

TEST(MailDate, UnixTimeShiftedByNineHours)
{
    const double date = DateFromUnixTime(ReadHexField("3B9ACA00"));
    const TDateTimeParts parts = DecodeDateTime(date);
    EXPECT_EQ(parts.Year, 2001);
    EXPECT_EQ(parts.Month, 9);
    EXPECT_EQ(parts.Day, 9);
    EXPECT_EQ(parts.Hour, 10);
    EXPECT_EQ(parts.Minute, 46);
    EXPECT_EQ(parts.Second, 40);
    EXPECT_DOUBLE_EQ(DateFromUnixTime(0), 25569.375);
    const TDateTimeParts early = DecodeDateTime(DateFromUnixTime(INT32_MIN));
    EXPECT_EQ(early.Year, 1901);
    EXPECT_EQ(early.Month, 12);
    EXPECT_EQ(early.Day, 14);
    EXPECT_EQ(early.Hour, 5);  // 20:45:52 UTC + 9 h
}

std::string IndexLine(const std::string& key, const std::string& time, const std::string& flags,
                      int fieldCount = 17)
{
    std::string line;
    for (int i = 0; i < fieldCount; ++i) {
        std::string field = "f" + std::to_string(i);
        if (i == 1) field = key;
        if (i == 3) field = "Subject " + key;
        if (i == 4) field = "From " + key;
        if (i == 8) field = time;
        if (i == 12) field = flags;
        line += field + (i + 1 < fieldCount ? "\x01" : "");
    }
    return line;
}

std::vector<std::string> Keys(const TMailList& list)
{
    std::vector<std::string> keys;
    for (std::size_t i = 0; i < list.Count(); ++i) keys.push_back(list[i].MailID);
    return keys;
}

TEST(FolderIndex, FieldCountAndFlags)
{
    const std::string text = IndexLine("short", "10", "8", 16) + "\r\n" +
                             IndexLine("eight", "10", "8") + "\n" +
                             IndexLine("1a", "10", "1A") + "\r" +
                             IndexLine("8x", "10", "8x") + "\r\n" +
                             IndexLine("seven", "10", "7") + "\r\n" + IndexLine("empty", "10", "");
    const auto mails = ReadIndexMails(text, "box\\in\\");
    ASSERT_EQ(mails.size(), 3u);
    EXPECT_EQ(mails[0]->MailID, "box\\in\\?eight");
    EXPECT_EQ(mails[1]->Flags, 0x1A);
    EXPECT_EQ(mails[2]->MailID, "box\\in\\?8x");

    const TMailItem& mail = *mails[0];
    EXPECT_EQ(mail.IndexField0, "f0");
    EXPECT_EQ(mail.IndexField2, "f2");
    EXPECT_EQ(mail.Subject, "Subject eight");
    EXPECT_EQ(mail.From, "From eight");
    EXPECT_EQ(mail.UnixTime, 16);
    EXPECT_EQ(mail.IndexField16, "f16");
    EXPECT_TRUE(mail.Attachments.empty());
    EXPECT_EQ(mail.PlainCount + mail.HtmlCount, 0);
}

TEST(FolderIndex, EqualDatesKeepFileOrderEarlierGoesFirst)
{
    const std::string text = IndexLine("a", "20", "8") + "\n" + IndexLine("b", "30", "8") + "\n" +
                             IndexLine("c", "20", "8") + "\n" + IndexLine("d", "5", "8") + "\n" +
                             IndexLine("e", "30", "8") + "\n";
    TMailList list;
    list.AddInDateOrder(ReadIndexMails(text, "f\\"));
    EXPECT_EQ(Keys(list), (std::vector<std::string>{"f\\?d", "f\\?a", "f\\?c", "f\\?b", "f\\?e"}));
    list.AttachCount = 3;
    list.ClearMails();
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_EQ(list.AttachCount, 0);
}

// The order a mail list gets from inserting each mail after the last one
// whose date is not greater, walking back from the end.
std::vector<std::string> InsertionOrder(const std::vector<std::pair<std::string, double>>& mails)
{
    std::vector<std::pair<std::string, double>> listed;
    for (const auto& mail : mails) {
        std::size_t i = listed.size();
        while (i > 0 && listed[i - 1].second > mail.second) --i;
        listed.insert(listed.begin() + static_cast<std::ptrdiff_t>(i), mail);
    }
    std::vector<std::string> keys;
    for (const auto& mail : listed) keys.push_back(mail.first);
    return keys;
}

TEST(FolderIndex, DateOrderMatchesInsertionOnRandomFolders)
{
    std::mt19937 random(6);
    for (int round = 0; round < 200; ++round) {
        std::uniform_int_distribution<int> times(0, 1 + round % 40);
        std::vector<std::pair<std::string, double>> expected;
        TMailList list;
        for (int batch = 0; batch < 2; ++batch) {
            std::vector<std::unique_ptr<TMailItem>> mails;
            for (int i = 0; i < round % 50; ++i) {
                auto mail = std::make_unique<TMailItem>();
                mail->MailID = std::to_string(batch) + "-" + std::to_string(i);
                mail->Date = DateFromUnixTime(times(random));
                expected.emplace_back(mail->MailID, mail->Date);
                mails.push_back(std::move(mail));
            }
            list.AddInDateOrder(std::move(mails));
        }
        ASSERT_EQ(Keys(list), InsertionOrder(expected)) << "round " << round;
    }
}

}  // namespace
}  // namespace quillbox
