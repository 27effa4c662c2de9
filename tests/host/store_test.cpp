#include "convert/file_bytes.h"
#include "store/atomic_file.h"
#include "store/folder_index.h"
#include "store/importer.h"
#include "store/mail_message.h"
#include "store/mail_store.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace quillbox;

namespace {

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        data_ = (std::filesystem::temp_directory_path() /
                 ("qbx_store_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name()))
                    .string() + "/";
        std::filesystem::remove_all(data_);
        std::filesystem::create_directories(data_ + "Box/Inbox");
    }
    void TearDown() override { std::filesystem::remove_all(data_); }

    TMailStore Store() { return TMailStore(data_, 932, [this](const std::string& w) { warnings_.push_back(w); }); }

    std::string data_;
    std::vector<std::string> warnings_;
};

const std::string kPlain =
    "From: =?ISO-2022-JP?B?GyRCJUYlOSVIGyhC?= <t@example.com>\r\n"
    "Subject: plain one\r\n"
    "Date: Tue, 01 Dec 2026 10:00:00 +0900\r\n"
    "Content-Type: text/plain\r\n"
    "\r\n"
    "body\r\n";

const std::string kWithAttachment =
    "Subject: with file\r\n"
    "Content-Type: multipart/mixed; boundary=\"b1\"\r\n"
    "\r\n"
    "--b1\r\nContent-Type: text/plain\r\n\r\nhi\r\n"
    "--b1\r\nContent-Type: application/pdf; name=\"a.pdf\"\r\nContent-Transfer-Encoding: base64\r\n\r\nJVBERg==\r\n"
    "--b1--\r\n";

}  // namespace

TEST(FolderIndex, LineRoundTripHoldsTheFieldsTheScanReads)
{
    TIndexEntry e;
    e.key = "12";
    e.fileName = "12.eml";
    e.subject = "\x83\x65\x83\x5C\x01 tab\tnew\r\nline";  // a trail byte 0x5C, a separator, breaks
    e.from = "A <a@example.com>";
    e.time = 0x6930D2A0;
    e.flags = kFlagHasAttachments | kFlagRead;
    const std::string line = FormatIndexLine(e);
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
    std::vector<std::string> fields;
    std::size_t pos = 0, next;
    while ((next = line.find('\x01', pos)) != std::string::npos) fields.push_back(line.substr(pos, next - pos)), pos = next + 1;
    fields.push_back(line.substr(pos));
    ASSERT_EQ(fields.size(), 17u);
    EXPECT_EQ(fields[1], "12");
    EXPECT_EQ(fields[3], "\x83\x65\x83\x5C  tab new  line");
    EXPECT_EQ(fields[8], "6930D2A0");
    EXPECT_EQ(fields[12], "9");
    EXPECT_FALSE(fields[16].empty());  // a trailing empty field would not count as one
    const std::optional<TIndexEntry> back = ParseIndexLine(line);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->key, "12");
    EXPECT_EQ(back->subject, fields[3]);
    EXPECT_EQ(back->time, e.time);
    EXPECT_EQ(back->flags, e.flags);
}

TEST_F(StoreTest, BadIndexLinesAreSkippedWithAWarning)
{
    TIndexEntry good;
    good.key = "1";
    good.fileName = "1.eml";
    std::string text = FormatIndexLine(good) + "\r\n";
    text += "short\x01line\r\n";
    std::string badHex = FormatIndexLine(good);
    badHex.replace(badHex.find("\x01" "0\x01" "0\x01"), 5, "\x01zz\x01" "0\x01");
    text += badHex + "\r\n";
    TIndexEntry badKey = good;
    badKey.key = "../x";
    badKey.fileName = "../x.eml";
    text += FormatIndexLine(badKey) + "\r\n\r\n";
    ASSERT_TRUE(WriteFileBytes(data_ + "Box/Inbox/Folder.idx", text));
    const auto entries = Store().Folder("Box/Inbox/").Entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].key, "1");
    EXPECT_EQ(warnings_.size(), 3u);
}

TEST_F(StoreTest, AppendAndReplaceKeepSourcesByteForByteAndTheIndexCurrent)
{
    TMailStore store = Store();
    TMailFolder folder = store.Folder("Box/Inbox/");
    EXPECT_EQ(folder.Append(kPlain), "1");
    EXPECT_EQ(folder.Append(kWithAttachment), "2");
    EXPECT_EQ(store.Folders("Box/"), std::vector<std::string>{"Box/Inbox/"});
    EXPECT_EQ(store.Source("Box/Inbox/?2"), kWithAttachment);
    auto entries = folder.Entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].from, "\x83\x65\x83\x58\x83\x67 <t@example.com>");
    EXPECT_EQ(entries[0].time, 1796086800);
    EXPECT_EQ(entries[0].flags & kFlagHasAttachments, 0u);
    EXPECT_NE(entries[1].flags & kFlagHasAttachments, 0u);

    const std::string stripped = "Subject: no file now\r\nContent-Type: text/plain\r\n\r\nhi\r\n";
    ASSERT_TRUE(store.ReplaceSource("Box/Inbox/?2", stripped));
    EXPECT_EQ(store.Source("Box/Inbox/?2"), stripped);
    entries = folder.Entries();
    EXPECT_EQ(entries[1].subject, "no file now");
    EXPECT_EQ(entries[1].flags & kFlagHasAttachments, 0u);
    EXPECT_FALSE(store.ReplaceSource("Box/Inbox/?9", stripped));
    EXPECT_FALSE(std::filesystem::exists(data_ + "Box/Inbox/2.eml.new"));
}

