// Ordering 100,000 rows and writing them into the grid model, against the
// insertion the list used to be built with, on the same catalogue.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <string>

#include "catalogue/listing/row_order.h"
#include "ui/logic/list_columns.h"
#include "ui/logic/list_grid_fill.h"

namespace quillbox {
namespace {

constexpr int kRowTarget = 100'000;

// Mails one minute apart with one to four attachments of random sizes.
TMailList& Catalogue()
{
    static TMailList mails = [] {
        TMailList list;
        std::mt19937 random(7);
        std::vector<std::unique_ptr<TMailItem>> batch;
        int rows = 0;
        for (int m = 0; rows < kRowTarget; ++m) {
            auto mail = std::make_unique<TMailItem>();
            mail->Date = 44000 + m / 1440.0;
            mail->Subject = "Subject of mail " + std::to_string(m);
            mail->From = "sender" + std::to_string(m % 300) + "@example.jp";
            const int parts = std::min(std::uniform_int_distribution<>(1, 4)(random), kRowTarget - rows);
            for (int p = 0; p < parts; ++p) {
                auto attachment = std::make_unique<TAttachment>();
                attachment->PartNo = p + 1;
                attachment->FileName = "attachment" + std::to_string(rows) + ".pdf";
                attachment->Size = std::uniform_int_distribution<>(200, 5'000'000)(random);
                attachment->Visible = true;
                attachment->Marked = rows % 7 == 0;
                mail->Attachments.push_back(std::move(attachment));
                ++rows;
            }
            batch.push_back(std::move(mail));
        }
        list.AddInDateOrder(std::move(batch));
        return list;
    }();
    return mails;
}

// Each visible attachment, in catalogue order, walks back from the end of
// the list past the entries that must follow it.
TRowList InsertionOrder(TMailList& mails, bool bySize, bool ascending)
{
    TRowList rows;
    for (const TListPosItem& item : VisibleRows(mails)) {
        const double key = bySize ? item.Attachment->Size : item.Mail->Date;
        std::size_t i = rows.size();
        while (i > 0) {
            const TListPosItem& entry = rows[i - 1];
            const double before = bySize ? entry.Attachment->Size : entry.Mail->Date;
            if (ascending ? !(before > key) : !(before < key)) break;
            --i;
        }
        rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(i), item);
    }
    return rows;
}

TListingSettings View(bool bySize)
{
    TListingSettings view;
    view.SortTarget = bySize ? 2 : 1;
    view.ShowOrder = 2;  // descending, as the list opens by default
    return view;
}

void Fill(const TRowList& rows, const TListingSettings& view)
{
    static const TMessageTable messages = MessageTableFor(kJapaneseLocaleID);
    static const TDigitGrouping grouping;
    TGridModel grid(kListColumnCount, 2);
    SetUpListGrid(grid);
    FillListGrid(grid, rows, {messages, view, grouping});
    benchmark::DoNotOptimize(grid.Cell(colSize, grid.RowCount() - 1));
}

void OrderAndFill(benchmark::State& state)
{
    const TListingSettings view = View(state.range(0) != 0);
    for (auto _ : state) Fill(OrderedRows(Catalogue(), view), view);
    state.SetItemsProcessed(state.iterations() * kRowTarget);
}

void InsertionAndFill(benchmark::State& state)
{
    const TListingSettings view = View(state.range(0) != 0);
    for (auto _ : state) Fill(InsertionOrder(Catalogue(), view.SortTarget == 2, false), view);
    state.SetItemsProcessed(state.iterations() * kRowTarget);
}

// 0: by date, descending (the default view; every row walks to the front).
// 1: by size, descending.
BENCHMARK(OrderAndFill)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(InsertionAndFill)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

// Remembers every run's time so that the ratios can follow the table.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        // CPU time: the machine may be shared, and waiting is not the method's cost.
        for (const Run& run : runs) seconds_[run.benchmark_name()] = run.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
    void PrintRatios() const
    {
        for (const char* arg : {"0", "1"}) {
            const auto ours = seconds_.find(std::string("OrderAndFill/") + arg);
            const auto peer = seconds_.find(std::string("InsertionAndFill/") + arg + "/iterations:1");
            if (ours == seconds_.end() || peer == seconds_.end()) continue;
            std::printf("ratio %s, %d rows (CPU): insertion %.1f ms / stable sort %.1f ms = %.1fx\n",
                        arg[0] == '0' ? "by date descending" : "by size descending", kRowTarget,
                        peer->second, ours->second, peer->second / ours->second);
        }
    }

private:
    std::map<std::string, double> seconds_;
};

}  // namespace
}  // namespace quillbox

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    quillbox::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
