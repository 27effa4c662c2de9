#include "convert/file_bytes.h"
#include "store_fixture.h"
#include "store/folder_index.h"
#include "store/importer.h"
#include "store/mail_message.h"
#include "store/mail_store.h"
#include "store/store_host_api.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

using namespace quillbox;
using quillbox::testing::kWithAttachment;

namespace {

class StoreTest : public quillbox::testing::TStoreFixture {
protected:
    StoreTest() : TStoreFixture("qbx_store_") {}

    // The host over a store that holds source as Box/Inbox/?1, the current mail.
    std::unique_ptr<TStoreHostApi> HostOverOneMail(const std::string& source)
    {
        EXPECT_EQ(Store().Folder("Box/Inbox/").Append(source), "1");
        auto host = std::make_unique<TStoreHostApi>(Store(), "Box/", "Box/Inbox/", data_);
        host->GetDataFolder();
        host->SetCurrentMail("Box/Inbox/?1");
        return host;
    }
};

const std::string kPlain =
    "From: =?ISO-2022-JP?B?GyRCJUYlOSVIGyhC?= <t@example.com>\r\n"
    "Subject: plain one\r\n"
    "Date: Tue, 01 Dec 2026 10:00:00 +0900\r\n"
    "Content-Type: text/plain\r\n"
    "\r\n"
    "body\r\n";

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
    TMailFolder& folder = store.Folder("Box/Inbox/");
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

// Mapped (large) or read (small), a file's bytes come with the stamp of the
// file they are from.
TEST_F(StoreTest, AFilesBytesAreSharedWithTheStampOfWhatWasRead)
{
    const std::string path = data_ + "file";
    TFileStamp stamp;
    for (const std::string& bytes : {kWithAttachment, kWithAttachment + std::string(4 << 20, 'z')}) {
        ASSERT_TRUE(WriteFileBytes(path, bytes));
        EXPECT_EQ(MapFileBytes(path, &stamp), bytes);
        EXPECT_EQ(stamp, StampOf(path));
    }
    ASSERT_TRUE(WriteFileBytes(path, ""));
    EXPECT_EQ(MapFileBytes(path, &stamp), "");
    EXPECT_EQ(stamp, StampOf(path));
    EXPECT_EQ(MapFileBytes(data_ + "missing"), std::nullopt);
    EXPECT_EQ(MapFileBytes(data_), std::nullopt);
}

TEST_F(StoreTest, TheMailLastReadIsReadAgainOnceItsFileChanges)
{
    TMailStore store = Store();
    ASSERT_EQ(store.Folder("Box/Inbox/").Append(kPlain), "1");
    const std::string path = data_ + "Box/Inbox/1.eml";
    EXPECT_EQ(store.Source("Box/Inbox/?1"), kPlain);
    // Written in place by someone else, then replaced by a rename with the same size.
    ASSERT_TRUE(WriteFileBytes(path, kWithAttachment));
    EXPECT_EQ(store.Source("Box/Inbox/?1"), kWithAttachment);
    std::string sameSize = kWithAttachment;
    sameSize[0] = 's';
    ASSERT_TRUE(WriteFileBytes(path + ".other", sameSize));
    std::filesystem::rename(path + ".other", path);
    EXPECT_EQ(store.Source("Box/Inbox/?1"), sameSize);
    // A store that could not write keeps showing what the file holds.
    std::filesystem::create_directory(path + ".new");
    EXPECT_FALSE(store.ReplaceSource("Box/Inbox/?1", kPlain));
    EXPECT_FALSE(store.SetHeader("Box/Inbox/?1", "Subject", "x"));
    EXPECT_EQ(store.Source("Box/Inbox/?1"), sameSize);
    std::filesystem::remove(path + ".new");
    std::filesystem::remove(path);
    EXPECT_EQ(store.Source("Box/Inbox/?1"), std::nullopt);
}

// Asked for a mail's header, source and fields in turn, the host reads its
// file once, and hands the source over without copying it.
TEST_F(StoreTest, TheHostReadsAMailOnceForItsHeaderSourceAndFields)
{
    const std::string big = kWithAttachment + std::string(4 << 20, 'x');
    // What a removal asks for before it rewrites the mail.
    const std::unique_ptr<TStoreHostApi> over = HostOverOneMail(big);
    TStoreHostApi& host = *over;
    EXPECT_EQ(host.GetHeader("Box/Inbox/?1"), std::string(HeaderBlock(big)));
    const std::optional<TSharedText> first = host.GetSource("Box/Inbox/?1");
    ASSERT_EQ(first, big);
    EXPECT_EQ(host.GetSpecifiedHeader("Subject"), "with file");
    EXPECT_EQ(host.GetHeader("Box/Inbox/?1"), std::string(HeaderBlock(big)));
    const std::optional<TSharedText> again = host.GetSource("Box/Inbox/?1");
    ASSERT_EQ(again, big);
    EXPECT_EQ(again->data(), first->data());
}

// A removal stores the new source, reads it back to check it, then sets its
// record field, all on the text the store wrote.
TEST_F(StoreTest, AStoredSourceIsReadBackAndGivenAField)
{
    const std::string big = kWithAttachment + std::string(4 << 20, 'x');
    const std::string rewritten = kPlain + std::string(4 << 20, 'y');
    const std::unique_ptr<TStoreHostApi> over = HostOverOneMail(big);
    TStoreHostApi& host = *over;
    const std::optional<TSharedText> fetched = host.GetSource("Box/Inbox/?1");
    EXPECT_EQ(fetched, big);
    host.SetSource(rewritten);
    // What was handed over before stays what it was.
    EXPECT_EQ(fetched, big);
    const std::optional<TSharedText> stored = host.GetSource("Box/Inbox/?1");
    EXPECT_EQ(stored, rewritten);
    EXPECT_EQ(host.GetSource("Box/Inbox/?1")->data(), stored->data());
    host.SetSpecifiedHeader("X-Removed-Attachment", "\"a.pdf\"");
    const std::string expected = WithHeader(rewritten, "X-Removed-Attachment", "\"a.pdf\"");
    EXPECT_EQ(host.GetSource("Box/Inbox/?1"), expected);
    // What is on the disk is the same, for a store that reads it afresh.
    TMailStore fresh = Store();
    EXPECT_EQ(fresh.Source("Box/Inbox/?1"), expected);
    // A file changed behind the store's back is read again.
    ASSERT_TRUE(WriteFileBytes(data_ + "Box/Inbox/1.eml", big));
    EXPECT_EQ(host.GetSource("Box/Inbox/?1"), big);
}

TEST_F(StoreTest, SetHeaderReplacesOrAddsOneField)
{
    TMailStore store = Store();
    ASSERT_TRUE(store.Folder("Box/Inbox/").Append(kPlain));
    ASSERT_TRUE(store.SetHeader("Box/Inbox/?1", "X-Removed-Attachment", "\"a.pdf\",\r\n \"b.zip\""));
    ASSERT_TRUE(store.SetHeader("Box/Inbox/?1", "Subject", "renamed"));
    const std::string source(*store.Source("Box/Inbox/?1"));
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
    EXPECT_EQ(WithCrLf("\r\r\n\n\rx\r"), "\r\n\r\n\r\n\r\nx\r\n");
    EXPECT_EQ(WithCrLf(""), "");
    EXPECT_TRUE(CarriesAttachments("Content-Type: multipart/alternative; boundary=x\r\n\r\n--x\r\n"
                                   "Content-Type: image/png; NAME=\"a.png\"\r\n"));
}

// Alternatives carry attachments only when "name=" (any case) is in the body:
// at its very start, after other '=' signs, or cut short at its end.
TEST(MailMessage, AlternativesCarryAttachmentsOnlyWhenANameIsGiven)
{
    const std::string head = "Content-Type: multipart/alternative; boundary=x\r\n\r\n";
    EXPECT_TRUE(CarriesAttachments(head + "name=a"));
    EXPECT_TRUE(CarriesAttachments(head + "\r\nQUJD==\r\n=3D=\r\nfileNaMe=\"a\""));
    EXPECT_TRUE(CarriesAttachments(head + "\r\n\r\nxname="));
    EXPECT_FALSE(CarriesAttachments(head + "\r\nQUJD==\r\n=3D name =\r\nnam=e=\r\n=name"));
    EXPECT_FALSE(CarriesAttachments(head + "\r\nname"));
    EXPECT_FALSE(CarriesAttachments(head + "ame="));
    EXPECT_FALSE(CarriesAttachments("Content-Type: multipart/alternative; name=a\r\n\r\nbody"));
}

TEST_F(StoreTest, ImportsEmlAndMboxWithCrLf)
{
    ASSERT_TRUE(WriteFileBytes(data_ + "one.eml", "Subject: =?UTF-8?B?44OG44K544OI?=\nDate: 1 Dec 2026 01:00 GMT\n\nhello\n"));
    ASSERT_TRUE(WriteFileBytes(data_ + "box.mbox",
                               "From a@example.com Tue Dec  1 10:00:00 2026\nSubject: first\n\n>From the start\nline\n\n"
                               "From b@example.com Tue Dec  1 11:00:00 2026\nSubject: second\n\nFromage\n\n"
                               "From c@example.com Tue Dec  1 12:00:00 2026\nSubject: third\n\nlast\n"));
    TMailStore store = Store();
    TMailFolder& folder = store.Folder("Box/Inbox/");
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
