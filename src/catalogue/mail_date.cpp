#include "catalogue/mail_date.h"

#include <cmath>

namespace quillbox {

namespace {
constexpr double kUnixEpoch = 25569.0;  // 1970-01-01 as a date-time value
constexpr double kSecondsPerDay = 86400.0;

// Civil date of a day count since 1970-01-01 (proleptic Gregorian).
void CivilFromDays(std::int64_t z, int& year, int& month, int& day)
{
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}
}  // namespace

double DateFromUnixTime(std::int32_t unixTime)
{
    return kUnixEpoch + unixTime / 60.0 / 60.0 / 24.0 + 9.0 / 24.0;
}

TDateTimeParts DecodeDateTime(double date)
{
    const auto seconds = static_cast<std::int64_t>(std::llround((date - kUnixEpoch) * kSecondsPerDay));
    std::int64_t days = seconds / 86400;
    std::int64_t secondOfDay = seconds % 86400;
    if (secondOfDay < 0) {
        secondOfDay += 86400;
        --days;
    }
    TDateTimeParts parts{};
    CivilFromDays(days, parts.Year, parts.Month, parts.Day);
    parts.Hour = static_cast<int>(secondOfDay / 3600);
    parts.Minute = static_cast<int>(secondOfDay / 60 % 60);
    parts.Second = static_cast<int>(secondOfDay % 60);
    return parts;
}

}  // namespace quillbox
