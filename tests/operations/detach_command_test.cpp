// Save, then delete: over mails in a memory host and real files, exactly the
// attachments whose saved files hold their bytes leave their mails; the rest
// stay, marked, and the report says why.
#include "operations/detach_command.h"

#include <sys/stat.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <map>

#include "catalogue/mail_date.h"
#include "operations/local_file.h"
#include "operations/path_text.h"
#include "operations/remove_parts.h"
#include "operations/removed_names.h"
#include "operations/renumber.h"
#include "operations_fixture.h"
#include "save_choices.h"
#include "python_email.h"
#include "time_zone.h"
#include "removal_integrity.h"

namespace quillbox {
namespace {

using namespace quillbox::testing;

class TRecordingDetachWindow : public TDetachWindow, public TRunProgress, public TSaveChoices {
public:
    explicit TRecordingDetachWindow(TMailList& list) : list_(list) {}

    bool SelectFolder(std::string& folder) override { return PickFolder(folder); }
    void BeginDetach() override { Log("begin"); }
    void ShowPhase(TDetachPhase phase) override
    {
        Phase = phase;
        Log(phase == TDetachPhase::Saving ? "saving" : "removing");
        if (OnPhase) OnPhase(phase);
    }
    void ShowProgress(const std::string& text, int position) override { RecordProgress(text, position); }
    void ProcessMessages() override
    {
        if (OnPump) OnPump(Phase);
    }
    bool StopRequested() override { return Stop; }
    TOverwriteAnswer AskOverwrite(const std::string& fileName) override { return NextAnswer(fileName); }
    void ResetProgress() override { Log("reset"); }
    void RebuildView() override { Log("rebuild"), DropRemovedAttachments(list_); }
    void ScanFolder() override
    {
        Log("scan");
        if (OnScan) OnScan();
    }
    void EndDetach() override { Log("end"); }
    void StoreSaveDir(const std::string& folder) override { SaveDir = folder, Log("savedir"); }
    void ReportDetach(const TDetachReport& report) override { Report = report, Log("report"); }

    std::string SaveDir;
    std::vector<std::string> Events;
    TDetachReport Report;
    bool Stop = false;
    int Locale = kEnglishLocaleID;
    TDetachPhase Phase = TDetachPhase::Saving;
    std::function<void(TDetachPhase)> OnPhase, OnPump;
    std::function<void()> OnScan;

private:
    void Log(const std::string& what) { Events.push_back(what); }
    TMailList& list_;
};

// Bytes that no two attachments share.
std::string Blob(int seed, std::size_t size)
{
    std::string bytes(size, '\0');
    unsigned state = 2654435761u * static_cast<unsigned>(seed + 1);
    for (char& c : bytes) c = static_cast<char>((state = state * 1103515245u + 12345u) >> 16);
    return bytes;
}

std::vector<std::string> Names(const std::vector<TDetachReportLine>& lines)
{
    std::vector<std::string> names;
    for (const TDetachReportLine& line : lines) names.push_back(line.Text.substr(line.Text.rfind('\t') + 1));
    return names;
}

std::vector<TDetachVerdict> Verdicts(const std::vector<TDetachReportLine>& lines)
{
    std::vector<TDetachVerdict> verdicts;
    for (const TDetachReportLine& line : lines) verdicts.push_back(line.Verdict);
    return verdicts;
}

class DetachCommandTest : public OperationsTest {
protected:
    void SetUp() override
    {
        OperationsTest::SetUp();
        target = ChooseTargetFolder(host.Folder(), window);
        host.StoreSource = [this](const std::string& source) { return written[host.Current] = source; };
    }

