#include <gtest/gtest.h>

#include "scan_fixture.h"

namespace quillbox {
namespace {

using namespace quillbox::testing;

using Texts = std::vector<std::string>;

class FullRulesTest : public ScanFolderTest {
public:
    FullRulesTest() : ScanFolderTest(TAttachmentRules::Full) {}
};

TEST_F(FullRulesTest, WhatTheClassicRulesMiss)
{
    // Apple Mail: another parameter before the name, and an RFC 2231 name.
    AddMail("apple",
            Multipart({Part(kText),
                       Part("Content-Type: application/pdf;\r\n\tx-unix-mode=0644;\r\n\tname=\"report.pdf\"\r\n"
                            "Content-Disposition: attachment;\r\n\tfilename*=utf-8''%E5%A0%B1%E5%91%8A.pdf")}));
    // A boundary after other parameters, an unquoted name, types the classic
    // tests pass over, a text part that is an attachment.
    AddMail("odd",
            Multipart({Part("Content-Type: text/plain; charset=us-ascii"),
                       Part("Content-Type: application/zip; name=files.zip"),
                       Part("Content-Type: text/csv; name=\"table.csv\""),
                       Part("Content-Type: text/calendar; method=REQUEST; charset=UTF-8"),
                       Part("Content-Type: audio/mpeg"), Part("Content-Type: video/mp4; name=\"clip.mp4\""),
                       Part("Content-Type: message/rfc822", "Subject: fwd\r\n\r\nforwarded"),
                       Part("Content-Type: text/plain\r\nContent-Disposition: attachment; filename=\"log.txt\"")},
                      "b1", "Content-Type: multipart/mixed; charset=\"utf-8\"; boundary=\""),
            1000000001);
    Scan();
    EXPECT_EQ(Names("apple"), Texts{"\x95\xF1\x8D\x90.pdf"});  // 報告.pdf
    EXPECT_EQ(Names("odd"), (Texts{"files.zip", "table.csv", "NoName.ics", "NoName.mp3", "clip.mp4", "NoName.eml",
                                   "log.txt"}));
    EXPECT_EQ(Paths("odd"), (Texts{"2", "3", "4", "5", "6", "7", "8"}));
    EXPECT_EQ(Mail("odd").Attachments[0]->Encoding, "Unknown");
    EXPECT_EQ(Mail("odd").Rules, TAttachmentRules::Full);
    // The full rules read the source alone.
    EXPECT_EQ(host_.HeaderRequests["box/inbox/?odd"], 0);
}

TEST_F(FullRulesTest, NestedLeavesWithTheirPaths)
{
    const std::string signedMixed =
        "Content-Type: multipart/mixed; boundary=\"mixed\"\r\n\r\n"
        "--mixed\r\nContent-Type: multipart/alternative; boundary=\"alt\"\r\n\r\n"
        "--alt\r\nContent-Type: text/plain\r\n\r\ntext\r\n"
        "--alt\r\nContent-Type: text/html; name=\"3B9ACA10.html\"\r\n\r\n<p>html</p>\r\n--alt--\r\n"
        "--mixed\r\nContent-Type: multipart/related; boundary=\"rel\"\r\n\r\n"
        "--rel\r\nContent-Type: text/html\r\n\r\n<img>\r\n"
        "--rel\r\nContent-Type: image/png\r\nContent-ID: <i@x>\r\n\r\niVBO\r\n--rel--\r\n"
        "--mixed\r\nContent-Type: application/pdf; name=\"page.html\"\r\n\r\nPDF\r\n"
        "--mixed\r\nContent-Type: text/html; name=\"page.html\"\r\n\r\n<p>file</p>\r\n--mixed--\r\n";
    AddMail("signed",
            Multipart({signedMixed, Part("Content-Type: application/pkcs7-signature; name=\"smime.p7s\"")}, "sig",
                      "Content-Type: multipart/signed; protocol=\"application/pkcs7-signature\";\r\n"
                      " micalg=sha-256; boundary=\""));
    Scan();
    // The HTML body named after the mail's time stays out even when nested;
    // an HTML file under its own name is listed, and not as an HTML body.
    EXPECT_EQ(Names("signed"), (Texts{"NoName.png", "page.html", "page.html", "smime.p7s"}));
    EXPECT_EQ(Paths("signed"), (Texts{"1.2.2", "1.3", "1.4", "2"}));
    const TMailItem& mail = Mail("signed");
    EXPECT_EQ(mail.Attachments[0]->PartNo, 1);
    EXPECT_EQ(mail.Attachments[0]->NestedPath, (std::vector<std::int32_t>{2, 2}));
    EXPECT_FALSE(mail.Attachments[2]->IsHTML);
    EXPECT_EQ(mail.Boundary, "sig");
}

TEST_F(FullRulesTest, HtmlRowsStayAsTheClassicRulesListThem)
{
    const std::string html = "Content-Type: text/html; charset=\"utf-8\"";
    AddMail("text+html", Multipart({Part(kText), Part(html), Part(kPdf)}));
    AddMail("html+pdf", Multipart({Part("Content-Type: text/html; name=\"3B9ACA10.html\""), Part(kPdf)}), 1000000001);
    AddMail("named", Multipart({Part(kText), Part("Content-Type: text/html; name=\"x.html\"\r\n"
                                                   "Content-Disposition: attachment; filename=\"real.html\"")}),
            1000000002);
    Scan();
    EXPECT_EQ(Names("text+html"), (Texts{"NoName.html", "report.pdf"}));
    EXPECT_TRUE(Mail("text+html").Attachments[0]->IsHTML);
    // The body rule takes the HTML body out under either rule set.
    EXPECT_EQ(Names("html+pdf"), Texts{"report.pdf"});
    // A classic row carries the name its part declares first.
    EXPECT_EQ(Names("named"), Texts{"real.html"});
}

TEST_F(FullRulesTest, AMailThatIsOneAttachment)
{
    AddMail("single", "Content-Type: application/pdf\r\nContent-Disposition: attachment; filename=\"one.pdf\"\r\n"
                      "Content-Transfer-Encoding: base64\r\n\r\nJVBE\r\n");
    AddMail("text", "Content-Type: text/plain\r\n\r\nhello\r\n", 1000000001);
    Scan();
    EXPECT_EQ(Names("single"), Texts{"one.pdf"});
    EXPECT_EQ(Paths("single"), Texts{"0"});
    EXPECT_EQ(Mail("single").Attachments[0]->PartNo, 0);
    EXPECT_EQ(Names("text"), Texts{});
}

}  // namespace
}  // namespace quillbox
