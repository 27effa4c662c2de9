#include <gtest/gtest.h>

#include <filesystem>

#include <unistd.h>

#include "regex/regex_library.h"
#include "scan_fixture.h"
#include "store/mail_folder.h"
#include "store/store_host_api.h"
#include "text/code_page.h"

namespace quillbox {
namespace {

using testing::TRecordingIcons;
using testing::TRecordingWindow;

// Names written the way Japanese mailers write them, read through the
// store's own header decoding and ISO-2022-JP conversion.
TEST(ScanFolderOverStore, JapaneseNamesThroughTheHost)
{
    TCodePage::SetActiveForProcess(932);
    ASSERT_TRUE(LoadRegexLibrary(QBX_REGEX_LIBRARY_DIR, [](const std::string& m) { FAIL() << m; }));
    const std::filesystem::path root =
        std::filesystem::temp_directory_path() / ("qbx-store-scan-" + std::to_string(::getpid()));
    std::filesystem::create_directories(root / "box" / "inbox");

    const std::string jis = "\x1b$B%F%9%H\x1b(B";  // テスト
    const std::string sjis = "\x83\x65\x83\x58\x83\x67";
    const std::string source =
        "From: a@example.com\r\nSubject: test\r\nDate: Sun, 9 Sep 2001 10:46:40 +0900\r\nMIME-Version: 1.0\r\n"
        "Content-Type: multipart/mixed; boundary=\"b\"\r\n\r\n"
        "--b\r\nContent-Type: text/plain; charset=iso-2022-jp\r\n\r\nhi\r\n"
        "--b\r\nContent-Type: application/pdf; name=\"" + jis + ".pdf\"\r\n\r\nx\r\n"
        "--b\r\nContent-Type: application/octet-stream;\r\n name=\"=?ISO-2022-JP?B?GyRCJUYlOSVIGyhC?=.zip\"\r\n"
        "Content-Transfer-Encoding: base64\r\n\r\nx\r\n"
        "--b--\r\n";
    TMailFolder folder((root / "box" / "inbox").string() + "/", 932, [](const std::string&) {});
    ASSERT_TRUE(folder.Append(source, 0x8));

    {
        TStoreHostApi host(TMailStore(root.string(), 932, [](const std::string&) {}), "box/", "box/inbox/",
                           root.string() + "/");
        TMailList list;
        list.MailBox = "box/";
        list.Folder = "box/inbox/";
        TRecordingWindow window;
        TRecordingIcons icons;
        ScanFolder(list, host, window, icons);

        ASSERT_EQ(list.Count(), 1u);
        const TMailItem& mail = list[0];
        EXPECT_EQ(mail.UnixTime, 1000000000);
        ASSERT_EQ(mail.Attachments.size(), 2u);
        EXPECT_EQ(mail.Attachments[0]->FileName, sjis + ".pdf");
        EXPECT_EQ(mail.Attachments[1]->FileName, sjis + ".zip");
        EXPECT_EQ(mail.Attachments[1]->Encoding, "base64");
        EXPECT_TRUE(window.Errors.empty());
    }
    std::filesystem::remove_all(root);
    UnloadRegexLibrary();
}

}  // namespace
}  // namespace quillbox
