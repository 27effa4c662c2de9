#include "ui/logic/digit_grouping.h"

#include <cstdint>

namespace quillbox {

std::string FormatWholeNumber(std::int64_t value, const TDigitGrouping& grouping)
{
    // The magnitude as unsigned, so that the smallest value negates safely.
    std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value)
                                        : static_cast<std::uint64_t>(value);
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);

    std::string text = value < 0 ? "-" : "";
    const std::size_t size = grouping.GroupSize > 0 ? static_cast<std::size_t>(grouping.GroupSize) : 0;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        const std::size_t left = digits.size() - i;
        if (i > 0 && size > 0 && left % size == 0) text += grouping.Separator;
        text += digits[i];
    }
    return text;
}

}  // namespace quillbox
