// What a detach decides for each attachment, and the report of it.
#include "operations/detach_plan.h"

#include <gtest/gtest.h>

#include <set>

#include "catalogue/mail_date.h"
#include "operations/operation_messages.h"

namespace quillbox {
namespace {

struct TCase {
    TSaveOutcome Save;
    TCheckOutcome Check;
    TCutOutcome Cut;
    TDetachVerdict Verdict;
};

TEST(DetachPlan, OnlyASavedFileThatHoldsThePartLetsItLeaveItsMail)
{
    using S = TSaveOutcome;
    using C = TCheckOutcome;
    using R = TCutOutcome;
    using V = TDetachVerdict;
    const TCase cases[] = {
        {S::Saved, C::Identical, R::Cut, V::Detached},
        // Not saved: whatever else happened, it stays.
        {S::NotReached, C::NotReached, R::NotReached, V::StoppedBeforeSave},
        {S::AnsweredNo, C::NotReached, R::NotReached, V::AnsweredNo},
        {S::Undecodable, C::NotReached, R::NotReached, V::Undecodable},
        {S::WriteFailed, C::Identical, R::Cut, V::WriteFailed},
        {S::Unreadable, C::NotReached, R::NotReached, V::Unreadable},
        // Saved, but the file does not hold the part.
        {S::Saved, C::FileChanged, R::NotReached, V::SavedFileChanged},
        {S::Saved, C::FileMissing, R::NotReached, V::SavedFileMissing},
        {S::Saved, C::Failed, R::NotReached, V::CheckFailed},
        {S::Saved, C::PartMoved, R::NotReached, V::MailChanged},
        {S::Saved, C::NotReached, R::NotReached, V::StoppedBeforeRemoval},
        // Saved and checked, but the mail was not cut.
        {S::Saved, C::Identical, R::NotReached, V::StoppedBeforeRemoval},
        {S::Saved, C::Identical, R::MailChanged, V::MailChanged},
        {S::Saved, C::Identical, R::TooManyParts, V::TooManyParts},
        {S::Saved, C::Identical, R::Failed, V::RewriteFailed},
    };
    for (const TCase& c : cases) {
        TDetachEntry entry;
        entry.Save = c.Save, entry.Check = c.Check, entry.Cut = c.Cut;
        EXPECT_EQ(VerdictOf(entry), c.Verdict) << static_cast<int>(c.Save) << static_cast<int>(c.Check);
        EXPECT_EQ(MayCut(entry), c.Save == S::Saved && c.Check == C::Identical);
        EXPECT_EQ(SectionOf(c.Verdict) == TReportSection::Detached, c.Verdict == V::Detached);
    }
    EXPECT_EQ(SectionOf(V::MailChanged), TReportSection::SavedButKept);
    EXPECT_EQ(SectionOf(V::TooManyParts), TReportSection::SavedButKept);
    EXPECT_EQ(SectionOf(V::StoppedBeforeRemoval), TReportSection::SavedButKept);
    EXPECT_EQ(SectionOf(V::AnsweredNo), TReportSection::NotSaved);
    EXPECT_EQ(SectionOf(V::StoppedBeforeSave), TReportSection::NotSaved);
}

class DetachReport : public ::testing::Test {
protected:
    TDetachEntry& Add(const std::string& fileName, TSaveOutcome save, TCheckOutcome check, TCutOutcome cut)
    {
        auto attachment = std::make_unique<TAttachment>();
        attachment->FileName = fileName;
        TDetachEntry& entry = entries.emplace_back();
        entry.Mail = &mail;
        entry.Attachment = attachment.get();
        entry.SavedName = fileName;
        entry.Save = save, entry.Check = check, entry.Cut = cut;
        mail.Attachments.push_back(std::move(attachment));
        return entry;
    }

