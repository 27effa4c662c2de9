// The patterns the plug-in runs, on the kind of text they meet: mail
// headers and sources, part heads, settings lines.
#include <gtest/gtest.h>

#include "engine_support.h"

namespace quillbox::regex::testing {
namespace {

using Strings = std::vector<std::string>;

const char kScanBoundary[] = "m/content\\-type\\:\\s*(\\w+)\\/(\\w+)\\;\\s*boundary\\s*\\=\\\"*([^\\s\\\"]+)\\\"*/i";
const char kBoundary[] = "m/content\\-type\\:\\s*\\w+\\/\\w+\\;\\s*boundary\\s*\\=\\\"*([^\\s\\\"]+)\\\"*/i";
const char kEscape[] = "s/(\\W)/\\\\$1/g";

class MailPatterns : public ::testing::Test {
    TCodePageScope codePage_{932};
};

std::string BoundaryPattern(const std::string& boundary) { return Substituted(kEscape, "--" + boundary); }

TEST_F(MailPatterns, BoundaryFromHeader)
{
    const std::string folded = "From: a@example.jp\r\nContent-Type: multipart/mixed;\r\n\tboundary=\"----=_NextPart_000_0012_01D9.5E3A\"\r\nX-Mailer: x\r\n";
    EXPECT_EQ(Groups(kScanBoundary, folded),
              "Content-Type: multipart/mixed;\r\n\tboundary=\"----=_NextPart_000_0012_01D9.5E3A\"|multipart|mixed|----=_NextPart_000_0012_01D9.5E3A");
    EXPECT_EQ(Groups(kBoundary, "content-type: Multipart/Alternative; boundary=simple+b\r\n"),
              "content-type: Multipart/Alternative; boundary=simple+b|simple+b");
    // The boundary must be the first parameter.
    EXPECT_EQ(Groups(kBoundary, "Content-Type: multipart/mixed; charset=x; boundary=\"b\"\r\n"), "<no match>");
    EXPECT_EQ(Groups(kBoundary, "Content-Type: text/plain; charset=iso-2022-jp\r\n"), "<no match>");
}

TEST_F(MailPatterns, BoundarySplitCutsEveryPartAndTheClosingDelimiter)
{
    const std::string boundary = "----=_NextPart_000_0012_01D9.5E3A";
    const std::string pattern = BoundaryPattern(boundary);
    EXPECT_EQ(pattern, "\\-\\-\\-\\-\\-\\-\\=_NextPart_000_0012_01D9\\.5E3A");
    const std::string source = "Subject: t\r\n\r\nThis is a multi-part message in MIME format.\r\n\r\n--" + boundary +
                               "\r\nContent-Type: text/plain\r\n\r\nbody\r\n\r\n--" + boundary +
                               "\r\nContent-Type: application/pdf; name=\"a.pdf\"\r\n\r\nJVBERi0=\r\n\r\n--" + boundary +
                               "--\r\n";
    const Strings pieces = Pieces("m/" + pattern + "\\-*\\s*/", source, 1000);
    ASSERT_EQ(pieces.size(), 3u);  // no empty piece after the closing delimiter
    EXPECT_EQ(pieces[1], "Content-Type: text/plain\r\n\r\nbody\r\n\r\n");
    EXPECT_EQ(pieces[2], "Content-Type: application/pdf; name=\"a.pdf\"\r\n\r\nJVBERi0=\r\n\r\n");
    // Text after the closing delimiter stays a piece of its own.
    EXPECT_EQ(Pieces("m/" + pattern + "\\-*\\s*/", source + "epilogue\r\n", 1000).back(), "epilogue\r\n");
}

TEST_F(MailPatterns, PartClassification)
{
    const std::string html = "Content-Type: text/html; name=\"5f3a1b20\"\r\nContent-Transfer-Encoding: base64\r\n";
    EXPECT_EQ(Groups("m/Content\\-Type\\:\\s*text\\/plain/i", "content-type:  TEXT/PLAIN; charset=\"iso-2022-jp\"\r\n"),
              "content-type:  TEXT/PLAIN");
    EXPECT_EQ(Groups("m/Content\\-Type\\:\\s*text\\/html\\;\\s*name\\s*\\=\\s*\\\"(.+)\\\"/i", html),
              "Content-Type: text/html; name=\"5f3a1b20\"|5f3a1b20");
    EXPECT_EQ(Groups("m/Content\\-Disposition\\:\\s*attachment\\;\\s*filename\\s*\\=\\s*\\\"(.+)\\\"/i",
                     "Content-Disposition: attachment;\r\n filename=\"\x95\x5C.xls\"\r\n"),
              "Content-Disposition: attachment;\r\n filename=\"\x95\x5C.xls\"|\x95\x5C.xls");
    EXPECT_EQ(Groups("m/Content\\-Type\\:\\s*application\\/[^\\;]+\\;\\s*name\\s*\\=\\s*\\\"(.+)\\\"/i",
                     "Content-Type: application/vnd.ms-excel; name=\"a \"b\".xls\"\r\n"),
              "Content-Type: application/vnd.ms-excel; name=\"a \"b\".xls\"|a \"b\".xls");
    EXPECT_EQ(Groups("m/Content\\-Type\\:\\s*image\\/[^\\;]+\\;\\s*name\\s*\\=\\s*\\\"(.+)\\\"/i",
                     "Content-Type: image/jpeg;\r\n\tname=\"photo.jpg\"\r\n"),
              "Content-Type: image/jpeg;\r\n\tname=\"photo.jpg\"|photo.jpg");
    EXPECT_EQ(Groups("m/Content\\-Type\\:\\s*text\\/(html*)\\;*\\s/i", "Content-Type: text/htm\r\n"),
              "Content-Type: text/htm\r|htm");
    EXPECT_EQ(Groups("m/Content\\-Transfer\\-Encoding\\:\\s*(\\S+)/i", html),
              "Content-Transfer-Encoding: base64|base64");
    EXPECT_EQ(Transliterated("tr/A-Z/a-z/", "HTML"), "html");
}

TEST_F(MailPatterns, DecoderEncodingTests)
{
    EXPECT_EQ(Groups("m/base64/i", "BASE64"), "BASE64");
    EXPECT_EQ(Groups("m/quoted\\-printable/i", "Quoted-Printable"), "Quoted-Printable");
    EXPECT_EQ(Groups("m/[78]bit/i", "8BIT"), "8BIT");
    EXPECT_EQ(Groups("m/[78]bit/i", "binary"), "<no match>");
    EXPECT_EQ(Groups("m/a/", "d"), "<no match>");
}

TEST_F(MailPatterns, FlatteningRewrites)
{
    const std::string boundary = "b1";
    const std::string pattern = BoundaryPattern(boundary);
    const std::string head = "MIME-Version: 1.0\r\nContent-Type: multipart/mixed;\r\n boundary=\"b1\"\r\n\r\nThis is a multi-part message in MIME format.\r\n\r\n--b1";
    std::string h = Substituted("s/content\\-type\\:\\s*\\w+\\/\\w+\\;\\s*boundary\\s*\\=\\\"*([^\\s\\\"]+)\\\"*\\s*//i", head);
    EXPECT_EQ(h, "MIME-Version: 1.0\r\nThis is a multi-part message in MIME format.\r\n\r\n--b1");
    h = Substituted("s/\\-*" + pattern + "\\-*\\s*//gi", h);
    EXPECT_EQ(h, "MIME-Version: 1.0\r\nThis is a multi-part message in MIME format.\r\n\r\n");
    h = Substituted("s/\\s*This\\s+is\\s+a\\s+multi\\-part\\s+message\\s+in\\s+MIME\\s+format\\.*\\s*/\\n/i", h);
    EXPECT_EQ(h, "MIME-Version: 1.0\n");
    EXPECT_EQ(Substituted("s/\\s*This\\s+is\\s+multipart\\s+message\\.*\\s*/\\n/i", "X: 1\r\n This is  multipart message.\r\n"),
              "X: 1\n");
    EXPECT_EQ(Groups("m/Content\\-Type\\:\\s*text\\//i", "Content-Type: text/html\r\n"), "Content-Type: text/");
    EXPECT_EQ(Groups("m/^Mime\\-Version\\:/i", "MIME-Version: 1.0"), "MIME-Version:");
    EXPECT_EQ(Groups("m/^content\\-type\\:/i", " Content-Type: x"), "<no match>");
}

TEST_F(MailPatterns, SettingsLines)
{
    EXPECT_EQ(Groups("m/^version\\s*\\=\\s*(\\d\\.\\d+)/i", "Version = 1.26"), "Version = 1.26|1.26");
    EXPECT_EQ(Groups("m/^pos\\s*\\=\\s*\\((\\d+)\\,\\s*(\\d+)\\,\\s*(\\d+)\\,\\s*(\\d+)/i", "Pos = (10, 20,640,480)"),
              "Pos = (10, 20,640,480|10|20|640|480");
    EXPECT_EQ(Groups("m/^grid\\s+width\\((\\d+)\\)\\s*\\=\\s*(\\d+)/i", "Grid Width(3) = 120"), "Grid Width(3) = 120|3|120");
    EXPECT_EQ(Groups("m/^savedir\\s*\\=\\s*(.+)$/i", "SaveDir = C:\\" + std::string("\x95\x5C") + "\\  "),
              "SaveDir = C:\\\x95\x5C\\  |C:\\\x95\x5C\\  ");
    EXPECT_EQ(Groups("m/^sorttarget\\s*\\=\\s*(\\d+)/i", "SortTarget = 2"), "SortTarget = 2|2");
    EXPECT_EQ(Groups("m/^showtype\\s*\\=\\s*(\\d+)/i", "showtype=-1"), "<no match>");
    EXPECT_EQ(Groups("m/^showorder\\s*\\=\\s*(\\d+)/i", "ShowOrder = 1"), "ShowOrder = 1|1");
    EXPECT_EQ(Groups("m/^([EJ])_Charset\\s*\\=\\s*(\\d+)/i", "e_Charset = 128"), "e_Charset = 128|e|128");
    EXPECT_EQ(Groups("m/^([EJ])_Size\\s*\\=\\s*(\\d+)/i", "J_Size = 9"), "J_Size = 9|J|9");
    EXPECT_EQ(Groups("m/^([EJ])_Color\\s*\\=\\s*(\\d+)/i", "E_Color = 0"), "E_Color = 0|E|0");
    EXPECT_EQ(Groups("m/^([EJ])_Name\\s*\\=\\s*(.+)$/i", "J_Name = \x82\x6C\x82\x72 UI Gothic"),
              "J_Name = \x82\x6C\x82\x72 UI Gothic|J|\x82\x6C\x82\x72 UI Gothic");
    EXPECT_EQ(Groups("m/^([EJ])_Style\\s*\\=\\s*(.+)$/i", "E_Style = b"), "E_Style = b|E|b");
    EXPECT_EQ(Groups("m/^Locale\\s*\\=\\s*(\\d+)/i", "Locale = 1041"), "Locale = 1041|1041");
    EXPECT_EQ(Groups("m/^Locale\\s*\\=\\s*(\\d+)/i", " Locale = 1041"), "<no match>");
}

TEST_F(MailPatterns, SearchCommandWithUserText)
{
    EXPECT_EQ(Groups("m/report.*pdf/i", "Q3 Report final.PDF"), "Report final.PDF");
    EXPECT_EQ(Groups("m/" + std::string("\x95\x5C") + "/i", "\x8C\x8B\x89\xCA\x95\x5C.xls"), "\x95\x5C");
    EXPECT_EQ(ErrorOf("m/a(/i"), "unmatched ( in regex");
}

}  // namespace
}  // namespace quillbox::regex::testing
