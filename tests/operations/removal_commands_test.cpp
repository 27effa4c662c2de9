#include "operations/removal_commands.h"

#include "mime/mime_tree.h"
#include "operations/remove_parts.h"
#include "operations/renumber.h"
#include "operations_fixture.h"
#include "removal_integrity.h"

namespace quillbox {
namespace {

using namespace quillbox::testing;

class TRecordingRemovalWindow : public TRemovalWindow, public TProgressDisplay {
public:
    explicit TRecordingRemovalWindow(TMailList& list) : list_(list) {}
    bool ConfirmRemoveMarked() override { return Log("confirm"), Yes; }
    bool ConfirmRemoveOne(const std::string& fileName) override { return Log("confirm " + fileName), Yes; }
    void BeginRemoval(bool bulk) override { Log(bulk ? "begin bulk" : "begin one"); }
    void ShowProgress(const std::string& text, int position) override
    {
        Progress.push_back(text);
        EXPECT_EQ(std::stoi(text), position);
    }
    void ResetProgress() override { Log("reset"); }
    void RebuildView() override { Log("rebuild"), DropRemovedAttachments(list_); }
    void ScanFolder() override
    {
        Log("scan");
        if (ScanFails) throw std::runtime_error("index unreadable");
    }
    void EndRemoval() override { Log("end"); }
    void ReportNotRemoved(const std::vector<std::string>& lines) override { NotRemoved = lines, Log("not removed"); }
    TRunLocale Locale{'-', kEnglishLocaleID};

    bool Yes = true;
    bool ScanFails = false;
    std::vector<std::string> Events, Progress, NotRemoved;

private:
    void Log(const std::string& what) { Events.push_back(what); }
    TMailList& list_;
};

class RemovalCommandsTest : public OperationsTest {
protected:
    // Mails each with a text part and two marked, listed attachments.
    void AddMails(int count)
    {
        std::vector<std::unique_ptr<TMailItem>> mails;
        for (int i = 0; i < count; ++i) {
            TTestMail mail;
            mail.Parts = {TextPart("Hi\r\n"), SevenBitPart("a.txt", "a\r\n"), SevenBitPart("b.txt", "b\r\n")};
            auto item = Store(mail, "box/inbox/?" + std::to_string(i));
            for (const auto& attachment : item->Attachments) attachment->Marked = true;
            mails.push_back(std::move(item));
        }
        list.AddInDateOrder(std::move(mails));
        list.MarkCount = 2 * count;
        list.AttachCount = 2 * count;
    }

