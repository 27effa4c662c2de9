#include <gtest/gtest.h>

#include <random>

#include "catalogue/listing/row_order.h"
#include "catalogue/listing/row_filter.h"
#include "catalogue_builder.h"

namespace quillbox {
namespace {

using testing::CatalogueBuilder;

TListingSettings View(int sortTarget, int showOrder, int showType = 3)
{
    TListingSettings settings;
    settings.SortTarget = sortTarget;
    settings.ShowOrder = showOrder;
    settings.ShowType = showType;
    return settings;
}

std::vector<std::string> Names(const TRowList& rows)
{
    std::vector<std::string> names;
    for (const auto& row : rows) names.push_back(row.Attachment->FileName);
    return names;
}

// The ordering as users have always seen it: every visible attachment, in
// catalogue order, is inserted into the growing list, walking back from the
// end past the entries that must come after it.
TRowList InsertionOrder(TMailList& mails, int sortTarget, int showOrder)
{
    TRowList rows;
    for (const TListPosItem& item : VisibleRows(mails)) {
        const auto mustFollow = [&](const TListPosItem& entry) {
            if (sortTarget == 1 && showOrder == 1) return entry.Mail->Date > item.Mail->Date;
            if (sortTarget == 2 && showOrder == 1) return entry.Attachment->Size > item.Attachment->Size;
            if (sortTarget == 1) return entry.Mail->Date < item.Mail->Date;
            return entry.Attachment->Size < item.Attachment->Size;
        };
        std::size_t i = rows.size();
        while (i > 0 && mustFollow(rows[i - 1])) --i;
        rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(i), item);
    }
    return rows;
}

bool SameRows(const TRowList& a, const TRowList& b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].MailIndex != b[i].MailIndex || a[i].AttachIndex != b[i].AttachIndex ||
            a[i].Attachment != b[i].Attachment || a[i].Mail != b[i].Mail)
            return false;
    }
    return true;
}

TEST(RowOrder, EqualsTheInsertionOnRandomCataloguesWithManyTies)
{
    std::mt19937 random(20261208);
    for (int round = 0; round < 200; ++round) {
        CatalogueBuilder catalogue;
        const int mailCount = std::uniform_int_distribution<>(0, 40)(random);
        for (int m = 0; m < mailCount; ++m) {
            // Few distinct dates and sizes, so that most keys tie.
            const double date = 45000 + std::uniform_int_distribution<>(0, 5)(random) * 0.25;
            std::vector<testing::AttachmentSpec> parts(std::uniform_int_distribution<>(1, 4)(random));
            for (auto& part : parts) {
                part.FileName = "f" + std::to_string(m) + ".bin";
                part.Size = std::uniform_int_distribution<>(-2, 6)(random) * 1000;
            }
            catalogue.AddMail(date, "m" + std::to_string(m), parts);
        }
        for (std::size_t m = 0; m < catalogue.mails.Count(); ++m) {
            for (auto& attachment : catalogue.mails[m].Attachments)
                attachment->Visible = random() % 4 != 0;
        }
        // Sort keys other than size act as date; orders other than ascending descend.
        for (int target : {1, 2, 0, 3}) {
            for (int order : {1, 2, 0, 7}) {
                const TRowList expected =
                    InsertionOrder(catalogue.mails, target == 2 ? 2 : 1, order == 1 ? 1 : 2);
                ASSERT_TRUE(SameRows(OrderedRows(catalogue.mails, View(target, order)), expected))
                    << "round " << round << ", SortTarget " << target << ", ShowOrder " << order;
            }
        }
    }
}

