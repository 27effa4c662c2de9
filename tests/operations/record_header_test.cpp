// The records a removal and a detach leave in a mail's header: one writer for
// both, converted to ISO-2022-JP as a whole, then folded one name to a line;
// stored by the reference host, Python's email package reads the same names
// under no other header field.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "memory_mail_host.h"
#include "operations/removed_names.h"
#include "python_email.h"
#include "store/mail_folder.h"
#include "store/mail_store.h"
#include "store/store_host_api.h"

namespace quillbox {
namespace {

using testing::Hex;
using testing::LinesAfter;
using testing::PythonEmailReport;

const TCodePage kJapanese(932);
// Shift_JIS "ソフト": the first trail byte is 0x5C, a backslash in ASCII.
const std::string kSofuto = "\x83\x5C\x83t\x83g";

TEST(RecordHeader, TheRecordIsConvertedWholeThenFoldedAndAnOldValueKeepsNoLineOfItsOwn)
{
    testing::TMemoryMailHost host;
    host.Mails["m"] = "Subject: s\r\n\r\nbody\r\n";
    host.SetCurrentMail("m");
    std::vector<std::string> converted;
    host.ToJis = [&](const std::string& text) {
        converted.push_back(text);
        return "<" + text + ">";
    };
    AppendToRecord(host, kDetachedAttachmentHeader, QuotedNameList({"C:\\a.bin", "b.bin"}, kJapanese));
    EXPECT_EQ(converted, std::vector<std::string>{"\"C:\\\\a.bin\", \"b.bin\""});
    EXPECT_EQ(host.Mails["m"], "Subject: s\r\nX-Detached-Attachment: <\"C:\\\\a.bin\",\r\n \"b.bin\">\r\n\r\nbody\r\n");

    // An old value with a line break that starts no continuation line.
    host.ToJis = nullptr;
    host.Mails["m"] = "Subject: s\r\n\r\nbody\r\n";
    host.SetSpecifiedHeader(kRemovedAttachmentHeader, "\"a\"\r\nBcc: x@y");
    AppendToRecord(host, kRemovedAttachmentHeader, QuotedNameList({"n"}, kJapanese));
    const std::string value = host.GetSpecifiedHeader(kRemovedAttachmentHeader);
    EXPECT_EQ(value.find("\r\nBcc"), std::string::npos) << value;
    EXPECT_NE(value.find("\"n\""), std::string::npos) << value;
}

// The reference host's store under a folder of its own, with one mail in it.
class StoredRecordTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root_ = std::filesystem::temp_directory_path() / ("qbx-record-" + std::to_string(::getpid()));
        std::filesystem::create_directories(root_ / "data" / "box" / "inbox");
        TMailFolder folder((root_ / "data" / "box" / "inbox").string() + "/", 932, [](const std::string&) {});
        mailId_ = "box/inbox/?" + folder.Append(kMail).value();
    }
    void TearDown() override { std::filesystem::remove_all(root_); }

    static constexpr const char* kMail = "From: a@example.com\r\nSubject: s\r\nMIME-Version: 1.0\r\n"
                                         "Content-Type: text/plain; charset=us-ascii\r\n\r\nbody\r\n";
    std::filesystem::path root_;
    std::string mailId_;
};

TEST_F(StoredRecordTest, PythonReadsTheSameNamesAndNoNewField)
{
    TStoreHostApi host(TMailStore((root_ / "data").string() + "/", 932, [](const std::string&) {}), "box/",
                       "box/inbox/", root_.string() + "/");
    host.SetCurrentMail(mailId_);

    const std::vector<std::string> names = {"x.pdf\r\nContent-Type: text/html", "say \"hi\", \"x\".txt",
                                            "\x81\xAA" ".txt", kSofuto + ".doc"};
    const std::vector<std::string> paths = {"Z:\\out\\" + kSofuto + "\\x.pdf", "Z:\\out\\a\nb.txt"};
    AppendToRecord(host, kRemovedAttachmentHeader, QuotedNameList({names[0], names[1]}, kJapanese));
    AppendToRecord(host, kRemovedAttachmentHeader, QuotedNameList({names[2], names[3]}, kJapanese));
    AppendToRecord(host, kDetachedAttachmentHeader, QuotedNameList(paths, kJapanese));

    const std::vector<std::string> report =
        PythonEmailReport(std::string(host.GetSource(mailId_).value()), {kRemovedAttachmentHeader, kDetachedAttachmentHeader});
    EXPECT_EQ(LinesAfter(report, "defects "), std::vector<std::string>{"0"});
    EXPECT_EQ(LinesAfter(report, "field "),
              (std::vector<std::string>{"From", "Subject", "MIME-Version", "Content-Type", kRemovedAttachmentHeader,
                                        kDetachedAttachmentHeader}));
    EXPECT_EQ(LinesAfter(report, "quoted " + kRemovedAttachmentHeader + " "),
              (std::vector<std::string>{Hex("x.pdf  Content-Type: text/html"), Hex(names[1]), Hex(names[2]),
                                        Hex(names[3])}));
    EXPECT_EQ(LinesAfter(report, "quoted " + kDetachedAttachmentHeader + " "),
              (std::vector<std::string>{Hex(paths[0]), Hex("Z:\\out\\a b.txt")}));
}

}  // namespace
}  // namespace quillbox
