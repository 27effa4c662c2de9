// The totals of the listed rows and the status texts that show them.
#pragma once

#include <cstdint>
#include <string>

#include "catalogue/listing/row_list.h"
#include "settings/message_table.h"
#include "ui/logic/digit_grouping.h"

namespace quillbox {

struct TListTotals {
    std::int32_t RowCount = 0;
    std::int32_t MarkCount = 0;
    std::int64_t TotalSize = 0;   // wide: a 32-bit sum overflows past 2 GB
    std::int64_t MarkedSize = 0;
};

// Rows whose indexes no longer fit the catalogue count as not listed.
TListTotals CountTotals(const TRowList& rows, TMailList& mails);

struct TStatusTotals {
    std::string TotalText;   // panel 2
    std::string MarkedText;  // panel 3
    std::string CountText;   // panel 4
    // mnSaveMarksAs, mnDeleteMarks, mnDetachMarks and their tool buttons
    bool MarkCommandsEnabled = false;
};

TStatusTotals StatusTotals(const TListTotals& totals, const TMessageTable& messages,
                           const TDigitGrouping& grouping);

}  // namespace quillbox
