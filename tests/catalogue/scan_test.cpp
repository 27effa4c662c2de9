#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>

#include <unistd.h>

#include "catalogue/folder_index.h"
#include "regex/regex_library.h"
#include "scan_fixture.h"

namespace quillbox {
namespace {

using testing::TRecordingIcons;
using testing::TRecordingWindow;

// Mails served from memory, the index written to a real folder. Header
// decoding is left to the store's own tests: here it passes text through.
class TMemoryHost : public THostApi {
public:
    std::string GetDataFolder() override { return DataFolder; }
    std::string GetCurrentFolder() override { return {}; }
    std::string GetCurrentMailBox() override { return {}; }
    std::string GetFolderDisplayName(const std::string&) override { return {}; }
    void SetCurrentMail(const std::string&) override {}
    std::optional<std::string> GetHeader(const std::string& mailId) override
    {
        ++HeaderRequests[mailId];
        const auto mail = Sources.find(mailId);
        if (mail == Sources.end()) return std::nullopt;
        return mail->second.substr(0, mail->second.find("\r\n\r\n") + 2);
    }
    std::optional<std::string> GetSource(const std::string& mailId) override
    {
        ++SourceRequests[mailId];
        if (mailId == FailingMail) throw std::runtime_error("disk gone");
        const auto mail = Sources.find(mailId);
        if (mail == Sources.end()) return std::nullopt;
        return mail->second;
    }
    void SetSource(const std::string&) override {}
    std::string GetSpecifiedHeader(const std::string&) override { return {}; }
    void SetSpecifiedHeader(const std::string&, const std::string&) override {}
    std::string Iso2022JpToLocal(const std::string& text) override { return "[jis]" + text; }
    std::string LocalToIso2022Jp(const std::string& text) override { return text; }
    std::string DecodeMimeHeader(const std::string& header) override
    {
        DecodedHeads.push_back(header);
        return header;
    }
    std::string GetTempFileName(const std::string&) override { return {}; }
    bool B64Decode(const std::string&, const std::string&) override { return false; }
    bool QPDecode(const std::string&, const std::string&) override { return false; }

    std::string DataFolder;
    std::string FailingMail;
    std::map<std::string, std::string> Sources;
    std::map<std::string, int> HeaderRequests, SourceRequests;
    std::vector<std::string> DecodedHeads;
};

std::string Part(const std::string& head, const std::string& body = "body")
{
    return head + "\r\n\r\n" + body + "\r\n";
}

std::string Multipart(const std::vector<std::string>& parts, const std::string& boundary = "=_b.1+x",
                      const std::string& contentType = "Content-Type: multipart/mixed;\r\n boundary=\"")
{
    std::string source = "From: a@example.com\r\nSubject: s\r\nMIME-Version: 1.0\r\n" + contentType +
                         boundary + "\"\r\n\r\nThis is a multi-part message.\r\n";
    for (const std::string& part : parts) source += "--" + boundary + "\r\n" + part;
    return source + "--" + boundary + "--\r\n";
}

constexpr const char* kPdf = "Content-Type: application/pdf; name=\"report.pdf\"\r\nContent-Transfer-Encoding: base64";
constexpr const char* kText = "Content-Type: text/plain; charset=\"iso-2022-jp\"\r\nContent-Transfer-Encoding: 7bit";

class ScanFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(LoadRegexLibrary(QBX_REGEX_LIBRARY_DIR, [](const std::string& m) { FAIL() << m; }));
        root_ = std::filesystem::temp_directory_path() /
                ("qbx-scan-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(root_ / "box" / "inbox");
        host_.DataFolder = root_.string() + "/";
        list_.MailBox = "box/";
        list_.Folder = "box/inbox/";
    }
    void TearDown() override
    {
        std::filesystem::remove_all(root_);
        UnloadRegexLibrary();
    }

    // Adds a mail with attachments (flag 8) at the given Unix time.
    void AddMail(const std::string& key, const std::string& source, std::int32_t unixTime = 1000000000)
    {
        char time[16];
        std::snprintf(time, sizeof time, "%X", static_cast<unsigned>(unixTime));
        index_ += "0\x01" + key + "\x01" "2\x01" "Subject " + key + "\x01" "sender\x01" "5\x01" "6\x01" "7\x01" +
                  time + "\x01" "9\x01" "10\x01" "11\x01" "8\x01" "13\x01" "14\x01" "15\x01" "16\r\n";
        host_.Sources[list_.Folder + "?" + key] = source;
    }
    void Scan()
    {
        std::ofstream(root_ / "box" / "inbox" / kFolderIndexFileName, std::ios::binary) << index_;
        ScanFolder(list_, host_, window_, icons_);
    }
    const TMailItem& Mail(const std::string& key)
    {
        for (std::size_t i = 0; i < list_.Count(); ++i)
            if (list_[i].MailID == list_.Folder + "?" + key) return list_[i];
        throw std::out_of_range(key);
    }
    std::vector<std::string> Names(const std::string& key)
    {
        std::vector<std::string> names;
        for (const auto& a : Mail(key).Attachments) names.push_back(a->FileName);
        return names;
    }

    std::filesystem::path root_;
    std::string index_;
    TMemoryHost host_;
    TMailList list_;
    TRecordingWindow window_;
    TRecordingIcons icons_;
};

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

TEST_F(ScanFolderTest, IsoJapaneseNamesGoThroughTheHost)
{
    const std::string jisName = "\x1b$B%F%9%H\x1b(B.pdf";
    AddMail("m", Multipart({Part("Content-Type: application/pdf; name=\"" + jisName + "\"")}));
    Scan();
    EXPECT_EQ(Names("m"), Texts{"[jis]" + jisName});
}

TEST_F(ScanFolderTest, PartWithoutEmptyLineIsReadWhole)
{
    std::string part = "Content-Type: application/pdf; name=\"big.pdf\"\r\n";
    while (part.size() < 300000) part += "Content-Transfer-Encoding: base64\r\n";
    AddMail("m", Multipart({part}));
    Scan();
    ASSERT_EQ(Names("m"), Texts{"big.pdf"});
    EXPECT_EQ(Mail("m").Attachments[0]->Size, static_cast<std::int32_t>(part.size()));
    EXPECT_EQ(host_.DecodedHeads.back(), part);
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