    // Mail n (from 1, one day apart) with a text part and one attachment per
    // name, all marked and listed; a name ending in ".odd" has an encoding
    // nobody decodes. Without text, every part is an attachment.
    TMailItem& AddMail(const std::vector<std::string>& fileNames, bool withText = true)
    {
        const std::string mailId = "box/inbox/?" + std::to_string(sources.size() + 1);
        TTestMail mail;
        if (withText) mail.Parts = {TextPart("Hi\r\n")};
        for (const std::string& name : fileNames) {
            const std::string bytes = Blob(static_cast<int>(expected.size()), 300);
            expected[mailId + "/" + name] = bytes;
            mail.Parts.push_back(Base64Part(name, bytes));
            if (name.ends_with(".odd")) mail.Parts.back().Encoding = "x-uuencode";
            partNo[mailId + "/" + name] = mail.Parts.size();
        }
        auto item = Store(mail, mailId);
        item->Subject = "mail " + std::to_string(sources.size() + 1);
        item->Date = DateFromUnixTime(1704283200 + 86400 * static_cast<std::int32_t>(sources.size()));
        for (std::size_t i = 0; i < item->Attachments.size(); ++i) {
            item->Attachments[i]->Marked = true;
            item->Attachments[i]->Encoding = mail.Parts[i + (withText ? 1 : 0)].Encoding;
        }
        sources[mailId] = mail.Source();
        std::vector<std::unique_ptr<TMailItem>> one;
        one.push_back(std::move(item));
        list.AddInDateOrder(std::move(one));
        list.AttachCount += static_cast<int>(fileNames.size());
        return *Mail(mailId);
    }
    TMailItem* Mail(const std::string& mailId)
    {
        for (std::size_t m = 0; m < list.Count(); ++m)
            if (list[m].MailID == mailId) return &list[m];
        return nullptr;
    }
    // The listed rows: every attachment of every mail, newest mail first.
    void Detach()
    {
        rows.clear();
        for (std::size_t m = list.Count(); m-- > 0;)
            for (const auto& attachment : list[m].Attachments)
                if (attachment->Visible) rows.push_back({0, 0, attachment.get(), &list[m]});
        DetachMarked(list, rows, "old", options, host, window, window, TRunLocale{'/', window.Locale},
                     TCodePage(932));
    }

    std::string Saved(const std::string& name) const { return ReadFileBytes(target / name); }
    std::string Folder() const { return WithTrailingDelimiter(target.string(), TCodePage(932)); }
    std::string Record(const std::string& mailId, const std::string& header)
    {
        host.Current = mailId;
        return host.GetSpecifiedHeader(header);
    }
    // What is wrong with the source handed to the host for the mail, which
    // should be its stored source without the named parts.
    std::string IntegrityOf(const std::string& mailId, const std::vector<std::string>& removedNames)
    {
        std::vector<std::vector<int>> removed;
        for (const std::string& name : removedNames)
            removed.push_back({static_cast<int>(partNo.at(mailId + "/" + name))});
        return IntegrityFault(sources[mailId], written[mailId], removed);
    }
    // The names Python's email package finds attached in the mail now, and
    // that it finds no defect.
    std::vector<std::string> AttachedNow(const std::string& mailId)
    {
        const auto report = PythonEmailReport(host.Mails[mailId]);
        EXPECT_EQ(LinesAfter(report, "defects "), std::vector<std::string>{"0"}) << mailId;
        return LinesAfter(report, "attachment ");
    }

