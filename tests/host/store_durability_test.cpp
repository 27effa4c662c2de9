// What survives when the store's process dies: a mail is either the old one or
// the new one, whole; every stored mail reaches the disk before it replaces
// the old; and an index left behind by a crash is brought up to date from the
// mails. The child processes die by SIGKILL, which no clean-up outlives.
#include "convert/file_bytes.h"
#include "file_call_spy.h"
#include "store_fixture.h"
#include "store/folder_index.h"
#include "store/mail_message.h"
#include "store/mail_store.h"
#include "store/store_host_api.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

using namespace quillbox;
using quillbox::testing::KillAtRenameOnto;
using quillbox::testing::kWithAttachment;
using quillbox::testing::RecordedFileCalls;
using quillbox::testing::StartRecordingFileCalls;
using quillbox::testing::TFileCall;

namespace {

const std::string kPlain = "Subject: plain one\r\nDate: Tue, 01 Dec 2026 10:00:00 +0900\r\n"
                           "Content-Type: text/plain\r\n\r\nbody\r\n";

class StoreDurabilityTest : public quillbox::testing::TStoreFixture {
protected:
    StoreDurabilityTest() : TStoreFixture("qbx_durable_") {}

    // A store that is done with its folder: its index is on disk.
    void Fill(const std::vector<std::string>& sources)
    {
        TMailStore store = Store();
        for (const std::string& source : sources) ASSERT_TRUE(store.Folder("Box/Inbox/").Append(source));
    }