    TMailList list;
    TRecordingRemovalWindow window{list};
};

TEST_F(RemovalCommandsTest, MarkedVisibleAttachmentsGoOneRewritePerMailWithProgress)
{
    AddMails(3);
    list[1].Attachments[1]->Visible = false;  // hidden by the view: stays
    list.MarkCount = 5;
    RemoveMarked(list, host, window, window, window.Locale);
    EXPECT_EQ(window.Progress, (std::vector<std::string>{"40%", "60%", "100%"}));
    EXPECT_EQ(host.SetSourceCalls, 3);
    EXPECT_EQ(window.Events, (std::vector<std::string>{"confirm", "begin bulk", "reset", "rebuild", "end"}));
    EXPECT_EQ(list.AttachCount, 1);
    ASSERT_EQ(list[1].Attachments.size(), 1u);
    EXPECT_EQ(list[1].Attachments[0]->PartNo, 2);
    host.Current = list[0].MailID;
    EXPECT_EQ(host.GetSpecifiedHeader("X-Removed-Attachment"), "\"a.txt\",\r\n \"b.txt\"");
}

TEST_F(RemovalCommandsTest, NoMeansNothingChanges)
{
    AddMails(1);
    window.Yes = false;
    RemoveMarked(list, host, window, window, window.Locale);
    RemoveOne(list[0], *list[0].Attachments[0], host, window, window.Locale);
    EXPECT_EQ(window.Events, (std::vector<std::string>{"confirm", "confirm a.txt"}));
    EXPECT_FALSE(list[0].Attachments[0]->Removed);
    EXPECT_EQ(host.SetSourceCalls, 0);
}

TEST_F(RemovalCommandsTest, AMailLeftUntouchedMakesTheFolderBeReadAgain)
{
    AddMails(2);
    host.Mails[list[0].MailID] = "Subject: no longer multipart\r\n\r\nbody\r\n";
    RemoveMarked(list, host, window, window, window.Locale);
    EXPECT_EQ(host.SetSourceCalls, 1);  // the other mail is still done
    EXPECT_EQ(window.Events, (std::vector<std::string>{"confirm", "begin bulk", "reset", "scan", "end"}));

    window.Events.clear();
    AddMails(1);
    host.Mails[list[2].MailID] = "Subject: gone\r\n\r\n";
    RemoveOne(list[2], *list[2].Attachments[0], host, window, window.Locale);
    EXPECT_EQ(window.Events, (std::vector<std::string>{"confirm a.txt", "begin one", "reset", "scan", "end"}));
}

TEST_F(RemovalCommandsTest, AnErrorStopsTheRunAndTheFolderIsReadAgain)
{
    AddMails(3);
    host.StoreSource = [](const std::string& source) { return source + "mangled"; };
    EXPECT_THROW(RemoveMarked(list, host, window, window, window.Locale), EMailNotStored);
    EXPECT_EQ(host.SetSourceCalls, 1);
    EXPECT_EQ(window.Events, (std::vector<std::string>{"confirm", "begin bulk", "reset", "scan", "end"}));
}

TEST_F(RemovalCommandsTest, AFailingRescanStillLeavesTheWindowEnabled)
{
    AddMails(2);
    window.ScanFails = true;
    host.StoreSource = [](const std::string& source) { return source + "mangled"; };
    // The removal's own error is the one passed on.
    EXPECT_THROW(RemoveMarked(list, host, window, window, window.Locale), EMailNotStored);
    EXPECT_EQ(window.Events, (std::vector<std::string>{"confirm", "begin bulk", "reset", "scan", "end"}));

    window.Events.clear();
    host.StoreSource = nullptr;
    host.Mails[list[1].MailID] = "Subject: gone\r\n\r\n";
    EXPECT_THROW(RemoveOne(list[1], *list[1].Attachments[0], host, window, window.Locale), std::runtime_error);
    EXPECT_EQ(window.Events, (std::vector<std::string>{"confirm a.txt", "begin one", "reset", "scan", "end"}));
}

TEST_F(RemovalCommandsTest, NestedPartsAndAWholeMailGoAMailTooBigToReadIsReported)
{
    // A nested attachment beside a top-level one, a mail that is one
    // attachment, and one with more parts than the reader reads, whose
    // attachment stays listed and marked.
    const std::string nested = "Content-Type: multipart/mixed; boundary=\"in\"\r\n\r\n--in\r\n"
                               "Content-Type: application/pdf; name=\"n.pdf\"\r\n\r\nPDF\r\n--in--\r\n";
    TTestMail mail;
    mail.Parts = {TextPart("Hi\r\n"), {nested, "", ""}, SevenBitPart("a.txt", "a\r\n")};
    host.Mails["box/inbox/?0"] = mail.Source();
    host.Mails["box/inbox/?1"] = "Subject: one\r\nContent-Type: application/pdf\r\nContent-Disposition: attachment\r\n"
                                 "Content-Transfer-Encoding: base64\r\n\r\nJVBERg==\r\n";
    TTestMail big;
    big.Parts.push_back(SevenBitPart("big.txt", "x\r\n"));
    big.Parts.resize(TMimeTree::kMaxParts + 1, TextPart("t\r\n"));
    host.Mails["box/inbox/?2"] = big.Source();
    std::vector<std::unique_ptr<TMailItem>> mails;
    for (const std::string id : {"box/inbox/?0", "box/inbox/?1", "box/inbox/?2"}) {
        mails.push_back(id == "box/inbox/?2" ? big.Item(id) : CatalogueOf(host, id));
        mails.back()->Subject = id.substr(11);
    }
    ASSERT_EQ(mails[0]->Attachments.size(), 2u);
    ASSERT_EQ(mails[1]->Attachments.size(), 1u);
    list.AddInDateOrder(std::move(mails));
    for (std::size_t m = 0; m < list.Count(); ++m)
        for (const auto& attachment : list[m].Attachments) attachment->Marked = attachment->Visible = true;
    list.MarkCount = list.AttachCount = 4;
    const std::string bigBefore = host.Mails["box/inbox/?2"];

    RemoveMarked(list, host, window, window, window.Locale);
    EXPECT_EQ(window.Events,
              (std::vector<std::string>{"confirm", "begin bulk", "reset", "rebuild", "end", "not removed"}));
    EXPECT_EQ(window.NotRemoved, (std::vector<std::string>{"1899-12-30\t2\tbig.txt"}));
    EXPECT_EQ(host.Mails["box/inbox/?2"], bigBefore);
    EXPECT_EQ(list.AttachCount, 1);
    for (std::size_t m = 0; m < list.Count(); ++m)
        EXPECT_EQ(list[m].Attachments.size(), list[m].MailID == "box/inbox/?2" ? 1u : 0u) << list[m].MailID;
    const std::string& flattened = host.Mails["box/inbox/?0"];
    EXPECT_EQ(flattened.substr(flattened.find("\r\n\r\n")), "\r\n\r\nHi\r\n");
    // The mail that was one attachment is now a text mail that says so.
    const std::string& whole = host.Mails["box/inbox/?1"];
    EXPECT_EQ(whole.find("application/pdf"), std::string::npos);
    EXPECT_EQ(whole.find("Content-Disposition"), std::string::npos);
    EXPECT_NE(whole.find("Content-Type: text/plain"), std::string::npos);
    EXPECT_NE(whole.find("\r\n\r\nThese attachments were removed on "), std::string::npos);
}

TEST_F(RemovalCommandsTest, RemoveOneRewritesTheMailAndRebuilds)
{
    AddMails(1);
    RemoveOne(list[0], *list[0].Attachments[1], host, window, window.Locale);
    EXPECT_EQ(window.Events, (std::vector<std::string>{"confirm b.txt", "begin one", "reset", "rebuild", "end"}));
    EXPECT_TRUE(window.Progress.empty());
    ASSERT_EQ(list[0].Attachments.size(), 1u);
    EXPECT_EQ(list[0].Attachments[0]->FileName, "a.txt");
}

}  // namespace
}  // namespace quillbox
