// A folder on disk, a window that records what the scan shows, and an icon
// cache that records what it is asked for.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "catalogue/folder_index.h"
#include "catalogue/scan_window.h"
#include "regex/regex_library.h"
#include "text/code_page.h"

#include <unistd.h>

#include <fstream>
#include <optional>
#include <stdexcept>

namespace quillbox::testing {

class TRecordingWindow : public TScanWindow {
public:
    void SetScanning(bool scanning) override { Scanning = scanning, Log("scanning", scanning); }
    bool EscPressed() const override { return Esc; }
    void ClearEscPressed() override { Esc = false; }
    void ProcessMessages() override
    {
        Log("messages");
        if (OnMessages) OnMessages();
    }
    void SetGridEnabled(bool enabled) override { GridEnabled = enabled, Log("grid", enabled); }
    void SetToolBarEnabled(bool enabled) override { ToolBarEnabled = enabled, Log("toolbar", enabled); }
    void ClearView() override { Log("clear view"); if (OnClearView) OnClearView(); }
    void ShowScanStarted() override { Log("started"); }
    void ShowError(const std::string& text) override { Errors.push_back(text); }
    void ShowProgressBar(bool visible) override { ProgressBarVisible = visible, Log("bar", visible); }
    void ShowProgress(const std::string& text, int position) override
    {
        ProgressTexts.push_back(text);
        EXPECT_EQ(text.empty() ? 0 : std::stoi(text), position);
        if (OnProgress) OnProgress();
    }
    void RebuildView() override { Log("rebuild"); }

    std::vector<std::string> Events;
    std::vector<std::string> ProgressTexts;
    std::vector<std::string> Errors;
    bool Scanning = false, GridEnabled = true, ToolBarEnabled = true, ProgressBarVisible = false;
    bool Esc = false;
    std::function<void()> OnMessages, OnProgress, OnClearView;

private:
    void Log(const std::string& what) { Events.push_back(what); }
    void Log(const std::string& what, bool on) { Events.push_back(what + (on ? " on" : " off")); }
};

class TRecordingIcons : public TIconSource {
public:
    const TIconListItem* GetIcon(const std::string& extension) override
    {
        Asked.push_back(extension);
        return nullptr;
    }
    std::vector<std::string> Asked;
};

// Mails served from memory, the index written to a real folder. The scan
// converts names itself: the host's converters mark what passes through
// them, to show that nothing does.
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
    std::optional<TSharedText> GetSource(const std::string& mailId) override
    {
        ++SourceRequests[mailId];
        if (mailId == FailingMail) throw std::runtime_error("disk gone");
        const auto mail = Sources.find(mailId);
        if (mail == Sources.end()) return std::nullopt;
        return TSharedText(mail->second);
    }
    void SetSource(const std::string&) override {}
    std::string GetSpecifiedHeader(const std::string&) override { return {}; }
    void SetSpecifiedHeader(const std::string&, const std::string&) override {}
    std::string Iso2022JpToLocal(const std::string& text) override { return "[host]" + text; }
    std::string LocalToIso2022Jp(const std::string& text) override { return "[host]" + text; }
    std::string DecodeMimeHeader(const std::string& header) override { return "[host]" + header; }
    std::string GetTempFileName(const std::string&) override { return {}; }
    bool B64Decode(const std::string&, const std::string&) override { return false; }
    bool QPDecode(const std::string&, const std::string&) override { return false; }

    std::string DataFolder;
    std::string FailingMail;
    std::map<std::string, std::string> Sources;
    std::map<std::string, int> HeaderRequests, SourceRequests;
};

inline std::string Part(const std::string& head, const std::string& body = "body")
{
    return head + "\r\n\r\n" + body + "\r\n";
}

inline std::string Multipart(const std::vector<std::string>& parts, const std::string& boundary = "=_b.1+x",
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
public:
    explicit ScanFolderTest(TAttachmentRules rules = TAttachmentRules::Classic) : rules_(rules) {}

protected:
    void SetUp() override
    {
        TCodePage::SetActiveForProcess(932);
        ASSERT_TRUE(LoadRegexLibrary(QBX_REGEX_LIBRARY_DIR, [](const std::string& m) { FAIL() << m; }));
        root_ = std::filesystem::temp_directory_path() /
                ("qbx-scan-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(root_ / "box" / "inbox");
        host_.DataFolder = root_.string() + "/";
        list_.MailBox = "box/";
        list_.Folder = "box/inbox/";
        list_.Rules = rules_;
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
    std::vector<std::string> Paths(const std::string& key)
    {
        std::vector<std::string> paths;
        for (const auto& a : Mail(key).Attachments) paths.push_back(PartPathText(*a));
        return paths;
    }

    const TAttachmentRules rules_;
    std::filesystem::path root_;
    std::string index_;
    TMemoryHost host_;
    TMailList list_;
    TRecordingWindow window_;
    TRecordingIcons icons_;
};

}  // namespace quillbox::testing