TEST_F(StoreTest, ACrashBetweenWriteAndRenameLeavesTheOldMail)
{
    TMailStore store = Store();
    ASSERT_EQ(store.Folder("Box/Inbox/").Append(kPlain), "1");
    const std::string path = data_ + "Box/Inbox/1.eml";
    const std::string replacement = WriteReplacement(path, "torn");
    ASSERT_FALSE(replacement.empty());
    // The process dies here: the rename never happens.
    EXPECT_EQ(store.Source("Box/Inbox/?1"), kPlain);
    EXPECT_EQ(store.Folder("Box/Inbox/").Entries().size(), 1u);
    // The next change writes over the left-over file and completes.
    ASSERT_TRUE(store.ReplaceSource("Box/Inbox/?1", kWithAttachment));
    EXPECT_EQ(store.Source("Box/Inbox/?1"), kWithAttachment);
    EXPECT_FALSE(std::filesystem::exists(replacement));
}

TEST_F(StoreTest, SetHeaderReplacesOrAddsOneField)
{
    TMailStore store = Store();
    ASSERT_TRUE(store.Folder("Box/Inbox/").Append(kPlain));
    ASSERT_TRUE(store.SetHeader("Box/Inbox/?1", "X-Removed-Attachment", "\"a.pdf\",\r\n \"b.zip\""));
    ASSERT_TRUE(store.SetHeader("Box/Inbox/?1", "Subject", "renamed"));
    const std::string source = *store.Source("Box/Inbox/?1");
    EXPECT_NE(source.find("Subject: renamed\r\n"), std::string::npos);
    EXPECT_EQ(source.find("plain one"), std::string::npos);
    EXPECT_NE(source.find("X-Removed-Attachment: \"a.pdf\",\r\n \"b.zip\"\r\n\r\nbody\r\n"), std::string::npos);
    EXPECT_EQ(HeaderValue(source, "x-removed-attachment"), "\"a.pdf\", \"b.zip\"");
    ASSERT_TRUE(store.SetHeader("Box/Inbox/?1", "X-Removed-Attachment", "\"c.txt\""));
    EXPECT_EQ(HeaderValue(*store.Source("Box/Inbox/?1"), "X-Removed-Attachment"), "\"c.txt\"");
}

TEST(MailId, StaysInsideTheDataFolder)
{
    const auto id = SplitMailId("Box/In?box/?12");
    ASSERT_TRUE(id);
    EXPECT_EQ(id->folder, "Box/In?box/");
    EXPECT_EQ(id->key, "12");
    EXPECT_FALSE(SplitMailId("Box/Inbox/"));
    EXPECT_FALSE(SplitMailId("Box/Inbox/?1/x"));
    EXPECT_FALSE(SplitMailId("../Box/?1"));
    EXPECT_FALSE(SplitMailId("/etc/?1"));
    EXPECT_FALSE(SplitMailId("Box/Inbox?1"));
}

TEST(MailMessage, DatesAndAttachmentFlags)
{
    EXPECT_EQ(ParseMailDate("Tue, 01 Dec 2026 10:00:00 +0900"), 1796086800);
    EXPECT_EQ(ParseMailDate("1 Dec 2026 01:00 GMT"), 1796086800);
    EXPECT_EQ(ParseMailDate("Mon, 30 Nov 2026 20:00:00 -0500"), 1796086800);
    EXPECT_EQ(ParseMailDate("1 Jan 1970 00:00:00 +0000"), 0);
    EXPECT_EQ(ParseMailDate("yesterday"), std::nullopt);
    EXPECT_TRUE(CarriesAttachments(kWithAttachment));
    EXPECT_FALSE(CarriesAttachments(kPlain));
    EXPECT_FALSE(CarriesAttachments("Content-Type: multipart/alternative; boundary=x\r\n\r\n--x\r\nContent-Type: text/plain\r\n"));
    EXPECT_EQ(WithCrLf("a\nb\r\nc\rd"), "a\r\nb\r\nc\r\nd");
}

TEST_F(StoreTest, ImportsEmlAndMboxWithCrLf)
{
    ASSERT_TRUE(WriteFileBytes(data_ + "one.eml", "Subject: =?UTF-8?B?44OG44K544OI?=\nDate: 1 Dec 2026 01:00 GMT\n\nhello\n"));
    ASSERT_TRUE(WriteFileBytes(data_ + "box.mbox",
                               "From a@example.com Tue Dec  1 10:00:00 2026\nSubject: first\n\n>From the start\nline\n\n"
                               "From b@example.com Tue Dec  1 11:00:00 2026\nSubject: second\n\nFromage\n\n"
                               "From c@example.com Tue Dec  1 12:00:00 2026\nSubject: third\n\nlast\n"));
    TMailFolder folder = Store().Folder("Box/Inbox/");
    EXPECT_EQ(ImportFile(folder, data_ + "one.eml"), 1);
    EXPECT_EQ(ImportFile(folder, data_ + "box.mbox"), 3);
    EXPECT_EQ(ImportFile(folder, data_ + "missing.mbox"), -1);
    const auto entries = folder.Entries();
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].subject, "\x83\x65\x83\x58\x83\x67");
    EXPECT_EQ(entries[0].time, 1796086800);
    EXPECT_EQ(entries[3].subject, "third");
    EXPECT_EQ(folder.Source("1"), "Subject: =?UTF-8?B?44OG44K544OI?=\r\nDate: 1 Dec 2026 01:00 GMT\r\n\r\nhello\r\n");
    EXPECT_EQ(folder.Source("2"), "Subject: first\r\n\r\nFrom the start\r\nline\r\n");
    EXPECT_EQ(folder.Source("3"), "Subject: second\r\n\r\nFromage\r\n");
}
