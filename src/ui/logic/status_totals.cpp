#include "ui/logic/status_totals.h"

namespace quillbox {

TListTotals CountTotals(const TRowList& rows, TMailList& mails)
{
    TListTotals totals;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const TRowRef row = RowAt(rows, mails, static_cast<int>(i));
        if (!row) continue;
        ++totals.RowCount;
        totals.TotalSize += row.Attachment->Size;
        if (row.Attachment->Marked) {
            ++totals.MarkCount;
            totals.MarkedSize += row.Attachment->Size;
        }
    }
    return totals;
}

TStatusTotals StatusTotals(const TListTotals& totals, const TMessageTable& messages,
                           const TDigitGrouping& grouping)
{
    TStatusTotals texts;
    texts.TotalText = messages[msgTotal] + ": " + FormatWholeNumber(totals.TotalSize, grouping) + " bytes";
    texts.MarkedText =
        messages[msgMarkedTotal] + ": " + FormatWholeNumber(totals.MarkedSize, grouping) + " bytes";
    texts.CountText = std::to_string(totals.MarkCount) + "/" + std::to_string(totals.RowCount) + " " +
                      messages[msgFilesMarked];
    texts.MarkCommandsEnabled = totals.MarkCount > 0;
    return texts;
}

}  // namespace quillbox