    std::string Path(const std::string& name) const { return data_ + "Box/Inbox/" + name; }
};

std::string Canonical(const std::string& path) { return std::filesystem::weakly_canonical(path).string(); }

TEST_F(StoreDurabilityTest, AKillBetweenWritingAMailAndRenamingItLeavesTheOldMailWhole)
{
    Fill({kWithAttachment});
    const std::string bigSource = kPlain + std::string(3 << 20, 'x');
    struct TChange {
        std::function<void(TStoreHostApi&)> Apply;
        std::string Written;
    };
    // The two ways the plug-in stores a mail: a new source, and a header field.
    const TChange changes[] = {
        {[&](TStoreHostApi& host) { host.SetSource(bigSource); }, bigSource},
        {[](TStoreHostApi& host) { host.SetSpecifiedHeader("X-Removed-Attachment", "\"a.pdf\""); },
         WithHeader(kWithAttachment, "X-Removed-Attachment", "\"a.pdf\"")}};
    for (const TChange& change : changes) {
        EXPECT_EXIT(
            {
                TStoreHostApi host(Store(), "Box/", "Box/Inbox/", data_);
                host.SetCurrentMail("Box/Inbox/?1");
                KillAtRenameOnto("/1.eml");
                change.Apply(host);
                std::exit(0);
            },
            ::testing::KilledBySignal(SIGKILL), "");
        // It died with the new mail written in full beside the old one.
        EXPECT_EQ(ReadFileBytes(Path("1.eml.new")), change.Written);
        TMailStore store = Store();
        EXPECT_EQ(store.Source("Box/Inbox/?1"), kWithAttachment);
        const auto& entries = store.Folder("Box/Inbox/").Entries();
        ASSERT_EQ(entries.size(), 1u);
        EXPECT_EQ(entries[0].subject, "with file");
        EXPECT_NE(entries[0].flags & kFlagHasAttachments, 0u);
    }
    // The next change goes through and leaves nothing beside the mail.
    TMailStore store = Store();
    ASSERT_TRUE(store.ReplaceSource("Box/Inbox/?1", kPlain));
    EXPECT_EQ(ReadFileBytes(Path("1.eml")), kPlain);
    EXPECT_FALSE(std::filesystem::exists(Path("1.eml.new")));
}

TEST_F(StoreDurabilityTest, EachStoredMailIsFlushedOnceBeforeItsRenameAndTheIndexIsWrittenWhenAskedFor)
{
    TMailStore store = Store();
    TMailFolder& folder = store.Folder("Box/Inbox/");
    StartRecordingFileCalls();
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(folder.Append(kWithAttachment));
    for (int i = 0; i < 50; ++i) ASSERT_TRUE(store.ReplaceSource("Box/Inbox/?2", i % 2 ? kWithAttachment : kPlain));
    ASSERT_TRUE(store.SetHeader("Box/Inbox/?3", "Subject", "renamed"));
    const std::size_t callsBeforeSync = RecordedFileCalls().size();
    ASSERT_TRUE(store.SyncIndexFiles("Box/Inbox/"));
    ASSERT_TRUE(store.SyncIndexFiles("Box/Inbox/"));  // nothing changed since
    const std::vector<TFileCall> calls = RecordedFileCalls();

    int mailRenames = 0, flushes = 0;
    std::vector<std::size_t> indexRenames;
    for (std::size_t i = 0; i < calls.size(); ++i) {
        const TFileCall& call = calls[i];
        if (call.Kind == TFileCall::TKind::Flush) {
            ++flushes;
            EXPECT_EQ(call.Path.find("Folder.idx"), std::string::npos) << "the index needs no flush of its own";
        } else if (call.Target.ends_with(".eml")) {
            ++mailRenames;
            ASSERT_GT(i, 0u);
            EXPECT_EQ(calls[i - 1].Kind, TFileCall::TKind::Flush) << call.Target;
            EXPECT_EQ(Canonical(calls[i - 1].Path), Canonical(call.Path)) << call.Target;
        } else if (call.Target.ends_with("Folder.idx")) {
            indexRenames.push_back(i);
        }
    }
    EXPECT_EQ(mailRenames, 3 + 50 + 1);
    EXPECT_EQ(flushes, mailRenames);
    // The new folder's index comes with its first mail, then only when asked for.
    ASSERT_EQ(indexRenames.size(), 2u);
    EXPECT_LT(indexRenames[0], 3u);
    EXPECT_GE(indexRenames[1], callsBeforeSync);

    const std::vector<TIndexEntry> onDisk =
        ParseIndexText(ReadFileBytes(Path("Folder.idx")).value_or(""), "Folder.idx", nullptr);
    ASSERT_EQ(onDisk.size(), 3u);
    EXPECT_EQ(onDisk[1].subject, "with file");
    EXPECT_EQ(onDisk[2].subject, "renamed");
    EXPECT_EQ(onDisk[1].size, kWithAttachment.size());
}

TEST_F(StoreDurabilityTest, AnIndexLeftBehindByACrashIsBroughtUpToDateFromTheMails)
{
    Fill({kWithAttachment, kWithAttachment});
    EXPECT_EXIT(
        {
            TMailStore store = Store();
            store.ReplaceSource("Box/Inbox/?2", kPlain);
            store.Folder("Box/Inbox/").Append(kWithAttachment);
            ::kill(::getpid(), SIGKILL);  // before the index is written
        },
        ::testing::KilledBySignal(SIGKILL), "");
    {
        TMailStore store = Store();
        const auto& entries = store.Folder("Box/Inbox/").Entries();
        ASSERT_EQ(entries.size(), 3u);
        EXPECT_EQ(entries[1].subject, "plain one");
        EXPECT_EQ(entries[1].flags & kFlagHasAttachments, 0u);
        EXPECT_EQ(entries[2].key, "3");
        EXPECT_NE(entries[2].flags & kFlagHasAttachments, 0u);
        EXPECT_EQ(warnings_.size(), 2u);
        // A new mail gets a key of its own, not that of the one found.
        EXPECT_EQ(store.Folder("Box/Inbox/").Append(kPlain), "4");
    }
    // What was found was written down: the next store finds nothing to mend.
    warnings_.clear();
    TMailStore store = Store();
    EXPECT_EQ(store.Folder("Box/Inbox/").Entries().size(), 4u);
    EXPECT_TRUE(warnings_.empty());
}

TEST_F(StoreDurabilityTest, AMailOfTheIndexFilesClockTickIsCheckedOnlyAfterAnInterruptedWrite)
{
    // An index written by someone else, after its mail and in the same tick,
    // is taken as it stands, even where it does not describe the mail.
    ASSERT_TRUE(WriteFileBytes(Path("1.eml"), kWithAttachment));
    TIndexEntry line;
    line.key = "1";
    line.fileName = "1.eml";
    line.subject = "as the index says";
    line.time = 0x3B9ACA00;
    line.flags = kFlagHasAttachments;
    const std::string indexText = FormatIndexText({line});
    ASSERT_TRUE(WriteFileBytes(Path("Folder.idx"), indexText));
    std::filesystem::last_write_time(Path("1.eml"), std::filesystem::last_write_time(Path("Folder.idx")));
    {
        TMailStore store = Store();
        EXPECT_EQ(store.Folder("Box/Inbox/").Entries().at(0).subject, "as the index says");
        ASSERT_TRUE(store.SyncIndexFiles("Box/Inbox/"));
    }
    EXPECT_EQ(ReadFileBytes(Path("Folder.idx")), indexText);
    EXPECT_TRUE(warnings_.empty());

    // The store itself dies after storing the mail: the same tick is no proof.
    EXPECT_EXIT(
        {
            TMailStore store = Store();
            store.ReplaceSource("Box/Inbox/?1", kPlain);
            ::kill(::getpid(), SIGKILL);
        },
        ::testing::KilledBySignal(SIGKILL), "");
    std::filesystem::last_write_time(Path("1.eml"), std::filesystem::last_write_time(Path("Folder.idx")));
    TMailStore store = Store();
    EXPECT_EQ(store.Folder("Box/Inbox/").Entries().at(0).subject, "plain one");
    EXPECT_EQ(warnings_.size(), 1u);
}

}  // namespace
