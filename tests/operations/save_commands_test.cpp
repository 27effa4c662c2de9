#include "operations/save_commands.h"

#include <sys/stat.h>

#include <algorithm>
#include <deque>
#include <filesystem>

#include "catalogue/mail_date.h"
#include "operations/decode_attachment.h"
#include "operations/local_file.h"
#include "operations/path_text.h"
#include "operations_fixture.h"
#include "save_choices.h"
#include "time_zone.h"

namespace quillbox {
namespace {

using namespace quillbox::testing;

class TRecordingSaveWindow : public TSaveWindow, public TRunProgress, public TSaveChoices {
public:
    bool SelectFolder(std::string& folder) override { return PickFolder(folder); }
    std::optional<std::string> SelectFile(const std::string& fileName, const std::string& folder) override
    {
        ProposedName = fileName, FolderOffered = folder;
        return ChosenFile;
    }
    void BeginSave() override { Log("begin"); }
    void ShowProgress(const std::string& text, int position) override { RecordProgress(text, position); }
    void ProcessMessages() override {}
    bool StopRequested() override { return false; }
    void EndSave() override { Log("end"); }
    void RestoreCursor() override { Log("cursor"); }
    TOverwriteAnswer AskOverwrite(const std::string& fileName) override { return NextAnswer(fileName); }
    void ReportUndecodable(const std::vector<std::string>& lines) override { Failures = lines, Log("report"); }
    void ShowUndecodable() override { Log("undecodable"); }
    void StoreSaveDir(const std::string& folder) override
    {
        SaveDir = folder, Log("savedir");
        if (SaveDirFails) throw std::runtime_error("settings file locked");
    }

    std::string ProposedName, SaveDir;
    std::optional<std::string> ChosenFile;
    std::vector<std::string> Events, Failures;
    bool SaveDirFails = false;

private:
    void Log(const std::string& what) { Events.push_back(what); }
};

class SaveCommandsTest : public OperationsTest {
protected:
    void SetUp() override
    {
        OperationsTest::SetUp();
        target = ChooseTargetFolder(host.Folder(), window);
    }

    // One mail per file name, each attachment marked and listed.
    void AddMails(const std::vector<std::string>& fileNames, const std::string& encoding = "7bit")
    {
        for (std::size_t i = 0; i < fileNames.size(); ++i) {
            TTestMail mail;
            mail.Parts = {TextPart("Hi\r\n"), SevenBitPart(fileNames[i], "content " + std::to_string(i) + "\r\n")};
            auto item = Store(mail, "box/inbox/?" + std::to_string(i));
            item->Date = DateFromUnixTime(1000000000 + static_cast<std::int32_t>(i) * 86400);
            item->Subject = "mail " + std::to_string(i);
            item->Attachments[0]->Marked = true;
            item->Attachments[0]->Encoding = encoding;
            rows.push_back({0, 0, item->Attachments[0].get(), item.get()});
            mails.push_back(std::move(item));
        }
    }
    void SaveAll()
    {
        const int marked = static_cast<int>(
            std::count_if(rows.begin(), rows.end(), [](const auto& row) { return row.Attachment && row.Attachment->Marked; }));
        SaveMarked(rows, marked, "old", options, host, window, window, TRunLocale{'/'}, TCodePage(932));
    }
    std::string Saved(const std::string& name) const { return ReadFileBytes(target / name); }
    std::int64_t ModifiedTime(const std::string& name) const
    {
        struct stat info {};
        EXPECT_EQ(::stat((target / name).c_str(), &info), 0) << name;
        return info.st_mtime;
    }