    std::filesystem::path target;
    TSaveOptions options;
    TMailList list;
    TRecordingDetachWindow window{list};
    std::vector<TListPosItem> rows;
    std::map<std::string, std::string> sources, written, expected;
    std::map<std::string, std::size_t> partNo;
};

using V = TDetachVerdict;

TEST_F(DetachCommandTest, ExactlyTheSavedAndCheckedAttachmentsLeaveTheirMails)
{
    AddMail({"a.bin", "b.bin"});  // a.bin exists in the folder: answered No
    AddMail({"c.bin", "u.odd"});  // u.odd cannot be decoded
    AddMail({"r.bin", "e.bin"});  // r.bin exists and is read-only: answered Yes, not written
    TMailItem& untouched = AddMail({"x.bin", "y.bin"});
    untouched.Attachments[0]->Marked = false;
    untouched.Attachments[1]->Visible = false;  // hidden by the view: neither saved nor removed
    WriteBytesToFile((target / "a.bin").string(), "mine");
    WriteBytesToFile((target / "r.bin").string(), "protected");
    std::filesystem::permissions(target / "r.bin", std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    window.Answers = {TOverwriteAnswer::Yes, TOverwriteAnswer::No};
    Detach();

    EXPECT_EQ(window.FolderOffered, "old");
    EXPECT_EQ(window.Asked, (std::vector<std::string>{"r.bin", "a.bin"}));
    EXPECT_EQ(window.Events, (std::vector<std::string>{"begin", "saving", "removing", "reset", "rebuild", "end",
                                                       "savedir", "report"}));
    // Saving is the first half of the bar, checking and removing the second.
    EXPECT_EQ(window.Progress,
              (std::vector<std::string>{"8%", "17%", "25%", "33%", "42%", "50%", "67%", "83%", "100%"}));
    EXPECT_EQ(window.SaveDir, Folder());

    EXPECT_EQ(Saved("b.bin"), expected["box/inbox/?1/b.bin"]);
    EXPECT_EQ(Saved("c.bin"), expected["box/inbox/?2/c.bin"]);
    EXPECT_EQ(Saved("e.bin"), expected["box/inbox/?3/e.bin"]);
    EXPECT_EQ(Saved("a.bin"), "mine");
    EXPECT_EQ(Saved("r.bin"), "protected");
    EXPECT_FALSE(std::filesystem::exists(target / "u.odd"));
    EXPECT_TRUE(host.TempFilesLeft().empty());

    EXPECT_EQ(host.SetSourceCalls, 3);
    EXPECT_EQ(IntegrityOf("box/inbox/?1", {"b.bin"}), "");
    EXPECT_EQ(IntegrityOf("box/inbox/?2", {"c.bin"}), "");
    EXPECT_EQ(IntegrityOf("box/inbox/?3", {"e.bin"}), "");
    EXPECT_EQ(host.Mails["box/inbox/?4"], sources["box/inbox/?4"]);
    EXPECT_EQ(AttachedNow("box/inbox/?1"), std::vector<std::string>{"a.bin"});
    EXPECT_EQ(AttachedNow("box/inbox/?2"), std::vector<std::string>{"u.odd"});
    EXPECT_EQ(AttachedNow("box/inbox/?3"), std::vector<std::string>{"r.bin"});
    EXPECT_EQ(Record("box/inbox/?1", kRemovedAttachmentHeader), "\"b.bin\"");
    EXPECT_EQ(Record("box/inbox/?1", kDetachedAttachmentHeader), QuotedNameList({Folder() + "b.bin"}));
    EXPECT_EQ(Record("box/inbox/?3", kDetachedAttachmentHeader), QuotedNameList({Folder() + "e.bin"}));

    // What stayed is still listed and marked; the catalogue follows the mails.
    EXPECT_EQ(list.AttachCount, 5);
    for (std::size_t m = 0; m < 3; ++m) {
        ASSERT_EQ(list[m].Attachments.size(), 1u);
        EXPECT_TRUE(list[m].Attachments[0]->Marked);
        EXPECT_EQ(list[m].Attachments[0]->PartNo, 2);
    }
    EXPECT_TRUE(untouched.Attachments[1]->Marked);

    EXPECT_EQ(Names(window.Report.Detached), (std::vector<std::string>{"e.bin", "c.bin", "b.bin"}));
    EXPECT_TRUE(window.Report.SavedButKept.empty());
    EXPECT_EQ(Names(window.Report.NotSaved), (std::vector<std::string>{"r.bin", "u.odd", "a.bin"}));
    EXPECT_EQ(Verdicts(window.Report.NotSaved), (std::vector<V>{V::WriteFailed, V::Undecodable, V::AnsweredNo}));
    EXPECT_NE(window.Report.NotSaved[0].Detail.find("r.bin"), std::string::npos);
    EXPECT_EQ(window.Report.Folder, Folder());
}

TEST_F(DetachCommandTest, AFileThatChangesOrGoesBeforeItIsCheckedKeepsItsAttachment)
{
    AddMail({"a.bin", "b.bin", "c.bin"});
    window.OnPhase = [this](TDetachPhase phase) {
        if (phase != TDetachPhase::Removing) return;
        WriteBytesToFile((target / "a.bin").string(), "changed");
        std::filesystem::remove(target / "b.bin");
    };
    Detach();
    EXPECT_EQ(IntegrityOf("box/inbox/?1", {"c.bin"}), "");
    EXPECT_EQ(AttachedNow("box/inbox/?1"), (std::vector<std::string>{"a.bin", "b.bin"}));
    EXPECT_EQ(Record("box/inbox/?1", kRemovedAttachmentHeader), "\"c.bin\"");
    EXPECT_EQ(Names(window.Report.Detached), std::vector<std::string>{"c.bin"});
    EXPECT_EQ(Names(window.Report.SavedButKept), (std::vector<std::string>{"a.bin", "b.bin"}));
    EXPECT_EQ(Verdicts(window.Report.SavedButKept), (std::vector<V>{V::SavedFileChanged, V::SavedFileMissing}));
    ASSERT_EQ(list[0].Attachments.size(), 2u);
    EXPECT_TRUE(list[0].Attachments[0]->Marked && list[0].Attachments[1]->Marked);

    // Nothing checks out: the mail is not rewritten at all.
    window.OnPhase = [this](TDetachPhase phase) {
        if (phase == TDetachPhase::Removing) std::filesystem::remove_all(target), std::filesystem::create_directories(target);
    };
    host.SetSourceCalls = 0;
    window.Answers = {TOverwriteAnswer::YesToAll};
    Detach();
    EXPECT_EQ(host.SetSourceCalls, 0);
    EXPECT_EQ(Verdicts(window.Report.SavedButKept), (std::vector<V>{V::SavedFileMissing, V::SavedFileMissing}));
}

TEST_F(DetachCommandTest, AFileReplacedByALaterAttachmentOfTheSameNameKeepsTheEarlierOne)
{
    AddMail({"same.bin"});
    AddMail({"same.bin"});
    window.Answers = {TOverwriteAnswer::Yes};
    Detach();  // mail 2 is listed first, then mail 1 replaces its file
    EXPECT_EQ(window.Asked, std::vector<std::string>{"same.bin"});
    EXPECT_EQ(Saved("same.bin"), expected["box/inbox/?1/same.bin"]);
    EXPECT_EQ(AttachedNow("box/inbox/?1"), std::vector<std::string>{});
    EXPECT_EQ(AttachedNow("box/inbox/?2"), std::vector<std::string>{"same.bin"});
    EXPECT_EQ(Verdicts(window.Report.SavedButKept), std::vector<V>{V::SavedFileChanged});
    EXPECT_EQ(window.Report.SavedButKept[0].Text.substr(0, 10), "2024/01/04");
}

TEST_F(DetachCommandTest, NumberedFilesAreDetachedUnderTheNamesTheyGotAndCarryTheirMailsDates)
{
    const TTimeZone japan("JST-9");
    options.NumberSameNames = true;
    AddMail({"same.bin"});
    AddMail({"same.bin", "other.bin"});
    WriteBytesToFile((target / "other.bin").string(), "mine");
    Detach();
    EXPECT_TRUE(window.Asked.empty());
    EXPECT_EQ(Saved("same.bin"), expected["box/inbox/?2/same.bin"]);
    EXPECT_EQ(Saved("same (2).bin"), expected["box/inbox/?1/same.bin"]);
    EXPECT_EQ(Saved("other (2).bin"), expected["box/inbox/?2/other.bin"]);
    EXPECT_EQ(Record("box/inbox/?2", kDetachedAttachmentHeader),
              "\"" + Folder() + "same.bin\",\r\n \"" + Folder() + "other (2).bin\"");
    EXPECT_EQ(Record("box/inbox/?1", kDetachedAttachmentHeader), "\"" + Folder() + "same (2).bin\"");
    EXPECT_EQ(Names(window.Report.Detached), (std::vector<std::string>{"same.bin", "other.bin", "same.bin"}));
    EXPECT_EQ(window.Report.Detached[1].SavedName, "other (2).bin");
    EXPECT_EQ(window.Report.Detached[2].SavedName, "same (2).bin");
    struct stat info {};
    ASSERT_EQ(::stat((target / "same (2).bin").c_str(), &info), 0);
    EXPECT_EQ(info.st_mtime, 1704283200);
}

TEST_F(DetachCommandTest, EscWhileSavingStopsBeforeTheNextFileAndRemovesNothing)
{
    AddMail({"a.bin", "b.bin"});
    AddMail({"c.bin"});
    int pumps = 0;
    window.OnPump = [&](TDetachPhase) { window.Stop = ++pumps == 3; };
    Detach();  // c.bin and a.bin are saved; Esc before b.bin
    EXPECT_TRUE(std::filesystem::exists(target / "c.bin"));
    EXPECT_TRUE(std::filesystem::exists(target / "a.bin"));
    EXPECT_FALSE(std::filesystem::exists(target / "b.bin"));
    EXPECT_EQ(host.SetSourceCalls, 0);
    EXPECT_EQ(window.Events,
              (std::vector<std::string>{"begin", "saving", "reset", "rebuild", "end", "savedir", "report"}));
    EXPECT_EQ(Names(window.Report.SavedButKept), (std::vector<std::string>{"c.bin", "a.bin"}));
    EXPECT_EQ(Verdicts(window.Report.SavedButKept), (std::vector<V>{V::StoppedBeforeRemoval, V::StoppedBeforeRemoval}));
    EXPECT_EQ(Verdicts(window.Report.NotSaved), std::vector<V>{V::StoppedBeforeSave});
    EXPECT_EQ(list.AttachCount, 3);

    // Cancel at the overwrite question stops the same way.
    window.OnPump = nullptr;
    window.Stop = false;
    window.Answers = {TOverwriteAnswer::Cancel};
    Detach();
    EXPECT_EQ(host.SetSourceCalls, 0);
    EXPECT_EQ(Verdicts(window.Report.NotSaved), (std::vector<V>{V::StoppedBeforeSave, V::StoppedBeforeSave, V::StoppedBeforeSave}));
}

TEST_F(DetachCommandTest, EscWhileRemovingStopsBeforeTheNextMail)
{
    AddMail({"a.bin"});
    AddMail({"b.bin"});
    int removing = 0;
    window.OnPump = [&](TDetachPhase phase) { window.Stop = phase == TDetachPhase::Removing && ++removing == 2; };
    Detach();
    EXPECT_EQ(host.SetSourceCalls, 1);
    EXPECT_EQ(AttachedNow("box/inbox/?1"), std::vector<std::string>{});
    EXPECT_EQ(host.Mails["box/inbox/?2"], sources["box/inbox/?2"]);
    EXPECT_EQ(Names(window.Report.Detached), std::vector<std::string>{"a.bin"});
    EXPECT_EQ(Verdicts(window.Report.SavedButKept), std::vector<V>{V::StoppedBeforeRemoval});
    ASSERT_EQ(list[1].Attachments.size(), 1u);
    EXPECT_TRUE(list[1].Attachments[0]->Marked);
}

TEST_F(DetachCommandTest, AMailWhosePartsAllLeaveKeepsANoteInTheWindowsLanguage)
{
    AddMail({"p.bin", "q.bin"}, false);
    window.Locale = kJapaneseLocaleID;
    Detach();
    const std::string& stored = host.Mails["box/inbox/?1"];
    EXPECT_EQ(Names(window.Report.Detached), (std::vector<std::string>{"p.bin", "q.bin"}));
    EXPECT_EQ(IntegrityOf("box/inbox/?1", {"p.bin", "q.bin"}), "");
    EXPECT_TRUE(AttachedNow("box/inbox/?1").empty());
    EXPECT_NE(stored.find(RemovalNoteText(kJapaneseLocaleID)), std::string::npos) << stored;
    EXPECT_EQ(stored.find(RemovalNoteText(kEnglishLocaleID)), std::string::npos) << stored;
    EXPECT_EQ(Record("box/inbox/?1", kDetachedAttachmentHeader),
              FoldRemovedNames(QuotedNameList({Folder() + "p.bin", Folder() + "q.bin"})));
}

TEST_F(DetachCommandTest, APartThatMovedSinceTheListWasMadeStaysAndKeepsItsMarkThroughTheNewScan)
{
    AddMail({"a.bin", "b.bin", "h.bin"});
    AddMail({"c.bin"});
    list[0].Attachments[2]->Visible = false;  // marked, hidden: not part of the run
    window.OnPhase = [this](TDetachPhase phase) {
        // Another header line in b.bin's part: it decodes as before, but no
        // longer is the part the list knows.
        if (phase != TDetachPhase::Removing) return;
        std::string& source = host.Mails["box/inbox/?1"];
        const std::size_t part = source.find("Content-Type: application/octet-stream;\r\n name=\"b.bin\"");
        source.insert(part, "X-Note: moved\r\n");
    };
    window.OnScan = [this] {
        // A new scan knows nothing of the marks.
        DropRemovedAttachments(list);
        for (std::size_t m = 0; m < list.Count(); ++m)
            for (const auto& attachment : list[m].Attachments) attachment->Marked = false;
    };
    Detach();
    EXPECT_EQ(window.Events, (std::vector<std::string>{"begin", "saving", "removing", "reset", "scan", "rebuild",
                                                       "end", "savedir", "report"}));
    // a.bin is still where the list has it, and its file holds it.
    EXPECT_EQ(Names(window.Report.Detached), (std::vector<std::string>{"c.bin", "a.bin"}));
    EXPECT_EQ(Names(window.Report.SavedButKept), std::vector<std::string>{"b.bin"});
    EXPECT_EQ(Verdicts(window.Report.SavedButKept), std::vector<V>{V::MailChanged});
    EXPECT_EQ(AttachedNow("box/inbox/?1"), (std::vector<std::string>{"b.bin", "h.bin"}));
    ASSERT_EQ(list[0].Attachments.size(), 2u);
    for (const auto& attachment : list[0].Attachments) EXPECT_TRUE(attachment->Marked) << attachment->FileName;
    EXPECT_TRUE(list[1].Attachments.empty());
}

TEST_F(DetachCommandTest, AnErrorWhileAMailIsStoredIsPassedOnAfterTheWindowIsBackAndTheReportShown)
{
    AddMail({"a.bin"});
    AddMail({"b.bin"});
    host.StoreSource = [](const std::string& source) { return source + "mangled"; };
    EXPECT_THROW(Detach(), EMailNotStored);
    EXPECT_EQ(window.Events, (std::vector<std::string>{"begin", "saving", "removing", "reset", "scan", "rebuild",
                                                       "end", "savedir", "report"}));
    EXPECT_EQ(host.SetSourceCalls, 1);
    EXPECT_EQ(Verdicts(window.Report.SavedButKept), (std::vector<V>{V::StoppedBeforeRemoval, V::RewriteFailed}));
    EXPECT_FALSE(window.Report.SavedButKept[1].Detail.empty());
    EXPECT_TRUE(list[0].Attachments[0]->Marked && list[1].Attachments[0]->Marked);
}

TEST_F(DetachCommandTest, NothingMarkedOrNoFolderChosenDoesNothing)
{
    AddMail({"a.bin"});
    window.Chosen.clear();
    Detach();
    EXPECT_EQ(window.FolderOffered, "old");
    list[0].Attachments[0]->Marked = false;
    window.FolderOffered.clear();
    window.Chosen = target.string();
    Detach();
    EXPECT_EQ(window.FolderOffered, "");
    EXPECT_TRUE(window.Events.empty());
    EXPECT_TRUE(std::filesystem::is_empty(target));
}

}  // namespace
}  // namespace quillbox
