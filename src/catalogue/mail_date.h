// Mail dates are the platform's date-time value: days since 1899-12-30, the
// time of day as the fraction. The host gives Unix seconds; they are shown as
// Japanese local time, a fixed 9 hours ahead, whatever the machine's zone.
#pragma once

#include <cstdint>

namespace quillbox {

double DateFromUnixTime(std::int32_t unixTime);

struct TDateTimeParts {
    int Year, Month, Day, Hour, Minute, Second;
};

// Calendar date and time of a date-time value, to the nearest second.
TDateTimeParts DecodeDateTime(double date);

}  // namespace quillbox
