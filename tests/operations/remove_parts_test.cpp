#include "operations/remove_parts.h"

#include "operations/decode_attachment.h"
#include "operations/removed_names.h"
#include "operations/renumber.h"
#include "operations/piece_leads.h"
#include "operations/source_rewrite.h"
#include "operations_fixture.h"
#include "removal_integrity.h"

namespace quillbox {
namespace {

using namespace quillbox::testing;

// The source with one more header field at the end of its header block.
std::string WithField(const std::string& source, const std::string& field)
{
    std::string result = source;
    return result.insert(result.find("\r\n\r\n") + 2, field + "\r\n");
}

class RemovePartsTest : public OperationsTest {
protected:
    TRemoval Remove(TMailItem& mail, const std::vector<std::size_t>& indexes)
    {
        std::vector<const TAttachment*> chosen;
        std::vector<std::string> names;
        for (const std::size_t i : indexes) {
            mail.Attachments[i]->Removed = true;
            chosen.push_back(mail.Attachments[i].get());
            names.push_back(mail.Attachments[i]->FileName);
        }
        return RemoveParts(host, mail, chosen, QuotedNameList(names));
    }
    const std::string& Stored(const std::string& mailId = "box/inbox/?1") { return host.Mails[mailId]; }
};

TEST_F(RemovePartsTest, AMailLosingItsOnlyAttachmentBecomesItsTextPart)
{
    TTestMail mail;
    mail.Parts = {TextPart("Hello\r\n"), Base64Part("a.pdf", "%PDF")};
    auto item = Store(mail);
    ASSERT_EQ(Remove(*item, {0}), TRemoval::Rewritten);
    EXPECT_EQ(Stored(), "From: a@example.com\r\nSubject: test\r\nMIME-Version: 1.0\r\n"
                        "Content-Type: text/plain; charset=\"iso-2022-jp\"\r\nContent-Transfer-Encoding: 7bit\r\n"
                        "X-Removed-Attachment: \"a.pdf\"\r\n\r\nHello\r\n");

    mail.HeaderLines = "Subject: no version\r\n";
    mail.Parts[0] = TextPart("<p>x</p>\r\n", "html");
    item = Store(mail);
    ASSERT_EQ(Remove(*item, {0}), TRemoval::Rewritten);
    EXPECT_EQ(Stored(), "Subject: no version\r\n"
                        "Content-Type: text/html; charset=\"iso-2022-jp\"\r\nContent-Transfer-Encoding: 7bit\r\n"
                        "X-Removed-Attachment: \"a.pdf\"\r\n\r\n<p>x</p>\r\n");
}

TEST_F(RemovePartsTest, FlatteningMovesTheWholePartHeaderAndLeavesNothingElseInTheBody)
{
    TTestMail mail;
    mail.HeaderLines = "Subject: real\r\nMime-Version: 1.0\r\nContent-Transfer-Encoding: 7bit\r\nX-Mailer: m\r\n";
    mail.ContentType = "Content-Type: multipart/mixed; boundary=\"=_b.1+x\";\r\n\tcharset=\"ISO-2022-JP\"\r\n";
    mail.Preamble = "\x82\xB1\x82\xF1\x82\xC9\x82\xBF\x82\xCD\r\n\r\n";
    mail.Parts = {{"Content-Transfer-Encoding: quoted-printable\r\nContent-Type: text/plain;\r\n charset=utf-8\r\n\r\n"
                   "caf=C3=A9\r\n\r\n-- \r\nsig\r\n",
                   "", ""},
                  Base64Part("a.pdf", "%PDF", true)};
    auto item = Store(mail);
    ASSERT_EQ(Remove(*item, {0}), TRemoval::Rewritten);
    EXPECT_EQ(Stored(), "Subject: real\r\nMime-Version: 1.0\r\n"
                        "Content-Transfer-Encoding: quoted-printable\r\nContent-Type: text/plain;\r\n charset=utf-8\r\n"
                        "X-Mailer: m\r\nX-Removed-Attachment: \"a.pdf\"\r\n\r\ncaf=C3=A9\r\n\r\n-- \r\nsig\r\n");
}

TEST_F(RemovePartsTest, MailsKeepingAnAttachmentStayMultipartWithEveryKeptByte)
{
    TTestMail mail;
    mail.Parts = {TextPart("Hello\r\n"), Base64Part("a.pdf", "%PDF"), Base64Part("b.zip", "PK")};
    auto item = Store(mail);
    ASSERT_EQ(Remove(*item, {0}), TRemoval::Rewritten);
    TTestMail expected = mail;
    expected.Parts.erase(expected.Parts.begin() + 1);
    EXPECT_EQ(Stored(), WithField(expected.Source() + "\r\n", "X-Removed-Attachment: \"a.pdf\""));

    mail.Parts = {Base64Part("a.pdf", "%PDF"), Base64Part("b.zip", "PK")};
    item = Store(mail);
    ASSERT_EQ(Remove(*item, {1}), TRemoval::Rewritten);
    expected = mail;
    expected.Parts.pop_back();
    EXPECT_EQ(Stored(), WithField(expected.Source() + "\r\n", "X-Removed-Attachment: \"b.zip\""));
}

TEST_F(RemovePartsTest, RemovingEveryPartLeavesHeaderPreambleAndAClosingDelimiter)
{
    TTestMail mail;
    mail.Parts = {Base64Part("a.pdf", "%PDF"), Base64Part("b.zip", "PK")};
    auto item = Store(mail);
    ASSERT_EQ(Remove(*item, {0, 1}), TRemoval::Rewritten);
    TTestMail expected = mail;
    expected.Parts.clear();
    EXPECT_EQ(Stored(), WithField(expected.Source() + "\r\n", "X-Removed-Attachment: \"a.pdf\",\r\n \"b.zip\""));
}

TEST_F(RemovePartsTest, KeptPartsKeepTheLinesBeforeTheirFirstHeaderLine)
{
    // The cut takes all white space after a delimiter; the rewrite must not
    // turn a part without header lines into one whose first body line is a
    // header, nor drop a blank first line.
    TTestMail mail;
    mail.Parts = {{"\r\nContent-Type: text/plain is body text here\r\n", "", ""}, Base64Part("a.pdf", "%PDF"),
                  {" \t\r\n\r\nContent-Type: text/plain\r\n\r\nafter blank lines\r\n", "", ""},
                  SevenBitPart("b.txt", "bbb\r\n")};
    auto item = Store(mail);
    ASSERT_EQ(Remove(*item, {0}), TRemoval::Rewritten);
    TTestMail expected = mail;
    expected.Parts.erase(expected.Parts.begin() + 1);
    EXPECT_EQ(Stored(), WithField(expected.Source() + "\r\n", "X-Removed-Attachment: \"a.pdf\""));

    // Every attachment gone: a text part without its own header block is
    // not flattened into the mail's header; it stays a part as it was.
    mail.Parts = {mail.Parts[0], mail.Parts[1]};
    item = Store(mail);
    ASSERT_EQ(Remove(*item, {0}), TRemoval::Rewritten);
    mail.Parts.pop_back();
    EXPECT_EQ(Stored(), WithField(mail.Source() + "\r\n", "X-Removed-Attachment: \"a.pdf\""));
}

TEST(PieceLeads, ADelimiterWithoutLineEndKeepsWhatFollowsOnItsLine)
{
    const std::string source = "head\r\n--b--  x\r\n--b \r\n\r\ny";
    const auto leads = PieceLeads(source, {"head\r\n", "x\r\n", "y"}, "b");
    ASSERT_TRUE(leads);
    EXPECT_FALSE(leads->Leads[1].OwnLine);
    EXPECT_EQ(leads->Leads[1].Text, "--  ");
    EXPECT_TRUE(leads->Leads[2].OwnLine);
    EXPECT_EQ(leads->Leads[2].Text, "\r\n");
    EXPECT_EQ(leads->Leads[2].Dash, 16u);
    EXPECT_TRUE(leads->TrailingDashes.empty());
    EXPECT_EQ(JoinKeptPieces({"head\r\n", "x\r\n", "y"}, leads->Leads, {false, false, false}, "b"),
              "head\r\n--b--  x\r\n--b\r\n\r\ny--b--\r\n\r\n");
    // Pieces that are not the source's text between delimiters give nothing.
    EXPECT_FALSE(PieceLeads(source, {"head\r\n", "z\r\n", "y"}, "b"));
}

TEST_F(RemovePartsTest, TextAfterTheClosingDelimiterStaysAsAPart)
{
    TTestMail mail;
    mail.Parts = {TextPart("Hello\r\n"), Base64Part("a.pdf", "%PDF")};
    mail.Epilogue = "trailing text\r\n";
    auto item = Store(mail);
    ASSERT_EQ(Remove(*item, {0}), TRemoval::Rewritten);
    EXPECT_EQ(Stored(), WithField("From: a@example.com\r\nSubject: test\r\nMIME-Version: 1.0\r\n" + mail.ContentType +
                                      "\r\n" + mail.Preamble + "--=_b.1+x\r\n" + mail.Parts[0].Text +
                                      "--=_b.1+x\r\ntrailing text\r\n--=_b.1+x--\r\n\r\n",
                                  "X-Removed-Attachment: \"a.pdf\""));
}

TEST_F(RemovePartsTest, RemovalsAppendToTheHistoryOneFoldedNameALine)
{
    TTestMail mail;
    mail.Parts = {TextPart("Hello\r\n"), Base64Part("a.pdf", "%PDF"), Base64Part("b.zip", "PK"),
                  Base64Part("\x8E\x91\x97\xBF.xls", "x")};
    auto item = Store(mail);
    std::vector<std::string> converted;
    host.ToJis = [&](const std::string& text) { return converted.push_back(text), text; };
    ASSERT_EQ(Remove(*item, {0}), TRemoval::Rewritten);
    DropRemovedAttachments(*item);
    ASSERT_EQ(Remove(*item, {0, 1}), TRemoval::Rewritten);
    host.Current = item->MailID;
    EXPECT_EQ(host.GetSpecifiedHeader(kRemovedAttachmentHeader),
              "\"a.pdf\",\r\n \"b.zip\",\r\n \"\x8E\x91\x97\xBF.xls\"");
    EXPECT_EQ(converted.back(), "\"a.pdf\", \"b.zip\", \"\x8E\x91\x97\xBF.xls\"");

    // A long history comes back whole.
    const std::string longHistory = "\"" + std::string(5000, 'n') + "\"";
    mail.HeaderLines += "X-Removed-Attachment: " + longHistory + "\r\n";
    item = Store(mail);
    ASSERT_EQ(Remove(*item, {0}), TRemoval::Rewritten);
    EXPECT_EQ(host.GetSpecifiedHeader(kRemovedAttachmentHeader), longHistory + ",\r\n \"a.pdf\"");
}

TEST(RemovedNames, FoldingLeavesDoubleByteRunsAlone)
{
    // In ISO-2022-JP the bytes '"' ',' inside ESC $ B ... ESC ( B are a character.
    const std::string jis = "\"a\",  \"\x1B$B\",\x1B(B.txt\", \"c\"";
    EXPECT_EQ(FoldRemovedNames(jis), "\"a\",\r\n \"\x1B$B\",\x1B(B.txt\",\r\n \"c\"");
}

TEST_F(RemovePartsTest, EmptyPiecesStaySoLaterPartsKeepTheirNumbers)
{
    TTestMail mail;
    mail.Parts = {SevenBitPart("a.txt", "aaa\r\n"), {"", "", ""}, SevenBitPart("c.txt", "ccc\r\n")};
    auto item = Store(mail);
    ASSERT_EQ(item->Attachments[1]->PartNo, 3);
    ASSERT_EQ(Remove(*item, {0}), TRemoval::Rewritten);
    DropRemovedAttachments(*item);
    ASSERT_EQ(item->Attachments[0]->PartNo, 2);
    ASSERT_TRUE(DecodeAttachment(host, *item, *item->Attachments[0], Path("c")));
    EXPECT_EQ(ReadFileBytes(Path("c")), "ccc");
}

TEST_F(RemovePartsTest, RenumberedAttachmentsCanStillBeSavedAndRemoved)
{
    TTestMail mail;
    mail.Parts = {TextPart("Hi\r\n"), SevenBitPart("a.txt", "aaa\r\n"), SevenBitPart("b.txt", "bbb\r\n"),
                  SevenBitPart("c.txt", "ccc\r\n")};
    auto item = Store(mail);
    ASSERT_EQ(Remove(*item, {1}), TRemoval::Rewritten);
    DropRemovedAttachments(*item);
    ASSERT_TRUE(DecodeAttachment(host, *item, *item->Attachments[1], Path("c")));
    EXPECT_EQ(ReadFileBytes(Path("c")), "ccc");
    ASSERT_EQ(Remove(*item, {0}), TRemoval::Rewritten);
    DropRemovedAttachments(*item);
    ASSERT_TRUE(DecodeAttachment(host, *item, *item->Attachments[0], Path("c2")));
    EXPECT_EQ(ReadFileBytes(Path("c2")), "ccc");
}

TEST_F(RemovePartsTest, AMailThatNoLongerMatchesTheCatalogueIsLeftAlone)
{
    TTestMail mail;
    mail.Parts = {TextPart("Hi\r\n"), SevenBitPart("a.txt", "aaa\r\n"), SevenBitPart("b.txt", "bbb\r\n")};
    auto item = Store(mail);
    const std::string before = Stored();

    item->Attachments[0]->Size += 1;  // the part changed since the scan
    EXPECT_EQ(Remove(*item, {0}), TRemoval::Untouched);
    item->Attachments[0]->Size -= 1;
    item->Attachments[1]->PartNo = 7;
    EXPECT_EQ(Remove(*item, {1}), TRemoval::Untouched);

    host.Mails[item->MailID] = "Subject: single\r\n\r\nbody --=_b.1+x\r\n";
    EXPECT_EQ(Remove(*item, {0}), TRemoval::Untouched);
    host.Mails[item->MailID] = WithField(before, "X: y").substr(0, before.find("\r\n\r\n") + 4);
    EXPECT_EQ(Remove(*item, {0}), TRemoval::Untouched);
    EXPECT_EQ(host.SetSourceCalls, 0);
}

TEST_F(RemovePartsTest, TheBoundaryInAHeaderFieldIsNoPlaceToCut)
{
    TTestMail mail;
    mail.HeaderLines = "Subject: see --=_b.1+x\r\nMIME-Version: 1.0\r\n";
    mail.Parts = {TextPart("Hi\r\n"), SevenBitPart("a.txt", "aaa\r\n")};
    host.Mails["box/inbox/?1"] = mail.Source();
    // Cut the same way, the rest of the header is piece 1, listed as an attachment.
    auto item = CatalogueOf("box/inbox/?1", mail.Source());
    ASSERT_EQ(item->Attachments.at(0)->PartNo, 1);
    EXPECT_EQ(Remove(*item, {0}), TRemoval::Untouched);
    EXPECT_EQ(host.SetSourceCalls, 0);
}

TEST_F(RemovePartsTest, MailsTheCutWouldCutApartAreRefusedUntouched)
{
    // Delimiter text inside a line, a longer boundary that starts with the
    // mail's, a delimiter after the closing one: the cut would fall there,
    // though no part begins there.
    for (const std::string& body : {std::string("text --=_b.1+x inline\r\n"), std::string("--=_b.1+x_longer\r\n")}) {
        TTestMail mail;
        mail.Parts = {TextPart(body), SevenBitPart("a.txt", "aaa\r\n")};
        auto item = Store(mail);
        EXPECT_EQ(Remove(*item, {0}), TRemoval::Refused) << body;
    }
    TTestMail trailing;
    trailing.Parts = {TextPart("Hi\r\n"), SevenBitPart("a.txt", "aaa\r\n")};
    trailing.Epilogue = "--=_b.1+x\r\nafter the end\r\n";
    auto item = Store(trailing);
    EXPECT_EQ(Remove(*item, {0}), TRemoval::Refused);
    // A boundary after another parameter: the cut cannot find it.
    trailing.Epilogue.clear();
    trailing.ContentType = "Content-Type: multipart/mixed; charset=us-ascii; boundary=\"=_b.1+x\"\r\n";
    item = Store(trailing);
    EXPECT_EQ(Remove(*item, {0}), TRemoval::Refused);
    // A nested part, the body of a mail that is not multipart.
    item->Attachments[0]->NestedPath = {1};
    EXPECT_EQ(Remove(*item, {0}), TRemoval::Refused);
    item->Attachments[0]->NestedPath.clear();
    item->Attachments[0]->PartNo = 0;
    EXPECT_EQ(Remove(*item, {0}), TRemoval::Refused);
    EXPECT_EQ(host.SetSourceCalls, 0);
}

TEST_F(RemovePartsTest, NoPieceLimitKeepsALatePartRemovable)
{
    TTestMail mail;
    for (int i = 0; i < 1200; ++i) mail.Parts.push_back(SevenBitPart(std::to_string(i) + ".txt", "x\r\n"));
    auto item = Store(mail);
    ASSERT_EQ(Remove(*item, {1199}), TRemoval::Rewritten);
    mail.Parts.pop_back();
    EXPECT_EQ(Stored(), WithField(mail.Source() + "\r\n", "X-Removed-Attachment: \"1199.txt\""));
}

TEST_F(RemovePartsTest, ASourceTheHostDidNotKeepIsAnErrorNamingTheMail)
{
    TTestMail mail;
    mail.Parts = {TextPart("Hi\r\n"), SevenBitPart("a.txt", "aaa\r\n"), SevenBitPart("b.txt", "bbb\r\n")};
    auto item = Store(mail);
    item->Subject = "Quarterly figures";
    host.StoreSource = [](const std::string& source) { return source.substr(0, source.size() / 2); };
    try {
        Remove(*item, {0});
        FAIL() << "no error";
    } catch (const EMailNotStored& e) {
        EXPECT_NE(std::string(e.what()).find("Quarterly figures"), std::string::npos);
    }
    host.Current = item->MailID;
    EXPECT_EQ(host.GetSpecifiedHeader(kRemovedAttachmentHeader), "");
}

}  // namespace
}  // namespace quillbox
