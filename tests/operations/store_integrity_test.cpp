// Removals over the sample folders in the reference host's store, found by
// the real folder scan: every kept part stays byte for byte, every remaining
// attachment still saves to the bytes it saved to before, and the removed
// names, Japanese ones included, come back from the mail's header.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "catalogue/folder_scan.h"
#include "memory_mail_host.h"
#include "operations/decode_attachment.h"
#include "operations/remove_parts.h"
#include "operations/removed_names.h"
#include "operations/renumber.h"
#include "regex/regex_library.h"
#include "removal_integrity.h"
#include "store/importer.h"
#include "store/mail_folder.h"
#include "store/store_host_api.h"
#include "text/code_page.h"

namespace quillbox {
namespace {

using testing::IntegrityFault;
using testing::ReadFileBytes;

// The store's host, remembering the last source handed to it.
class TWatchedHost : public THostApi {
public:
    explicit TWatchedHost(THostApi& host) : host_(host) {}
    std::string GetDataFolder() override { return host_.GetDataFolder(); }
    std::string GetCurrentFolder() override { return host_.GetCurrentFolder(); }
    std::string GetCurrentMailBox() override { return host_.GetCurrentMailBox(); }
    std::string GetFolderDisplayName(const std::string& f) override { return host_.GetFolderDisplayName(f); }
    void SetCurrentMail(const std::string& id) override { host_.SetCurrentMail(id); }
    std::optional<std::string> GetHeader(const std::string& id) override { return host_.GetHeader(id); }
    std::optional<TSharedText> GetSource(const std::string& id) override { return host_.GetSource(id); }
    void SetSource(const std::string& source) override { host_.SetSource(Written = source); }
    std::string GetSpecifiedHeader(const std::string& n) override { return host_.GetSpecifiedHeader(n); }
    void SetSpecifiedHeader(const std::string& n, const std::string& v) override { host_.SetSpecifiedHeader(n, v); }
    std::string Iso2022JpToLocal(const std::string& t) override { return host_.Iso2022JpToLocal(t); }
    std::string LocalToIso2022Jp(const std::string& t) override { return host_.LocalToIso2022Jp(t); }
    std::string DecodeMimeHeader(const std::string& h) override { return host_.DecodeMimeHeader(h); }
    std::string GetTempFileName(const std::string& e) override { return host_.GetTempFileName(e); }
    bool B64Decode(const std::string& d, const std::string& s) override { return host_.B64Decode(d, s); }
    bool QPDecode(const std::string& d, const std::string& s) override { return host_.QPDecode(d, s); }

    std::string Written;

private:
    THostApi& host_;
};

class TNoIcons : public TIconSource {
public:
    const TIconListItem* GetIcon(const std::string&) override { return nullptr; }
};

class StoreIntegrityTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TCodePage::SetActiveForProcess(932);
        ASSERT_TRUE(LoadRegexLibrary(QBX_REGEX_LIBRARY_DIR, [](const std::string& m) { FAIL() << m; }));
        root_ = std::filesystem::temp_directory_path() / ("qbx-store-ops-" + std::to_string(::getpid()));
        const std::string command = "python3 " QBX_SAMPLES_SCRIPT " " + (root_ / "samples").string();
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    void TearDown() override
    {
        std::filesystem::remove_all(root_);
        UnloadRegexLibrary();
    }

    // Imports one sample folder into the store; its folder identifier.
    std::string Import(const std::string& name)
    {
        const std::string folderId = "box/" + name + "/";
        const auto directory = root_ / "data" / "box" / name;
        std::filesystem::create_directories(directory);
        TMailFolder folder(directory.string() + "/", 932, [](const std::string&) {});
        for (const auto& file : std::filesystem::directory_iterator(root_ / "samples" / name))
            EXPECT_GT(ImportFile(folder, file.path().string()), 0) << file.path();
        return folderId;
    }

    std::filesystem::path root_;
};

std::map<std::string, std::string> DecodeAll(THostApi& host, TMailItem& mail, const std::string& out)
{
    std::map<std::string, std::string> decoded;
    for (const auto& attachment : mail.Attachments)
        if (DecodeAttachment(host, mail, *attachment, out)) decoded[attachment->FileName] = ReadFileBytes(out);
    return decoded;
}

TEST_F(StoreIntegrityTest, SampleFoldersLoseOnlyWhatIsRemoved)
{
    int rewritten = 0;
    for (const std::string name : {"japanese", "english"}) {
        const std::string folderId = Import(name);
        TStoreHostApi storeHost(TMailStore((root_ / "data").string() + "/", 932, [](const std::string&) {}), "box/",
                                folderId, root_.string() + "/");
        TWatchedHost host(storeHost);
        TMailList list;
        list.MailBox = "box/";
        list.Folder = folderId;
        TUnwatchedScan progress;
        TNoIcons icons;
        EXPECT_EQ(ScanFolderMails(list, host, icons, progress), "") << name;
        ASSERT_GT(list.AttachCount, 0) << name;

        const std::string out = (root_ / "out").string();
        for (std::size_t m = 0; m < list.Count(); ++m) {
            TMailItem& mail = list[m];
            auto expected = DecodeAll(host, mail, out);
            std::vector<std::string> removedNames;
            // Every other attachment first, then the rest one by one.
            for (int round = 0; !mail.Attachments.empty(); ++round) {
                const std::string before(host.GetSource(mail.MailID).value());
                std::vector<const TAttachment*> chosen;
                std::vector<std::string> names;
                std::vector<std::vector<int>> removedPaths;
                for (std::size_t i = 0; i < mail.Attachments.size(); ++i) {
                    if (round == 0 ? i % 2 == 1 : i == 0) {
                        TAttachment& attachment = *mail.Attachments[i];
                        attachment.Removed = true;
                        chosen.push_back(&attachment);
                        names.push_back(attachment.FileName);
                        removedPaths.push_back(PartPath(attachment));
                        expected.erase(attachment.FileName);
                    }
                }
                if (chosen.empty()) continue;
                ASSERT_EQ(RemoveParts(host, mail, chosen, QuotedNameList(names)), TRemoval::Rewritten);
                ++rewritten;
                ASSERT_EQ(IntegrityFault(before, host.Written, removedPaths), "") << before;
                DropRemovedAttachments(mail);
                EXPECT_EQ(DecodeAll(host, mail, out), expected) << mail.MailID;
                removedNames.insert(removedNames.end(), names.begin(), names.end());
            }
            host.SetCurrentMail(mail.MailID);
            const std::string history = host.GetSpecifiedHeader(kRemovedAttachmentHeader);
            for (const std::string& removed : removedNames)
                EXPECT_NE(history.find('"' + removed + '"'), std::string::npos) << history;
        }
    }
    EXPECT_GT(rewritten, 10);
}

}  // namespace
}  // namespace quillbox
