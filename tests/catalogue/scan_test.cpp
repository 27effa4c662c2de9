#include <gtest/gtest.h>

#include <stdexcept>

#include "scan_fixture.h"

namespace quillbox {
namespace {

using namespace quillbox::testing;

using Texts = std::vector<std::string>;

TEST_F(ScanFolderTest, ClassifiesTopLevelPartsInTableOrder)
{
    AddMail("m", Multipart({
                     Part(kText, "hello"),
                     Part(kPdf, "JVBERi0xLjQK"),
                     Part("Content-Type: image/png; name=\"Pic.PNG\"\r\nContent-Disposition: inline"),
                     Part("Content-Type: text/plain; name=\"notes.txt\"\r\n"
                          "Content-Disposition: attachment; filename=\"notes.txt\""),
                     Part("Content-Disposition: attachment; filename=\"a.zip\"\r\n"
                          "Content-Type: application/zip; name=\"b.zip\""),
                     Part("Content-Type: multipart/alternative; boundary=\"inner\"",
                          "--inner\r\nContent-Type: application/pdf; name=\"nested.pdf\"\r\n\r\nx\r\n--inner--"),
                     Part("Content-Type: application/octet-stream\r\n"
                          "Content-Disposition: attachment; filename=\"C:\\dir.x\\README\""),
                 }));
    Scan();
    const TMailItem& mail = Mail("m");
    EXPECT_EQ(Names("m"), (Texts{"report.pdf", "Pic.PNG", "a.zip", "C:\\dir.x\\README"}));
    std::vector<int> partNumbers;
    for (const auto& a : mail.Attachments) partNumbers.push_back(a->PartNo);
    EXPECT_EQ(partNumbers, (std::vector<int>{2, 3, 5, 7}));
    EXPECT_EQ(mail.Attachments[0]->Encoding, "base64");
    EXPECT_EQ(mail.Attachments[1]->Encoding, "Unknown");
    EXPECT_FALSE(mail.Attachments[0]->IsHTML);
    EXPECT_EQ(mail.PlainCount, 2);
    EXPECT_EQ(list_.AttachCount, 4);
    // Extensions are asked in lower case with their dot; a dot before a
    // path separator is no extension.
    EXPECT_EQ(icons_.Asked, (Texts{".pdf", ".png", ".zip", ""}));
    EXPECT_EQ(mail.Boundary, "=_b.1+x");
    EXPECT_EQ(mail.BoundaryPattern, "\\-\\-\\=_b\\.1\\+x");
}

TEST_F(ScanFolderTest, SizeCountsHeadersAndEncodedBodyUpToTheNextDelimiter)
{
    const std::string part = Part(kPdf, "JVBERi0x\r\nLjQK");
    AddMail("m", Multipart({part, Part(kPdf)}));
    Scan();
    ASSERT_EQ(Mail("m").Attachments.size(), 2u);
    EXPECT_EQ(Mail("m").Attachments[0]->Size, static_cast<std::int32_t>(part.size()));
    // The last part ends before the closing delimiter.
    EXPECT_EQ(Mail("m").Attachments[1]->Size, static_cast<std::int32_t>(Part(kPdf).size()));
}

TEST_F(ScanFolderTest, BoundaryMustFollowTheMediaTypeAndIsMatchedLiterally)
{
    AddMail("charset", Multipart({Part(kPdf)}, "b1", "Content-Type: multipart/mixed; charset=\"x\"; boundary=\""));
    // Were the dot and the plus pattern characters, "=_bX11x" would cut the body.
    AddMail("literal", Multipart({Part(kPdf, "a\r\n--=_bX11x\r\nContent-Type: image/gif; name=\"fake.gif\"\r\n\r\nb")}),
            1000000001);
    AddMail("folded", Multipart({Part(kPdf)}, "plain", "Content-type: Multipart/Mixed;\r\n\tboundary=\""),
            1000000002);
    Scan();
    EXPECT_EQ(Names("charset"), Texts{});
    EXPECT_EQ(host_.SourceRequests["box/inbox/?charset"], 0);  // never fetched
    EXPECT_EQ(Names("literal"), Texts{"report.pdf"});
    EXPECT_EQ(Names("folded"), Texts{"report.pdf"});
}

TEST_F(ScanFolderTest, HtmlBodyNamedAfterTheMailTimeIsNotAnAttachment)
{
    const std::string body = "Content-Type: text/html; name=\"3B9ACA10.html\"";
    const std::string old = "Content-Type: text/html; name=\"00000000.html\"";
    AddMail("html+pdf", Multipart({Part(body), Part(kPdf)}));
    AddMail("text+html+pdf", Multipart({Part(kText), Part(body), Part(kPdf)}));
    AddMail("old+pdf", Multipart({Part(old), Part(kPdf)}));
    AddMail("text+old", Multipart({Part(kText), Part(old)}));
    Scan();
    EXPECT_EQ(Names("html+pdf"), Texts{"report.pdf"});
    EXPECT_EQ(Names("text+html+pdf"), (Texts{"3B9ACA10.html", "report.pdf"}));
    EXPECT_TRUE(Mail("text+html+pdf").Attachments[0]->IsHTML);
    EXPECT_EQ(Names("old+pdf"), (Texts{"00000000.html", "report.pdf"}));
    EXPECT_FALSE(Mail("old+pdf").Attachments[0]->IsHTML);
    EXPECT_EQ(Names("text+old"), Texts{"00000000.html"});
    EXPECT_EQ(list_.AttachCount, 6);
}

TEST_F(ScanFolderTest, UnnamedHtmlIsListedAsNoNameUnlessItIsTheBody)
{
    const std::string html = "Content-Type: text/html; charset=\"utf-8\"";
    AddMail("text+html", Multipart({Part(kText), Part(html)}));
    AddMail("html+html", Multipart({Part(html), Part("Content-Type: TEXT/HTML;\r\n"),
                                    Part("Content-Type: text/html; name=\"page.html\"")}));
    Scan();
    EXPECT_EQ(Names("text+html"), Texts{"NoName.html"});
    EXPECT_TRUE(Mail("text+html").Attachments[0]->IsHTML);
    // Without a text part only the first HTML part is the body; an HTML file
    // under an ordinary name is an ordinary attachment.
    EXPECT_EQ(Names("html+html"), (Texts{"NoName.html", "page.html"}));
    EXPECT_TRUE(Mail("html+html").Attachments[0]->IsHTML);
    EXPECT_FALSE(Mail("html+html").Attachments[1]->IsHTML);
    EXPECT_EQ(Mail("html+html").HtmlCount, 2);
    EXPECT_EQ(list_.AttachCount, 3);
}

TEST_F(ScanFolderTest, NamesComeOutInTheLocalCodePage)
{
    const std::string jisName = "\x1b$B%F%9%H\x1b(B.pdf";
    const std::string sjisName = "\x83\x65\x83\x58\x83\x67.pdf";  // テスト.pdf
    AddMail("m", Multipart({Part("Content-Type: application/pdf; name=\"" + jisName + "\""),
                            Part("Content-Type: application/pdf; name=\"=?UTF-8?B?44OG44K544OI?=.pdf\""),
                            Part("Content-Type: application/pdf; name=\"=?us-ascii?Q?a=0Db?=.pdf\"")}));
    Scan();
    // The host's converters are not asked; a line break in a name is a blank.
    EXPECT_EQ(Names("m"), (Texts{sjisName, sjisName, "a b.pdf"}));
}

TEST_F(ScanFolderTest, MendedFaultsOfTheOldCut)
{
    // A name ends at its closing quote.
    AddMail("quote", Multipart({Part("Content-Disposition: attachment; filename=\"a.pdf\"; x-mac-creator=\"4341524F\""),
                                Part("Content-Type: application/pdf; name=\"\"; x=\"y\"")}));
    // A part without header lines has an empty head: its first body lines
    // are no header.
    AddMail("headless", Multipart({Part("", "Content-Type: application/pdf; name=\"fake.pdf\"\r\n\r\nx")}),
            1000000001);
    // Delimiters are whole lines: the parts of a nested multipart whose
    // boundary starts with the outer one stay inside it, and text that only
    // holds a delimiter cuts nothing.
    AddMail("nested",
            Multipart({Part("Content-Type: multipart/alternative; boundary=\"BB_alt\"",
                            "--BB_alt\r\nContent-Type: image/png; name=\"inner.png\"\r\n\r\nx\r\n--BB_alt--"),
                       Part(kPdf, "JVBE x--BB\r\nContent-Type: image/gif; name=\"fake.gif\"\r\n")},
                      "BB"),
            1000000002);
    // No piece limit: part 199 is its own size, and part 250 is listed.
    std::vector<std::string> many;
    for (int i = 1; i <= 250; ++i)
        many.push_back(Part("Content-Type: application/pdf; name=\"" + std::to_string(i) + ".pdf\"", "x"));
    AddMail("many", Multipart(many), 1000000003);
    Scan();
    EXPECT_EQ(Names("quote"), Texts{"a.pdf"});
    EXPECT_EQ(Names("headless"), Texts{});
    EXPECT_EQ(Names("nested"), Texts{"report.pdf"});
    EXPECT_EQ(Paths("nested"), Texts{"2"});
    const TMailItem& mail = Mail("many");
    ASSERT_EQ(mail.Attachments.size(), 250u);
    for (const auto& attachment : mail.Attachments)
        EXPECT_EQ(attachment->Size, static_cast<std::int32_t>(many[0].size()) + (attachment->PartNo >= 10) +
                                        (attachment->PartNo >= 100))
            << attachment->PartNo;
    EXPECT_EQ(mail.Attachments.back()->FileName, "250.pdf");
}

TEST_F(ScanFolderTest, PartWithoutEmptyLineIsReadWhole)
{
    std::string part = "Content-Type: application/pdf; name=\"big.pdf\"\r\n";
    while (part.size() < 300000) part += "Content-Transfer-Encoding: base64\r\n";
    AddMail("m", Multipart({part}));
    Scan();
    ASSERT_EQ(Names("m"), Texts{"big.pdf"});
    EXPECT_EQ(Mail("m").Attachments[0]->Size, static_cast<std::int32_t>(part.size()));
}

TEST_F(ScanFolderTest, ProgressTextsOnlyWhenThePercentChanges)
{
    const auto progressFor = [this](int mails) {
        index_.clear();
        window_.ProgressTexts.clear();
        for (int i = 0; i < mails; ++i) AddMail(std::to_string(i), Multipart({Part(kPdf)}), 1000000000 + i);
        Scan();
        return window_.ProgressTexts;
    };
    const Texts ten = progressFor(10);
    EXPECT_EQ(ten.front(), "10%");
    EXPECT_EQ(ten[ten.size() - 2], "100%");
    EXPECT_EQ(ten.back(), "");  // emptied at the end
    EXPECT_EQ(progressFor(3), (Texts{"33%", "67%", "100%", ""}));
    EXPECT_EQ(progressFor(8), (Texts{"12%", "25%", "38%", "50%", "62%", "75%", "88%", "100%", ""}));
    EXPECT_EQ(ScanProgress(2, 8), 88);  // 12.5 rounds to 12
    EXPECT_EQ(ScanProgress(6, 8), 38);  // 62.5 rounds to 62
    EXPECT_EQ(ScanProgress(2, 40), 98);  // 2.5 rounds to 2
}

TEST_F(ScanFolderTest, NewestFirstMessagesEveryTenthMailEscBeforeTheNext)
{
    for (int i = 0; i < 25; ++i) AddMail(std::to_string(i), Multipart({Part(kPdf)}), 1000000000 + i);
    int visited = 0;
    window_.OnProgress = [&] {
        if (++visited == 7) window_.Esc = true;
    };
    Scan();
    // Mails 24 down to 18 were visited; the seventh asked to stop.
    for (int i = 0; i < 25; ++i)
        EXPECT_EQ(Mail(std::to_string(i)).Attachments.size(), i >= 18 ? 1u : 0u) << i;
    EXPECT_EQ(std::count(window_.Events.begin(), window_.Events.end(), "messages"), 1);  // at k = 20
    EXPECT_EQ(list_.AttachCount, 7);
    EXPECT_FALSE(window_.Scanning);
    EXPECT_TRUE(window_.GridEnabled && window_.ToolBarEnabled && !window_.ProgressBarVisible);

    // A later scan in the same window starts afresh and visits every mail.
    Scan();
    EXPECT_EQ(list_.AttachCount, 25);
}

TEST_F(ScanFolderTest, EscSeenRightAfterMessagesAreProcessed)
{
    for (int i = 0; i < 10; ++i) AddMail(std::to_string(i), Multipart({Part(kPdf)}), 1000000000 + i);
    window_.OnMessages = [&] { window_.Esc = true; };
    Scan();
    EXPECT_EQ(list_.AttachCount, 0);
    EXPECT_TRUE(window_.ProgressTexts == Texts{""});
}

TEST_F(ScanFolderTest, RowsGoBeforeTheMailsAndTheWindowIsRestoredOnEveryWayOut)
{
    AddMail("m", Multipart({Part(kPdf)}));
    Scan();
    ASSERT_EQ(list_.Count(), 1u);
    std::size_t mailsAtClearView = 0;
    window_.OnClearView = [&] { mailsAtClearView = list_.Count(); };
    window_.Events.clear();

    list_.Folder = "box/missing/";
    ScanFolder(list_, host_, window_, icons_);
    EXPECT_EQ(mailsAtClearView, 1u);  // the rows were emptied while their mails still lived
    EXPECT_EQ(list_.Count(), 0u);
    EXPECT_EQ(list_.AttachCount, 0);
    ASSERT_EQ(window_.Errors.size(), 1u);
    EXPECT_EQ(window_.Errors[0], host_.DataFolder + "box/missing/Folder.idx does not exist.");
    EXPECT_FALSE(window_.Scanning);
    EXPECT_TRUE(window_.GridEnabled);
    EXPECT_EQ(std::count(window_.Events.begin(), window_.Events.end(), "rebuild"), 0);

    list_.MailBox.clear();
    ScanFolder(list_, host_, window_, icons_);
    EXPECT_EQ(window_.Errors.back(), "MailBox or Folder is not selected.");
    EXPECT_FALSE(window_.Scanning);
    EXPECT_TRUE(window_.GridEnabled);
}

TEST_F(ScanFolderTest, AnErrorInTheMailLoopStillFinishesTheScan)
{
    AddMail("old", Multipart({Part(kPdf)}), 1000000000);
    AddMail("bad", Multipart({Part(kPdf)}), 1000000001);
    AddMail("new", Multipart({Part(kPdf)}), 1000000002);
    host_.FailingMail = "box/inbox/?bad";
    EXPECT_THROW(Scan(), std::runtime_error);
    EXPECT_EQ(Names("new"), Texts{"report.pdf"});
    EXPECT_EQ(list_.AttachCount, 1);
    EXPECT_FALSE(window_.Scanning);
    EXPECT_TRUE(window_.GridEnabled && window_.ToolBarEnabled && !window_.ProgressBarVisible);
    EXPECT_EQ(window_.Events.back(), "scanning off");
    EXPECT_NE(std::find(window_.Events.begin(), window_.Events.end(), "rebuild"), window_.Events.end());
}

}  // namespace
}  // namespace quillbox
