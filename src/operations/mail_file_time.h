// Saved files dated by their mail: the date the list shows, read as a local
// time of this machine, becomes the file's modification time.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quillbox {

// Seconds since 1970-01-01 UTC of the moment a mail date shows (its calendar
// date and time of day, to the second) read as a local time of this
// machine's time zone, daylight saving time included. None when the date
// lies outside what the platform's clock can hold.
std::optional<std::int64_t> LocalTimeOfMailDate(double date);

// A Windows file time: 100-nanosecond intervals since 1601-01-01 UTC.
std::uint64_t FileTimeFromUnixTime(std::int64_t unixTime);

// Gives the file the mail's date as its modification time. False when it
// cannot; the file itself stays as it was written.
bool SetFileTimeToMailDate(const std::string& path, double date);

}  // namespace quillbox
