#include "operations/remove_parts.h"

#include "operations/decode_attachment.h"
#include "operations/removed_names.h"
#include "operations/renumber.h"
#include "operations/stored_source.h"
#include "settings/message_table.h"
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
    TRemoval Remove(TMailItem& mail, const std::vector<std::size_t>& indexes, const TRemovalNote& note = {})
    {
        std::vector<const TAttachment*> chosen;
        std::vector<std::string> names;
        for (const std::size_t i : indexes) {
            mail.Attachments[i]->Removed = true;
            chosen.push_back(mail.Attachments[i].get());
            names.push_back(mail.Attachments[i]->FileName);
        }
        return RemoveParts(host, mail, chosen, QuotedNameList(names), note);
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
    EXPECT_EQ(Stored(), WithField(expected.Source(), "X-Removed-Attachment: \"a.pdf\""));

    mail.Parts = {Base64Part("a.pdf", "%PDF"), Base64Part("b.zip", "PK")};
    item = Store(mail);
    ASSERT_EQ(Remove(*item, {1}), TRemoval::Rewritten);
    expected = mail;
    expected.Parts.pop_back();
    EXPECT_EQ(Stored(), WithField(expected.Source(), "X-Removed-Attachment: \"b.zip\""));
}

TEST_F(RemovePartsTest, AMultipartLosingEveryPartKeepsANoteInTheWindowsLanguage)
{
    TTestMail mail;
    mail.Parts = {Base64Part("a.pdf", "%PDF"), Base64Part("b.zip", "PK")};
    auto item = Store(mail);
    ASSERT_EQ(Remove(*item, {0, 1}, {kEnglishLocaleID, "2026/12/08 18:33"}), TRemoval::Rewritten);
    TTestMail expected = mail;
    expected.Parts = {{"Content-Type: text/plain; charset=\"us-ascii\"\r\nContent-Transfer-Encoding: 7bit\r\n\r\n"
                       "These attachments were removed on 2026/12/08 18:33\r\n\"a.pdf\",\r\n \"b.zip\"\r\n",
                       "", ""}};
    EXPECT_EQ(Stored(), WithField(expected.Source(), "X-Removed-Attachment: \"a.pdf\",\r\n \"b.zip\""));
    EXPECT_TRUE(CatalogueOf(host, item->MailID)->Attachments.empty());

    // Japanese goes through the host's conversion and says so; a multipart
    // without its closing delimiter gets one, on a line of its own.
    host.ToJis = [](const std::string& text) { return "<jis>" + text + "</jis>"; };
    std::string cutOff = mail.Source();
    cutOff.resize(cutOff.rfind("--=_b.1+x--") - 2);
    host.Mails[item->MailID] = cutOff;
    item = mail.Item(item->MailID);
    item->Attachments[1]->Size -= 2;  // the last part lost its line break
    ASSERT_EQ(Remove(*item, {0, 1}, {kJapaneseLocaleID, "2026/12/08 18:33"}), TRemoval::Rewritten);
    const std::string& stored = Stored();
    const std::string note = "--=_b.1+x\r\nContent-Type: text/plain; charset=\"ISO-2022-JP\"\r\n"
                             "Content-Transfer-Encoding: 7bit\r\n\r\n<jis>" + RemovalNoteText(kJapaneseLocaleID) +
                             "2026/12/08 18:33</jis>\r\n<jis>\"a.pdf\",\r\n \"b.zip\"</jis>\r\n--=_b.1+x--\r\n";
    ASSERT_GE(stored.size(), note.size());
    EXPECT_EQ(stored.substr(stored.size() - note.size()), note);
}

