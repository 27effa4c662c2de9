#include "operations/decode_attachment.h"

#include <algorithm>
#include <filesystem>

#include "operations/body_writer.h"
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
        // The line break before the next delimiter is the delimiter's.
        EXPECT_EQ(ReadFileBytes(out), i < 2 ? kBinary : std::string("caf\xE9 end")) << i;
    }
    EXPECT_EQ(item->Boundary, "=_b.1+x");
    EXPECT_EQ(item->BoundaryPattern, R"(\-\-\=_b\.1\+x)");
    EXPECT_TRUE(host.TempFilesLeft().empty());
}

TEST_F(DecodeAttachmentTest, SevenAndEightBitAreCopiedWithCrLfLineEnds)
{
    TTestMail mail;
    mail.Parts = {SevenBitPart("n.txt", "one\ntwo\rthree\r\n\r\n"),
                  {"Content-Type: application/x; name=\"e.txt\"\nContent-Transfer-Encoding: 8Bit\n\n\xE3\x81\x82\n",
                   "e.txt", "8Bit"}};
    auto item = Store(mail);
    ASSERT_TRUE(DecodeAttachment(host, *item, *item->Attachments[0], Path("n")));
    EXPECT_EQ(ReadFileBytes(Path("n")), "one\r\ntwo\r\nthree\r\n");
    ASSERT_TRUE(DecodeAttachment(host, *item, *item->Attachments[1], Path("e")));
    EXPECT_EQ(ReadFileBytes(Path("e")), "\xE3\x81\x82");
    // Straight to the destination: no temporary file.
    EXPECT_TRUE(host.TempFiles.empty());
}

TEST_F(DecodeAttachmentTest, LongBodiesKeepEveryByteAcrossTheirWrittenPieces)
{
    // Long runs of CR LF lines go out in pieces; a lone LF and a lone CR far
    // apart each still become CR LF, and nothing is lost between pieces.
    std::string body, expected;
    for (int i = 0; i < 20000; ++i) {
        const std::string line = "line " + std::to_string(i);
        body += line + (i == 7000 ? "\n" : i == 15000 ? "\r" : "\r\n");
        expected += line + "\r\n";
    }
    TTestMail mail;
    mail.Parts = {SevenBitPart("long.txt", body + "\r\n")};
    auto item = Store(mail);
    ASSERT_TRUE(DecodeAttachment(host, *item, *item->Attachments[0], Path("long")));
    EXPECT_EQ(ReadFileBytes(Path("long")), expected);
}

// Each byte on its own: every CR, with the LF after it if there is one, and
// every LF alone become one CR LF.
std::string WithCrLfByteByByte(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += "\r\n";
        } else {
            out += text[i];
        }
    }
    return out;
}