TEST(RowOrder, EqualSizesKeepTheirArrivalOrder)
{
    CatalogueBuilder catalogue;
    catalogue.AddMail(45001, "b", {{"thirty-2", 30}, {"twenty", 20}, {"hidden", 5}});
    catalogue.AddMail(45000, "a", {{"ten", 10}, {"thirty-1", 30}});
    catalogue.mails[1].Attachments[2]->Visible = false;
    EXPECT_EQ(Names(VisibleRows(catalogue.mails)),
              (std::vector<std::string>{"ten", "thirty-1", "thirty-2", "twenty"}));
    EXPECT_EQ(Names(OrderedRows(catalogue.mails, View(2, 2))),
              (std::vector<std::string>{"thirty-1", "thirty-2", "twenty", "ten"}));
    EXPECT_EQ(Names(OrderedRows(catalogue.mails, View(2, 1))),
              (std::vector<std::string>{"ten", "twenty", "thirty-1", "thirty-2"}));
    // By date descending, the later mail comes first; its parts stay in order.
    EXPECT_EQ(Names(OrderedRows(catalogue.mails, View(1, 2))),
              (std::vector<std::string>{"thirty-2", "twenty", "ten", "thirty-1"}));
}

TEST(RowLookup, ReportsNothingForPositionsOrIndexesThatNoLongerFit)
{
    CatalogueBuilder catalogue;
    catalogue.AddMail(45000, "a", {{"one.txt"}, {"two.txt"}});
    TRowList rows = OrderedRows(catalogue.mails, View(1, 1));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(RowAt(rows, catalogue.mails, 1).Attachment->FileName, "two.txt");
    EXPECT_FALSE(RowAt(rows, catalogue.mails, -1));
    EXPECT_FALSE(RowAt(rows, catalogue.mails, 2));

    catalogue.mails[0].Attachments.pop_back();
    EXPECT_TRUE(RowAt(rows, catalogue.mails, 0));
    EXPECT_FALSE(RowAt(rows, catalogue.mails, 1));
    catalogue.mails.ClearMails();
    const TRowRef stale = RowAt(rows, catalogue.mails, 0);
    EXPECT_FALSE(stale);
    EXPECT_EQ(stale.Mail, nullptr);
}

TEST(RowFilter, ShowTypesAndTheOneExtensionFilter)
{
    CatalogueBuilder catalogue;
    catalogue.AddMail(45000, "a", {{"Report.PDF"}, {"NoName.html", 100, true}, {"notes.txt"}});
    catalogue.AddMail(45001, "b", {{"scan.pdf"}, {"page.html"}, {"archive.lzh"}, {"README"}});
    const auto visible = [&](TListingSettings settings) {
        ApplyRowFilter(catalogue.mails, settings);
        return Names(OrderedRows(catalogue.mails, settings));
    };
    using Names_ = std::vector<std::string>;
    const Names_ nonHtml{"Report.PDF", "notes.txt", "scan.pdf", "page.html", "archive.lzh", "README"};
    EXPECT_EQ(visible(View(1, 1, 1)), nonHtml);  // page.html is not an HTML part
    EXPECT_EQ(visible(View(1, 1, 2)), Names_{"NoName.html"});
    EXPECT_EQ(visible(View(1, 1, 3)).size(), 7u);
    // Neither kind bit: everything, rather than an empty list.
    EXPECT_EQ(visible(View(1, 1, 0)).size(), 7u);
    EXPECT_EQ(visible(View(1, 1, 4)).size(), 7u);
    EXPECT_EQ(visible(View(1, 1, 5)), nonHtml);

    TListingSettings pdfOnly = View(1, 1, 3);
    pdfOnly.ExtFilterOn = true;
    pdfOnly.TargetExt = "pdf";
    EXPECT_EQ(visible(pdfOnly), (Names_{"Report.PDF", "scan.pdf"}));
    // An extension the shell has no picture for still has its key.
    pdfOnly.TargetExt = "lzh";
    EXPECT_EQ(visible(pdfOnly), Names_{"archive.lzh"});
    // The key is compared byte for byte, and the kind filter still applies.
    pdfOnly.TargetExt = "PDF";
    EXPECT_TRUE(visible(pdfOnly).empty());
    pdfOnly.TargetExt = "html";
    pdfOnly.ShowType = 2;
    EXPECT_EQ(visible(pdfOnly), Names_{"NoName.html"});

    // Without a cache entry there is no key to match.
    catalogue.mails[1].Attachments[0]->Icon = nullptr;
    pdfOnly.ShowType = 3;
    pdfOnly.TargetExt = "pdf";
    EXPECT_EQ(visible(pdfOnly), Names_{"Report.PDF"});
}

}  // namespace
}  // namespace quillbox