TEST_F(RemovePartsTest, NoDelimiterIsGluedToALastLineWithoutLineBreak)
{
    // A mail cut off inside its last part, and text after the closing
    // delimiter without a final line end: what stays keeps its bytes.
    TTestMail mail;
    mail.Parts = {TextPart("Hi\r\n"), Base64Part("a.pdf", "%PDF"), Base64Part("b.zip", "PK")};
    std::string cutOff = mail.Source();
    cutOff.resize(cutOff.rfind("--=_b.1+x--") - 4);
    host.Mails["box/inbox/?1"] = cutOff;
    auto item = CatalogueOf(host, "box/inbox/?1");
    ASSERT_EQ(item->Attachments.size(), 2u);
    ASSERT_EQ(Remove(*item, {0}), TRemoval::Rewritten);
    std::string expected = cutOff;
    const std::size_t a = expected.find("--=_b.1+x\r\n", expected.find("Hi\r\n"));
    expected.erase(a, expected.find("--=_b.1+x\r\n", a + 1) - a);
    EXPECT_EQ(Stored(), WithField(expected, "X-Removed-Attachment: \"a.pdf\""));

    // Its last part gone, the mail gets its closing delimiter there; the
    // part before keeps its size, as a new scan finds it.
    host.Mails["box/inbox/?1"] = cutOff;
    item = CatalogueOf(host, "box/inbox/?1");
    ASSERT_EQ(Remove(*item, {1}), TRemoval::Rewritten);
    expected = cutOff.substr(0, cutOff.rfind("--=_b.1+x\r\n")) + "--=_b.1+x--\r\n";
    EXPECT_EQ(Stored(), WithField(expected, "X-Removed-Attachment: \"b.zip\""));
    EXPECT_EQ(CatalogueOf(host, "box/inbox/?1")->Attachments.at(0)->Size, item->Attachments[0]->Size);

    mail.Epilogue = "trailing text without line end";
    item = Store(mail);
    ASSERT_EQ(Remove(*item, {1}), TRemoval::Rewritten);
    TTestMail kept = mail;
    kept.Parts.pop_back();
    EXPECT_EQ(Stored(), WithField(kept.Source(), "X-Removed-Attachment: \"b.zip\""));
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
    EXPECT_EQ(Stored(), WithField(expected.Source(), "X-Removed-Attachment: \"a.pdf\""));

    // Every attachment gone: a text part without its own header block is
    // not flattened into the mail's header; it stays a part as it was.
    mail.Parts = {mail.Parts[0], mail.Parts[1]};
    item = Store(mail);
    ASSERT_EQ(Remove(*item, {0}), TRemoval::Rewritten);
    mail.Parts.pop_back();
    EXPECT_EQ(Stored(), WithField(mail.Source(), "X-Removed-Attachment: \"a.pdf\""));
}