    TMailItem mail;
    std::vector<TDetachEntry> entries;
};

TEST_F(DetachReport, EachAttachmentIsListedInItsSectionWithItsReason)
{
    mail.Subject = "Hello";
    mail.Date = DateFromUnixTime(1704283200);  // 2024/01/03 12:00 + 9 hours
    Add("a.bin", TSaveOutcome::Saved, TCheckOutcome::Identical, TCutOutcome::Cut);
    Add("b.bin", TSaveOutcome::Saved, TCheckOutcome::Identical, TCutOutcome::Cut).SavedName = "b (2).bin";
    Add("c.bin", TSaveOutcome::Saved, TCheckOutcome::FileChanged, TCutOutcome::NotReached);
    Add("d.bin", TSaveOutcome::WriteFailed, TCheckOutcome::NotReached, TCutOutcome::NotReached).Detail = "denied";
    Add("e.bin", TSaveOutcome::AnsweredNo, TCheckOutcome::NotReached, TCutOutcome::NotReached).SavedName = "e.bin";

    const TDetachReport report = ReportOf(entries, "Z:\\out\\", '-');
    EXPECT_FALSE(report.AllDetached());
    ASSERT_EQ(report.Detached.size(), 2u);
    ASSERT_EQ(report.SavedButKept.size(), 1u);
    ASSERT_EQ(report.NotSaved.size(), 2u);
    EXPECT_EQ(report.Detached[0].Text, "2024-01-03\tHello\ta.bin");
    EXPECT_EQ(report.Detached[0].SavedName, "");
    EXPECT_EQ(report.Detached[1].SavedName, "b (2).bin");
    EXPECT_EQ(report.SavedButKept[0].Verdict, TDetachVerdict::SavedFileChanged);
    EXPECT_EQ(report.NotSaved[0].Detail, "denied");
    EXPECT_EQ(report.NotSaved[1].SavedName, "");  // asked about, never saved

    const TDetachTexts english = DetachTextsFor(kEnglishLocaleID);
    EXPECT_EQ(DetachReportText(english, report),
              "Saved to the folder Z:\\out\\\r\n"
              "\r\nSaved, then deleted from their messages:\r\n"
              "2024-01-03\tHello\ta.bin\r\n"
              "2024-01-03\tHello\tb.bin saved as b (2).bin\r\n"
              "\r\nSaved, but left in their messages:\r\n"
              "2024-01-03\tHello\tc.bin\tthe saved file does not hold the attachment's bytes\r\n"
              "\r\nNot saved, so left in their messages:\r\n"
              "2024-01-03\tHello\td.bin\tthe file could not be written (denied)\r\n"
              "2024-01-03\tHello\te.bin\ta file of that name was not replaced\r\n");

    // Japanese: the same layout with the Japanese texts, and no section without lines.
    const TDetachTexts japanese = DetachTextsFor(kJapaneseLocaleID);
    const TDetachReport detachedOnly = ReportOf({entries[0]}, "Z:\\out\\", '/');
    EXPECT_TRUE(detachedOnly.AllDetached());
    EXPECT_EQ(DetachReportText(japanese, detachedOnly), japanese.Folder + "Z:\\out\\\r\n\r\n" + japanese.Detached +
                                                            "\r\n2024/01/03\tHello\ta.bin\r\n");
    EXPECT_NE(japanese.Detached, english.Detached);
}

TEST_F(DetachReport, EveryReasonHasATextInBothLanguages)
{
    for (const int locale : {kJapaneseLocaleID, kEnglishLocaleID}) {
        const TDetachTexts texts = DetachTextsFor(locale);
        std::set<std::string> reasons;
        for (const std::string* text :
             {&texts.SavedFileMissing, &texts.SavedFileChanged, &texts.CheckFailed, &texts.MailChanged,
              &texts.RewriteFailed, &texts.StoppedBeforeRemoval, &texts.AnsweredNo, &texts.Undecodable,
              &texts.WriteFailed, &texts.Unreadable, &texts.StoppedBeforeSave})
            EXPECT_TRUE(reasons.insert(*text).second) << locale << " " << *text;
        EXPECT_FALSE(reasons.count(""));
    }
}

TEST_F(DetachReport, ALongSectionIsCutWithACountOfTheRest)
{
    for (std::size_t i = 0; i < kMaxDetachReportLines + 3; ++i)
        Add("f" + std::to_string(i), TSaveOutcome::Undecodable, TCheckOutcome::NotReached, TCutOutcome::NotReached);
    const std::string text = DetachReportText(DetachTextsFor(kEnglishLocaleID), ReportOf(entries, "F\\", '/'));
    EXPECT_NE(text.find("\tf19\t"), std::string::npos);
    EXPECT_EQ(text.find("\tf20\t"), std::string::npos);
    EXPECT_NE(text.find("\r\n... and 3 more\r\n"), std::string::npos);
}

}  // namespace
}  // namespace quillbox