TEST_F(DecodeAttachmentTest, LineEndsOfEveryKindAtEveryPlaceAroundThePieceEdges)
{
    // CR LF lines over several pieces of the writer; one odd line end (or a
    // run of them) is put at each place around the edges, where a piece
    // could end between a CR and its LF or take a lone one for a pair.
    std::string lines;
    for (int i = 0; lines.size() < 300 * 1024; ++i) lines += "line " + std::to_string(i) + " of text\r\n";
    const std::size_t edges[] = {0, 256 * 1024, lines.size()};
    const std::string oddities[] = {"\n", "\r", "\r\r", "\n\n", "\r\r\n", "\n\r", "\r\r\r\r\r\r\r\r\r\n", "x"};
    int checked = 0;
    for (const std::size_t edge : edges) {
        for (std::size_t at = edge >= 9 ? edge - 9 : 0; at <= std::min(lines.size(), edge + 9); ++at) {
            for (const std::string& oddity : oddities) {
                std::string text = lines;
                text.insert(at, oddity);
                {
                    TFileWriter file(Path("crlf"));
                    WriteWithCrLf(file, text);
                    file.Close();
                }
                ASSERT_TRUE(ReadFileBytes(Path("crlf")) == WithCrLfByteByByte(text)) << "\"" << oddity.size() << " bytes\" at " << at;
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 300);
    // Short texts, ending in each kind of line end or none.
    for (const std::string text : {"", "\r", "\n", "a\r", "a\r\n", "\r\na", "\n\ra\r\r", "abc"}) {
        {
            TFileWriter file(Path("short"));
            WriteWithCrLf(file, text);
            file.Close();
        }
        EXPECT_EQ(ReadFileBytes(Path("short")), WithCrLfByteByByte(text)) << text.size();
    }
}

TEST_F(DecodeAttachmentTest, TheBodyBeginsAfterTheHeaderBlock)
{
    TTestMail mail;
    // A header that runs to the end of the part leaves no body; a line that
    // is no header field begins it.
    mail.Parts = {{"Content-Type: application/x; name=\"h.txt\"\r\nContent-Transfer-Encoding: 7bit\r\n", "h.txt", "7bit"},
                  {"Content-Type: application/x; name=\"b.txt\"\r\nContent-Transfer-Encoding: 7bit\r\nbody?\r\n",
                   "b.txt", "7bit"}};
    auto item = Store(mail);
    ASSERT_TRUE(DecodeAttachment(host, *item, *item->Attachments[0], Path("h")));
    EXPECT_TRUE(std::filesystem::exists(Path("h")));
    EXPECT_EQ(ReadFileBytes(Path("h")), "");
    ASSERT_TRUE(DecodeAttachment(host, *item, *item->Attachments[1], Path("b")));
    EXPECT_EQ(ReadFileBytes(Path("b")), "body?");
}

TEST_F(DecodeAttachmentTest, NoOrBinaryEncodingByTheRules)
{
    TTestMail mail;
    mail.Parts = {SevenBitPart("u.txt", "x\ny\r\n"), SevenBitPart("b.bin", "\r\n\x01\n\r\n")};
    auto item = Store(mail);
    item->Attachments[0]->Encoding = "Unknown";
    item->Attachments[1]->Encoding = "binary";
    // The classic rules refuse both and touch nothing.
    item->Rules = TAttachmentRules::Classic;
    for (const auto& attachment : item->Attachments)
        EXPECT_FALSE(DecodeAttachment(host, *item, *attachment, Path("never")));
    EXPECT_FALSE(std::filesystem::exists(Path("never")));
    // The full rules take no encoding as 7bit and binary as it is.
    item->Rules = TAttachmentRules::Full;
    ASSERT_TRUE(DecodeAttachment(host, *item, *item->Attachments[0], Path("u")));
    EXPECT_EQ(ReadFileBytes(Path("u")), "x\r\ny");
    ASSERT_TRUE(DecodeAttachment(host, *item, *item->Attachments[1], Path("b")));
    EXPECT_EQ(ReadFileBytes(Path("b")), "\r\n\x01\n");
    item->Attachments[0]->Encoding = "x-uuencode";
    EXPECT_FALSE(DecodeAttachment(host, *item, *item->Attachments[0], Path("never")));
    EXPECT_TRUE(host.TempFilesLeft().empty());
}

TEST_F(DecodeAttachmentTest, BoundaryAnywhereQuotedOrNotWithDotsAndPlusSigns)
{
    for (const std::string contentType :
         {"Content-Type: multipart/mixed; boundary=\"=_b.1+x\"\r\n", "Content-Type: Multipart/Mixed;\r\n boundary==_b.1+x\r\n",
          "Content-Type: multipart/mixed; charset=us-ascii; boundary=\"=_b.1+x\"\r\n"}) {
        TTestMail mail;
        mail.ContentType = contentType;
        // A look-alike of the boundary in a body must not cut there.
        mail.Parts = {SevenBitPart("a.txt", "--=_bX1+x\r\n--=_b.1+x_not\r\n"), SevenBitPart("b.txt", "second\r\n")};
        auto item = Store(mail);
        ASSERT_TRUE(DecodeAttachment(host, *item, *item->Attachments[1], Path("b"))) << contentType;
        EXPECT_EQ(ReadFileBytes(Path("b")), "second");
        EXPECT_EQ(item->Boundary, "=_b.1+x");
    }
}

TEST_F(DecodeAttachmentTest, NestedPartsAndSinglePartMailsFromTheirSpans)
{
    const std::string nested =
        "Content-Type: multipart/alternative; boundary=\"inner\"\r\n\r\n"
        "--inner\r\nContent-Type: text/plain\r\n\r\ntext\r\n"
        "--inner\r\nContent-Type: image/png; name=\"i.png\"\r\nContent-Transfer-Encoding: base64\r\n\r\n" +
        EncodeBase64(kBinary) + "--inner--\r\n";
    TTestMail mail;
    mail.Parts = {{nested, "", ""}, Base64Part("p.bin", "outer")};
    host.Mails["box/inbox/?1"] = mail.Source();
    TMailItem item;
    item.MailID = "box/inbox/?1";
    TAttachment inner;
    inner.PartNo = 1;
    inner.NestedPath = {2};
    inner.Encoding = "base64";
    const std::string innerPart = nested.substr(nested.find("Content-Type: image/png"));
    inner.Size = static_cast<std::int32_t>(innerPart.size() - std::string("--inner--\r\n").size());
    ASSERT_TRUE(DecodeAttachment(host, item, inner, Path("i.png")));
    EXPECT_EQ(ReadFileBytes(Path("i.png")), kBinary);

    host.Mails["box/inbox/?2"] = "Content-Type: text/calendar\r\n\r\nBEGIN:VCALENDAR\nEND:VCALENDAR\n";
    item.MailID = "box/inbox/?2";
    TAttachment whole;
    whole.PartNo = 0;
    whole.Encoding = "Unknown";
    whole.Size = static_cast<std::int32_t>(host.Mails["box/inbox/?2"].size());
    ASSERT_TRUE(DecodeAttachment(host, item, whole, Path("invite.ics")));
    EXPECT_EQ(ReadFileBytes(Path("invite.ics")), "BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n");
    item.Rules = TAttachmentRules::Classic;
    EXPECT_FALSE(DecodeAttachment(host, item, whole, Path("never")));
}

TEST_F(DecodeAttachmentTest, EachCallSeesTheMailAsItIsNowAndAChangedPartIsAnError)
{
    TTestMail mail;
    mail.Parts = {SevenBitPart("a.txt", "first\r\n")};
    auto item = Store(mail);
    ASSERT_TRUE(DecodeAttachment(host, *item, *item->Attachments[0], Path("a")));
    mail.Parts = {SevenBitPart("a.txt", "third\r\n")};
    Store(mail);
    ASSERT_TRUE(DecodeAttachment(host, *item, *item->Attachments[0], Path("a")));
    EXPECT_EQ(ReadFileBytes(Path("a")), "third");

    // A part of another size, or none at all: the list no longer describes
    // the mail, and saving something else would report success wrongly.
    mail.Parts = {SevenBitPart("a.txt", "changed\r\n")};
    Store(mail);
    EXPECT_THROW(DecodeAttachment(host, *item, *item->Attachments[0], Path("b")), EAttachmentMoved);
    item->Attachments[0]->PartNo = 5;
    EXPECT_THROW(DecodeAttachment(host, *item, *item->Attachments[0], Path("b")), EAttachmentMoved);
    EXPECT_FALSE(std::filesystem::exists(Path("b")));
}

TEST_F(DecodeAttachmentTest, ErrorsPassOnAndLeaveNoTemporaryFile)
{
    TTestMail mail;
    mail.Parts = {SevenBitPart("a.txt", "x\r\n"), Base64Part("b.bin", kBinary)};
    auto item = Store(mail);
    EXPECT_THROW(DecodeAttachment(host, *item, *item->Attachments[0], Path("no/such/folder/a")), EInOutError);
    host.TempFolderMissing = true;
    EXPECT_THROW(DecodeAttachment(host, *item, *item->Attachments[1], Path("b")), EInOutError);
    EXPECT_TRUE(host.TempFilesLeft().empty());
}

// A save over an existing file leaves only the new bytes, whether the file
// was longer or empty (as a temporary file the host created is).
TEST_F(DecodeAttachmentTest, AFileWrittenOverHoldsOnlyTheNewBytes)
{
    TTestMail mail;
    mail.Parts = {SevenBitPart("a.txt", "new\r\n")};
    auto item = Store(mail);
    WriteBytesToFile(Path("longer"), std::string(100000, 'o'));
    WriteBytesToFile(Path("empty"), "");
    for (const char* name : {"longer", "empty", "missing"}) {
        EXPECT_TRUE(DecodeAttachment(host, *item, *item->Attachments[0], Path(name))) << name;
        EXPECT_EQ(ReadFileBytes(Path(name)), "new") << name;
    }
    std::filesystem::create_directory(Path("folder"));
    EXPECT_THROW(DecodeAttachment(host, *item, *item->Attachments[0], Path("folder")), EInOutError);
}

}  // namespace
}  // namespace quillbox
