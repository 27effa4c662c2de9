#include "operations/mail_file_time.h"

#include "catalogue/mail_date.h"

#ifdef _WIN32
#include <windows.h>

#include "win32/win32_handles.h"
#else
#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>
#endif

namespace quillbox {

namespace {
constexpr std::int64_t kSecondsFrom1601To1970 = 11644473600;
constexpr std::int64_t kFileTimeTicksPerSecond = 10000000;
}  // namespace

std::uint64_t FileTimeFromUnixTime(std::int64_t unixTime)
{
    return static_cast<std::uint64_t>(unixTime + kSecondsFrom1601To1970) * kFileTimeTicksPerSecond;
}

#ifdef _WIN32
std::optional<std::int64_t> LocalTimeOfMailDate(double date)
{
    const TDateTimeParts parts = DecodeDateTime(date);
    if (parts.Year < 1601 || parts.Year > 30827) return std::nullopt;
    SYSTEMTIME local{};
    local.wYear = static_cast<WORD>(parts.Year);
    local.wMonth = static_cast<WORD>(parts.Month);
    local.wDay = static_cast<WORD>(parts.Day);
    local.wHour = static_cast<WORD>(parts.Hour);
    local.wMinute = static_cast<WORD>(parts.Minute);
    local.wSecond = static_cast<WORD>(parts.Second);
    SYSTEMTIME universal{};
    FILETIME fileTime{};
    // The zone's rules for that date, not today's offset.
    if (!TzSpecificLocalTimeToSystemTime(nullptr, &local, &universal) ||
        !SystemTimeToFileTime(&universal, &fileTime))
        return std::nullopt;
    const std::uint64_t ticks = (static_cast<std::uint64_t>(fileTime.dwHighDateTime) << 32) | fileTime.dwLowDateTime;
    return static_cast<std::int64_t>(ticks / kFileTimeTicksPerSecond) - kSecondsFrom1601To1970;
}

bool SetFileTimeToMailDate(const std::string& path, double date)
{
    const std::optional<std::int64_t> unixTime = LocalTimeOfMailDate(date);
    if (!unixTime) return false;
    const std::uint64_t ticks = FileTimeFromUnixTime(*unixTime);
    const FILETIME modified{static_cast<DWORD>(ticks & 0xFFFFFFFFu), static_cast<DWORD>(ticks >> 32)};
    const TFileHandle file(CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && SetFileTime(file.Get(), nullptr, nullptr, &modified) != FALSE;
}
#else
std::optional<std::int64_t> LocalTimeOfMailDate(double date)
{
    const TDateTimeParts parts = DecodeDateTime(date);
    std::tm local{};
    local.tm_year = parts.Year - 1900;
    local.tm_mon = parts.Month - 1;
    local.tm_mday = parts.Day;
    local.tm_hour = parts.Hour;
    local.tm_min = parts.Minute;
    local.tm_sec = parts.Second;
    local.tm_isdst = -1;  // the zone's rules for that date
    const std::time_t universal = std::mktime(&local);
    if (universal == static_cast<std::time_t>(-1)) return std::nullopt;
    return static_cast<std::int64_t>(universal);
}

bool SetFileTimeToMailDate(const std::string& path, double date)
{
    const std::optional<std::int64_t> unixTime = LocalTimeOfMailDate(date);
    if (!unixTime) return false;
    const timespec times[2] = {{0, UTIME_OMIT}, {static_cast<std::time_t>(*unixTime), 0}};
    return ::utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}
#endif

}  // namespace quillbox