TEST_F(RemovePartsTest, TextAfterTheClosingDelimiterStaysWhereItWas)
{
    TTestMail mail;
    mail.Parts = {TextPart("Hello\r\n"), Base64Part("a.pdf", "%PDF")};
    mail.Epilogue = "trailing text\r\n";
    auto item = Store(mail);
    ASSERT_EQ(Remove(*item, {0}), TRemoval::Rewritten);
    mail.Parts.pop_back();
    EXPECT_EQ(Stored(), WithField(mail.Source(), "X-Removed-Attachment: \"a.pdf\""));
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

TEST_F(RemovePartsTest, DelimiterTextThatIsNoDelimiterLineStaysWhereItIs)
{
    // The boundary in a header field, inside a line, as the start of a
    // longer boundary, after the closing delimiter; a boundary after another
    // parameter: the cut falls only on the delimiter lines.
    TTestMail mail;
    mail.HeaderLines = "Subject: see --=_b.1+x\r\nMIME-Version: 1.0\r\n";
    mail.Parts = {TextPart("text --=_b.1+x inline\r\n--=_b.1+x_longer\r\n"), SevenBitPart("a.txt", "aaa\r\n"),
                  SevenBitPart("b.txt", "bbb\r\n")};
    mail.Epilogue = "--=_b.1+x\r\nafter the end\r\n";
    for (const std::string& type : {mail.ContentType, std::string("Content-Type: multipart/mixed; charset=us-ascii; "
                                                                  "boundary=\"=_b.1+x\"\r\n")}) {
        mail.ContentType = type;
        host.Mails["box/inbox/?1"] = mail.Source();
        auto item = CatalogueOf(host, "box/inbox/?1");
        ASSERT_EQ(item->Attachments.size(), 2u) << type;
        ASSERT_EQ(Remove(*item, {0}), TRemoval::Rewritten) << type;
        TTestMail expected = mail;
        expected.Parts.erase(expected.Parts.begin() + 1);
        EXPECT_EQ(Stored(), WithField(expected.Source(), "X-Removed-Attachment: \"a.txt\"")) << type;
        EXPECT_EQ(item->Attachments[1]->PartNo, 2);
    }
}

// Every attachment below the top level is listed by the full rules and can go.
TEST_F(RemovePartsTest, NestedPartsGoWithTheirDelimiterLinesAtEveryDepth)
{
    const std::string mail =
        "Subject: nested\r\nMIME-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=\"out\"\r\n\r\n"
        "--out\r\nContent-Type: text/plain\r\n\r\nbody\r\n"
        "--out\r\nContent-Type: multipart/mixed; boundary=\"in\"\r\n\r\n"
        "--in\r\nContent-Type: image/png; name=\"a.png\"\r\n\r\nAAAA\r\n"
        "--in\r\nContent-Type: multipart/related; boundary=\"deep\"\r\n\r\n"
        "--deep\r\nContent-Type: application/pdf; name=\"b.pdf\"\r\n\r\nBBBB\r\n"
        "--deep\r\nContent-Type: application/pdf; name=\"c.pdf\"\r\n\r\nCCCC\r\n"
        "--deep--\r\n"
        "--in--\r\n"
        "--out\r\nContent-Type: application/zip; name=\"d.zip\"\r\n\r\nDDDD\r\n"
        "--out--\r\n";
    const auto erase = [](std::string text, const std::string& what) {
        return text.erase(text.find(what), what.size());
    };
    const std::string partB = "--deep\r\nContent-Type: application/pdf; name=\"b.pdf\"\r\n\r\nBBBB\r\n";
    host.Mails["box/inbox/?1"] = mail;
    auto item = CatalogueOf(host, "box/inbox/?1");
    ASSERT_EQ(item->Attachments.size(), 4u);
    ASSERT_EQ(PartPathText(*item->Attachments[1]), "2.2.1");

    // The deepest part: its sibling moves up, nothing else moves.
    ASSERT_EQ(Remove(*item, {1}), TRemoval::Rewritten);
    EXPECT_EQ(Stored(), WithField(erase(mail, partB), "X-Removed-Attachment: \"b.pdf\""));
    DropRemovedAttachments(*item);
    EXPECT_EQ(PartPathText(*item->Attachments[1]), "2.2.1");
    EXPECT_EQ(PartPathText(*item->Attachments[2]), "3");

    // Its last part gone, the multipart goes with its own delimiter line;
    // then the one around it, and the parts behind them move down.
    ASSERT_EQ(Remove(*item, {0, 1}), TRemoval::Rewritten);
    DropRemovedAttachments(*item);
    ASSERT_EQ(item->Attachments.size(), 1u);
    EXPECT_EQ(PartPathText(*item->Attachments[0]), "2");
    const std::string left = "Subject: nested\r\nMIME-Version: 1.0\r\n"
                             "Content-Type: multipart/mixed; boundary=\"out\"\r\n"
                             "X-Removed-Attachment: \"b.pdf\",\r\n \"a.png\",\r\n \"c.pdf\"\r\n\r\n"
                             "--out\r\nContent-Type: text/plain\r\n\r\nbody\r\n"
                             "--out\r\nContent-Type: application/zip; name=\"d.zip\"\r\n\r\nDDDD\r\n--out--\r\n";
    EXPECT_EQ(Stored(), left);
    const auto rescanned = CatalogueOf(host, item->MailID);
    ASSERT_EQ(rescanned->Attachments.size(), 1u);
    EXPECT_EQ(rescanned->Attachments[0]->PartNo, item->Attachments[0]->PartNo);
    EXPECT_EQ(rescanned->Attachments[0]->Size, item->Attachments[0]->Size);

    // Every attachment gone and one text part left at the top: flattened.
    ASSERT_EQ(Remove(*item, {0}), TRemoval::Rewritten);
    EXPECT_EQ(Stored(), "Subject: nested\r\nMIME-Version: 1.0\r\nContent-Type: text/plain\r\n"
                        "X-Removed-Attachment: \"b.pdf\",\r\n \"a.png\",\r\n \"c.pdf\",\r\n \"d.zip\"\r\n\r\nbody\r\n");
}

TEST_F(RemovePartsTest, AFlattenedMailKeepsNothingThatWasRemovedFromInsideItsPart)
{
    host.Mails["box/inbox/?1"] =
        "Subject: alt\r\nMIME-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=\"out\"\r\n\r\n"
        "--out\r\nContent-Type: multipart/alternative; boundary=\"in\"\r\n\r\n"
        "--in\r\nContent-Type: text/plain\r\n\r\nbody\r\n"
        "--in\r\nContent-Type: application/pdf; name=\"a.pdf\"\r\n\r\nAAAA\r\n"
        "--in--\r\n"
        "--out\r\nContent-Type: application/zip; name=\"b.zip\"\r\n\r\nBBBB\r\n"
        "--out--\r\n";
    auto item = CatalogueOf(host, "box/inbox/?1");
    ASSERT_EQ(item->Attachments.size(), 2u);
    ASSERT_EQ(Remove(*item, {0, 1}), TRemoval::Rewritten);
    EXPECT_EQ(Stored(), "Subject: alt\r\nMIME-Version: 1.0\r\nContent-Type: multipart/alternative; boundary=\"in\"\r\n"
                        "X-Removed-Attachment: \"a.pdf\",\r\n \"b.zip\"\r\n\r\n"
                        "--in\r\nContent-Type: text/plain\r\n\r\nbody\r\n--in--\r\n");
}

TEST_F(RemovePartsTest, LfOnlyAndCrOnlyMailsKeepTheirLineEnds)
{
    for (const std::string lineEnd : {"\n", "\r"}) {
        const auto lines = [&](std::initializer_list<std::string> text) {
            std::string joined;
            for (const std::string& line : text) joined += line + lineEnd;
            return joined;
        };
        const std::string head =
            lines({"Subject: lf", "MIME-Version: 1.0", "Content-Type: multipart/mixed; boundary=b", ""});
        const std::string text = lines({"--b", "Content-Type: text/plain", "", "hi"});
        const std::string nested = lines({"--b", "Content-Type: multipart/mixed; boundary=c", "", "--c",
                                          "Content-Type: image/png; name=\"a.png\"", "", "AAAA", "--c",
                                          "Content-Type: image/png; name=\"b.png\"", "", "BBBB", "--c--"});
        const std::string last = lines({"--b", "Content-Type: application/zip; name=\"z.zip\"", "", "ZZ", "--b--"});
        host.Mails["box/inbox/?1"] = head + text + nested + last;
        auto item = CatalogueOf(host, "box/inbox/?1");
        ASSERT_EQ(item->Attachments.size(), 3u);
        ASSERT_EQ(Remove(*item, {0}), TRemoval::Rewritten);
        std::string expected = head + text + nested + last;
        const std::string partA = lines({"--c", "Content-Type: image/png; name=\"a.png\"", "", "AAAA"});
        expected.erase(expected.find(partA), partA.size());
        // (The test host puts the record after a CR-only header's end.)
        const std::string& stored = Stored();
        const std::string body = expected.substr(expected.find(text));
        EXPECT_EQ(stored.substr(stored.find(text), body.size()), body);
        EXPECT_EQ(PartPathText(*item->Attachments[1]), "2.1");
    }
}

TEST_F(RemovePartsTest, NamesInTheRecordNeverStartAHeaderLineOfTheirOwn)
{
    TTestMail mail;
    mail.Parts = {TextPart("Hi\r\n"), SevenBitPart("a.txt", "aaa\r\n"), SevenBitPart("b.txt", "bbb\r\n"),
                  SevenBitPart("c.txt", "ccc\r\n")};
    auto item = Store(mail);
    // As decoded from =?us-ascii?Q?x.pdf=0DContent-Type:_text/html?=, a
    // quote and a comma inside a name, a backslash, a Shift_JIS character
    // whose second byte is a backslash.
    item->Attachments[0]->FileName = "x.pdf\rContent-Type: text/html";
    item->Attachments[1]->FileName = "say \"hi\", \"x\".txt";
    item->Attachments[2]->FileName = "a\\b\n\x83\x5C.txt";
    ASSERT_EQ(Remove(*item, {0, 1, 2}), TRemoval::Rewritten);
    host.Current = item->MailID;
    const std::string value = host.GetSpecifiedHeader(kRemovedAttachmentHeader);
    EXPECT_EQ(value, "\"x.pdf Content-Type: text/html\",\r\n \"say \\\"hi\\\", \\\"x\\\".txt\",\r\n"
                     " \"a\\\\b \x83\x5C.txt\"");
    // Every line break of the stored header starts a continuation line.
    const std::string& stored = Stored();
    const std::string header = stored.substr(0, stored.find("\r\n\r\n") + 2);
    const std::string field = header.substr(header.find("X-Removed-Attachment:"));
    for (std::size_t at = field.find("\r\n"); at + 2 < field.size(); at = field.find("\r\n", at + 2)) {
        EXPECT_TRUE(field[at + 2] == ' ' || field[at + 2] == '\t') << field.substr(at);
    }
}

TEST_F(RemovePartsTest, NoPieceLimitKeepsALatePartRemovable)
{
    TTestMail mail;
    for (int i = 0; i < 1200; ++i) mail.Parts.push_back(SevenBitPart(std::to_string(i) + ".txt", "x\r\n"));
    auto item = Store(mail);
    ASSERT_EQ(Remove(*item, {1199}), TRemoval::Rewritten);
    mail.Parts.pop_back();
    EXPECT_EQ(Stored(), WithField(mail.Source(), "X-Removed-Attachment: \"1199.txt\""));
}

TEST(SameUpToLineEnds, OnlyTheFormOfLineEndsAndBreaksAtTheEndMayDiffer)
{
    const std::string written = "A: b\r\n\r\n--x\r\nbody\r\n--x--\r\n";
    EXPECT_TRUE(SameUpToLineEnds(written, written));
    EXPECT_TRUE(SameUpToLineEnds(written, "A: b\n\n--x\nbody\n--x--\n"));
    EXPECT_TRUE(SameUpToLineEnds(written, "A: b\r\r--x\rbody\r--x--\r\n\r\n"));
    EXPECT_TRUE(SameUpToLineEnds(written, "A: b\r\n\r\n--x\r\nbody\r\n--x--"));
    EXPECT_TRUE(SameUpToLineEnds("a\r\r\nb", "a\n\nb"));
    EXPECT_FALSE(SameUpToLineEnds(written, "A: b\r\n\r\n--x\r\nbody\r\n\r\n--x--\r\n"));
    EXPECT_FALSE(SameUpToLineEnds(written, "A: b\r\n\r\n--x\r\nbodY\r\n--x--\r\n"));
    EXPECT_FALSE(SameUpToLineEnds(written, "A: b\r\n\r\n--x\r\nbody\r\n"));
    EXPECT_FALSE(SameUpToLineEnds("a b", "a\nb"));
}

TEST_F(RemovePartsTest, TheReadBackAllowsLineEndsAndReportsARealMismatchInTheWindowsLanguage)
{
    TTestMail mail;
    mail.Parts = {TextPart("Hi\r\n"), SevenBitPart("a.txt", "aaa\r\n"), SevenBitPart("b.txt", "bbb\r\n")};
    auto item = Store(mail);
    // A store that writes LF line ends and adds a final line break.
    host.StoreSource = [](std::string source) {
        std::erase(source, '\r');
        return source + "\n";
    };
    ASSERT_EQ(Remove(*item, {0}), TRemoval::Rewritten);
    host.Current = item->MailID;
    EXPECT_EQ(host.GetSpecifiedHeader(kRemovedAttachmentHeader), "\"a.txt\"");

    item = Store(mail);
    item->Subject = "Quarterly figures";
    host.StoreSource = [](const std::string& source) { return source.substr(0, source.size() / 2); };
    try {
        Remove(*item, {0}, {kJapaneseLocaleID, ""});
        FAIL() << "no error";
    } catch (const EMailNotStored& e) {
        EXPECT_EQ(std::string(e.what()), MailNotStoredText(kJapaneseLocaleID, "Quarterly figures"));
    }
    // The mail changed, so what went is on record.
    EXPECT_EQ(host.GetSpecifiedHeader(kRemovedAttachmentHeader), "\"a.txt\"");

    // A store that keeps nothing new: the mail did not change, nothing recorded.
    item = Store(mail);
    const std::string before = Stored();
    host.StoreSource = [&](const std::string&) { return before; };
    EXPECT_THROW(Remove(*item, {0}), EMailNotStored);
    EXPECT_EQ(host.GetSpecifiedHeader(kRemovedAttachmentHeader), "");
}

}  // namespace
}  // namespace quillbox
