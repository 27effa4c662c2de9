// Whole numbers with the system's thousands separator, as the list shows
// sizes and totals ("1,234" on most systems).
#pragma once

#include <cstdint>
#include <string>

namespace quillbox {

struct TDigitGrouping {
    std::string Separator = ",";  // local code page bytes; may be empty
    int GroupSize = 3;            // digits per group; 0 groups nothing
};

std::string FormatWholeNumber(std::int64_t value, const TDigitGrouping& grouping);

}  // namespace quillbox
