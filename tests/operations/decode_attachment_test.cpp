#include "operations/decode_attachment.h"

#include <filesystem>

#include "operations/local_file.h"
#include "operations_fixture.h"

namespace quillbox {
namespace {

using namespace quillbox::testing;

class DecodeAttachmentTest : public OperationsTest {};

const std::string kBinary("PK\x03\x04\x00\xff\r\n\x80 bytes", 15);

TEST_F(DecodeAttachmentTest, EncodingsAreRecognisedInAnyCaseAndAsSubstrings)
{
    TTestMail mail;
    mail.Parts = {TextPart("Hello\r\n"), Base64Part("a.zip", kBinary), Base64Part("b.zip", kBinary),
                  {"Content-Type: text/x; name=\"q.txt\"\r\nContent-Transfer-Encoding: Quoted-Printable\r\n\r\n"
                   "caf=E9 =\r\nend\r\n",
                   "q.txt", "Quoted-Printable"}};
    auto item = Store(mail);
    item->Attachments[0]->Encoding = "BASE64";
    item->Attachments[1]->Encoding = "x-base64-ish";

    for (int i = 0; i < 3; ++i) {
        const std::string out = Path("out" + std::to_string(i));
        ASSERT_TRUE(DecodeAttachment(host, *item, *item->Attachments[i], out)) << i;
        EXPECT_EQ(ReadFileBytes(out), i < 2 ? kBinary : std::string("caf\xE9 end\r\n")) << i;
    }
    EXPECT_EQ(item->Boundary, "=_b.1+x");
    EXPECT_EQ(item->BoundaryPattern, R"(\-\-\=_b\.1\+x)");
    EXPECT_TRUE(host.TempFilesLeft().empty());
}

TEST_F(DecodeAttachmentTest, SevenAndEightBitAreCopiedWithCrLfLineEnds)
{
    TTestMail mail;
    mail.Parts = {SevenBitPart("n.txt", "one\ntwo\rthree\r\n"),
                  {"Content-Type: application/x; name=\"e.txt\"\nContent-Transfer-Encoding: 8Bit\n\n\xE3\x81\x82\n",
                   "e.txt", "8Bit"}};
    auto item = Store(mail);
    ASSERT_TRUE(DecodeAttachment(host, *item, *item->Attachments[0], Path("n")));
    EXPECT_EQ(ReadFileBytes(Path("n")), "one\r\ntwo\r\nthree\r\n");
    ASSERT_TRUE(DecodeAttachment(host, *item, *item->Attachments[1], Path("e")));
    EXPECT_EQ(ReadFileBytes(Path("e")), "\xE3\x81\x82\r\n");
}

TEST_F(DecodeAttachmentTest, AHeaderBlockWithoutItsEmptyLineGivesAnEmptyBody)
{
    TTestMail mail;
    mail.Parts = {{"Content-Type: application/x; name=\"h.txt\"\r\nContent-Transfer-Encoding: 7bit\r\nbody?\r\n",
                   "h.txt", "7bit"}};
    auto item = Store(mail);
    ASSERT_TRUE(DecodeAttachment(host, *item, *item->Attachments[0], Path("h")));
    EXPECT_TRUE(std::filesystem::exists(Path("h")));
    EXPECT_EQ(ReadFileBytes(Path("h")), "");
}

TEST_F(DecodeAttachmentTest, UnknownAndBinaryEncodingsAreRefusedWithoutTouchingTheDestination)
{
    TTestMail mail;
    mail.Parts = {SevenBitPart("u.txt", "x\r\n"), SevenBitPart("b.bin", "y\r\n")};
    auto item = Store(mail);
    item->Attachments[0]->Encoding = "Unknown";
    item->Attachments[1]->Encoding = "binary";
    for (const auto& attachment : item->Attachments)
        EXPECT_FALSE(DecodeAttachment(host, *item, *attachment, Path("never")));
    EXPECT_FALSE(std::filesystem::exists(Path("never")));
    EXPECT_TRUE(host.TempFilesLeft().empty());
}

TEST_F(DecodeAttachmentTest, BoundaryQuotedOrNotWithDotsAndPlusSigns)
{
    for (const std::string contentType :
         {"Content-Type: multipart/mixed; boundary=\"=_b.1+x\"\r\n", "Content-Type: Multipart/Mixed;\r\n boundary==_b.1+x\r\n"}) {
        TTestMail mail;
        mail.ContentType = contentType;
        // A look-alike of the boundary in a body must not cut there.
        mail.Parts = {SevenBitPart("a.txt", "--=_bX1+x\r\n"), SevenBitPart("b.txt", "second\r\n")};
        auto item = Store(mail);
        ASSERT_TRUE(DecodeAttachment(host, *item, *item->Attachments[1], Path("b"))) << contentType;
        EXPECT_EQ(ReadFileBytes(Path("b")), "second\r\n");
        EXPECT_EQ(item->Boundary, "=_b.1+x");
    }
}

TEST_F(DecodeAttachmentTest, MailsThatAreNotMultipartAsExpectedAreRefused)
{
    TTestMail mail;
    mail.Parts = {SevenBitPart("a.txt", "x\r\n")};
    mail.ContentType = "Content-Type: multipart/mixed; charset=us-ascii; boundary=\"=_b.1+x\"\r\n";
    auto item = Store(mail);
    item->Boundary = "old";
    EXPECT_FALSE(DecodeAttachment(host, *item, *item->Attachments[0], Path("a")));
    EXPECT_EQ(item->Boundary, "old");

    mail.ContentType = "Content-Type: multipart/mixed; boundary=\"other\"\r\n";
    item = Store(mail);
    EXPECT_FALSE(DecodeAttachment(host, *item, *item->Attachments[0], Path("a")));
    EXPECT_FALSE(std::filesystem::exists(Path("a")));
}

TEST_F(DecodeAttachmentTest, EachCallSeesTheMailAsItIsNow)
{
    TTestMail mail;
    mail.Parts = {SevenBitPart("a.txt", "first\r\n")};
    auto item = Store(mail);
    ASSERT_TRUE(DecodeAttachment(host, *item, *item->Attachments[0], Path("a")));
    mail.Parts = {SevenBitPart("a.txt", "changed\r\n")};
    Store(mail);
    ASSERT_TRUE(DecodeAttachment(host, *item, *item->Attachments[0], Path("a")));
    EXPECT_EQ(ReadFileBytes(Path("a")), "changed\r\n");
}

TEST_F(DecodeAttachmentTest, ErrorsPassOnAndLeaveNoTemporaryFile)
{
    TTestMail mail;
    mail.Parts = {SevenBitPart("a.txt", "x\r\n")};
    auto item = Store(mail);
    EXPECT_THROW(DecodeAttachment(host, *item, *item->Attachments[0], Path("no/such/folder/a")), EInOutError);
    item->Attachments[0]->PartNo = 5;
    EXPECT_THROW(DecodeAttachment(host, *item, *item->Attachments[0], Path("a")), EBRegExpError);
    ASSERT_EQ(host.TempFiles.size(), 1u);
    EXPECT_TRUE(host.TempFilesLeft().empty());
}

}  // namespace
}  // namespace quillbox