    std::filesystem::path target;
    TSaveOptions options;
    TRecordingSaveWindow window;
    std::vector<std::unique_ptr<TMailItem>> mails;
    std::vector<TListPosItem> rows;
};

TEST_F(SaveCommandsTest, MarkedRowsAreSavedUnderSafeNamesWithProgress)
{
    AddMails({"a.txt", "..\\..\\evil.txt", "\x8E\x91\x97\xBF.txt"});
    rows.push_back({});  // a row that does not resolve
    SaveAll();
    EXPECT_EQ(window.FolderOffered, "old");
    EXPECT_EQ(Saved("a.txt"), "content 0");
    EXPECT_EQ(Saved(".._.._evil.txt"), "content 1");
    EXPECT_EQ(Saved("\x8E\x91\x97\xBF.txt"), "content 2");
    EXPECT_FALSE(std::filesystem::exists(host.Folder() / "evil.txt"));
    EXPECT_EQ(window.Progress, (std::vector<std::string>{"33%", "67%", "100%"}));
    EXPECT_EQ(window.SaveDir, WithTrailingDelimiter(target.string(), TCodePage(932)));
    EXPECT_EQ(window.Events, (std::vector<std::string>{"begin", "end", "savedir", "cursor"}));
}

TEST_F(SaveCommandsTest, UnmarkedRowsAndACancelledBrowserSaveNothing)
{
    AddMails({"a.txt"});
    rows[0].Attachment->Marked = false;
    SaveAll();
    EXPECT_FALSE(std::filesystem::exists(target / "a.txt"));
    window.SaveDir.clear();
    window.Chosen.clear();
    rows[0].Attachment->Marked = true;
    SaveAll();
    EXPECT_FALSE(std::filesystem::exists(target / "a.txt"));
    EXPECT_TRUE(window.SaveDir.empty());
}

TEST_F(SaveCommandsTest, OverwriteAnswersDecidePerFileOrForTheRestOfTheRun)
{
    AddMails({"same.txt", "same.txt", "same.txt", "same.txt"});
    WriteBytesToFile((target / "same.txt").string(), "mine");
    window.Answers = {TOverwriteAnswer::No, TOverwriteAnswer::Yes, TOverwriteAnswer::YesToAll};
    SaveAll();
    EXPECT_EQ(window.Asked.size(), 3u);  // Yes asks again next time; Yes to all never again
    EXPECT_EQ(Saved("same.txt"), "content 3");

    window.Asked.clear();
    window.Answers = {TOverwriteAnswer::NoToAll};
    WriteBytesToFile((target / "same.txt").string(), "mine");
    SaveAll();
    EXPECT_EQ(window.Asked.size(), 1u);
    EXPECT_EQ(Saved("same.txt"), "mine");
}

TEST_F(SaveCommandsTest, CancelStopsTheRunButStillReportsAndMovesSaveDir)
{
    AddMails({"bad.txt", "same.txt", "later.txt"}, "x-uuencode");
    rows[1].Attachment->Encoding = "7bit";
    WriteBytesToFile((target / "same.txt").string(), "mine");
    window.Answers = {TOverwriteAnswer::Cancel};
    SaveAll();
    EXPECT_FALSE(std::filesystem::exists(target / "later.txt"));
    EXPECT_EQ(window.Failures, (std::vector<std::string>{"2001/09/09\tmail 0\tbad.txt"}));
    EXPECT_EQ(window.Events, (std::vector<std::string>{"begin", "end", "savedir", "report", "cursor"}));
}

TEST_F(SaveCommandsTest, AnErrorEndsTheRunWithTheWindowResetAndTheFailuresReported)
{
    AddMails({"bad.txt", "a.txt", "b.txt"}, "x-uuencode");
    rows[1].Attachment->Encoding = "7bit";
    rows[1].Attachment->PartNo = 9;  // the mail changed: no such part
    EXPECT_THROW(SaveAll(), EAttachmentMoved);
    EXPECT_EQ(window.Failures, (std::vector<std::string>{"2001/09/09\tmail 0\tbad.txt"}));
    EXPECT_EQ(window.Events, (std::vector<std::string>{"begin", "end", "savedir", "report", "cursor"}));
    EXPECT_TRUE(host.TempFilesLeft().empty());
}

TEST_F(SaveCommandsTest, AFailingSaveDirWriteStillReportsAndRestoresTheCursor)
{
    AddMails({"bad.txt", "a.txt"}, "x-uuencode");
    rows[1].Attachment->Encoding = "7bit";
    window.SaveDirFails = true;
    EXPECT_THROW(SaveAll(), std::runtime_error);
    EXPECT_EQ(Saved("a.txt"), "content 1");
    EXPECT_EQ(window.Events, (std::vector<std::string>{"begin", "end", "savedir", "report", "cursor"}));

    // The run's own error is the one passed on.
    window.Events.clear();
    window.Answers = {TOverwriteAnswer::Yes};
    rows[1].Attachment->PartNo = 9;
    EXPECT_THROW(SaveAll(), EAttachmentMoved);
    EXPECT_EQ(window.Events, (std::vector<std::string>{"begin", "end", "savedir", "report", "cursor"}));
}

TEST_F(SaveCommandsTest, SaveOneProposesTheSafeNameAndMovesSaveDirEvenWhenDecodingFails)
{
    AddMails({"CON.txt"}, "x-uuencode");
    window.ChosenFile = (target / "chosen.txt").string();
    SaveAttachmentAs(*mails[0], *rows[0].Attachment, "old", options, host, window, TCodePage(932));
    EXPECT_EQ(window.ProposedName, "_CON.txt");
    EXPECT_EQ(window.FolderOffered, "old");
    EXPECT_EQ(window.Events, (std::vector<std::string>{"undecodable", "savedir"}));
    EXPECT_EQ(window.SaveDir, target.string());

    window.Events.clear();
    rows[0].Attachment->Encoding = "7bit";
    SaveAttachmentAs(*mails[0], *rows[0].Attachment, target.string(), options, host, window, TCodePage(932));
    EXPECT_EQ(Saved("chosen.txt"), "content 0");
    EXPECT_TRUE(window.Events.empty());
}

TEST_F(SaveCommandsTest, NumberingSavesEverySameNameUnderTheFirstFreeNumberWithoutAsking)
{
    options.NumberSameNames = true;
    AddMails({"a.bin", "a.bin", "a.bin", "b.bin"});
    WriteBytesToFile((target / "a (2).bin").string(), "mine");
    std::filesystem::create_directories(target / "b.bin");
    SaveAll();
    EXPECT_TRUE(window.Asked.empty());
    EXPECT_EQ(Saved("a.bin"), "content 0");
    EXPECT_EQ(Saved("a (2).bin"), "mine");
    EXPECT_EQ(Saved("a (3).bin"), "content 1");
    EXPECT_EQ(Saved("a (4).bin"), "content 2");
    EXPECT_EQ(Saved("b (2).bin"), "content 3");

    // Off again: the same names are asked about as before.
    options.NumberSameNames = false;
    window.Answers = {TOverwriteAnswer::Cancel};
    SaveAll();
    EXPECT_EQ(window.Asked, std::vector<std::string>{"a.bin"});
}

TEST_F(SaveCommandsTest, NamesAreCutSoThatTheWholePathOpensInADeepFolder)
{
    // A folder whose path takes all but 78 bytes of what the file functions open.
    std::filesystem::path deep = target;
    while (deep.string().size() < 170) deep /= "deeper";
    std::string folder = deep.string();
    folder += std::string(180 - folder.size(), 'd');
    std::filesystem::create_directories(folder);
    window.Chosen = folder;
    const std::string name(150, 'y');
    AddMails({name + ".bin", name + ".bin"});
    options.NumberSameNames = true;
    SaveAll();
    EXPECT_EQ(ReadFileBytes(std::filesystem::path(folder) / (std::string(74, 'y') + ".bin")), "content 0");
    EXPECT_EQ(ReadFileBytes(std::filesystem::path(folder) / (std::string(70, 'y') + " (2).bin")), "content 1");
}

TEST_F(SaveCommandsTest, SavedFilesCarryTheirMailsDateUnlessTurnedOff)
{
    const TTimeZone japan("JST-9");
    AddMails({"a.txt", "b.txt", "bad.txt"});
    rows[2].Attachment->Encoding = "x-uuencode";
    SaveAll();
    EXPECT_EQ(ModifiedTime("a.txt"), 1000000000);
    EXPECT_EQ(ModifiedTime("b.txt"), 1000000000 + 86400);

    window.ChosenFile = (target / "one.txt").string();
    SaveAttachmentAs(*mails[1], *rows[1].Attachment, "old", options, host, window, TCodePage(932));
    EXPECT_EQ(ModifiedTime("one.txt"), 1000000000 + 86400);

    options.MailDateOnFiles = false;
    window.Answers = {TOverwriteAnswer::YesToAll};
    SaveAll();
    EXPECT_GT(ModifiedTime("a.txt"), 1500000000);
}

TEST_F(SaveCommandsTest, SaveOneProposesTheFirstFreeNameInSaveDirWhenNumbering)
{
    AddMails({"a.bin"});
    WriteBytesToFile((target / "a.bin").string(), "mine");
    SaveAttachmentAs(*mails[0], *rows[0].Attachment, target.string(), options, host, window, TCodePage(932));
    EXPECT_EQ(window.ProposedName, "a.bin");
    options.NumberSameNames = true;
    SaveAttachmentAs(*mails[0], *rows[0].Attachment, target.string(), options, host, window, TCodePage(932));
    EXPECT_EQ(window.ProposedName, "a (2).bin");
    // No folder yet: the dialog starts where the system puts it, with the name as it is.
    SaveAttachmentAs(*mails[0], *rows[0].Attachment, "", options, host, window, TCodePage(932));
    EXPECT_EQ(window.ProposedName, "a.bin");
}

}  // namespace
}  // namespace quillbox
