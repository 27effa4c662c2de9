#include "operations/mail_file_time.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "catalogue/mail_date.h"
#include "operations/local_file.h"
#include "operations/removal_note.h"
#include "time_zone.h"

namespace quillbox {
namespace {

using testing::TTimeZone;

constexpr std::int64_t kHour = 3600;
// 2001-09-09 01:46:40 UTC; the list shows 2001/09/09 10:46:40.
constexpr std::int32_t kSummer = 1000000000;
// 2002-01-02 19:33:20 UTC; the list shows 2002/01/03 04:33:20.
constexpr std::int32_t kWinter = 1010000000;

TEST(MailFileTime, TheShownDateIsReadInTheMachinesTimeZone)
{
    {
        // On a Japanese machine the file gets the mail's own moment.
        const TTimeZone japan("JST-9");
        EXPECT_EQ(LocalTimeOfMailDate(DateFromUnixTime(kSummer)), kSummer);
        EXPECT_EQ(LocalTimeOfMailDate(DateFromUnixTime(kWinter)), kWinter);
        EXPECT_EQ(LocalTimeOfMailDate(DateFromUnixTime(0)), 0);
    }
    {
        // Elsewhere the file shows the same wall-clock time as the list.
        const TTimeZone utc("UTC0");
        EXPECT_EQ(LocalTimeOfMailDate(DateFromUnixTime(kSummer)), kSummer + 9 * kHour);
    }
    {
        // Daylight saving time by the rules of the mail's date, not today's.
        const TTimeZone newYork("EST5EDT,M3.2.0,M11.1.0");
        EXPECT_EQ(LocalTimeOfMailDate(DateFromUnixTime(kSummer)), kSummer + 9 * kHour + 4 * kHour);
        EXPECT_EQ(LocalTimeOfMailDate(DateFromUnixTime(kWinter)), kWinter + 9 * kHour + 5 * kHour);
    }
}

TEST(MailFileTime, WindowsFileTimesCountFrom1601InTenthsOfMicroseconds)
{
    EXPECT_EQ(FileTimeFromUnixTime(0), 116444736000000000u);
    EXPECT_EQ(FileTimeFromUnixTime(kSummer), 126444736000000000u);
    EXPECT_EQ(FileTimeFromUnixTime(-11644473600), 0u);
}

TEST(MailFileTime, ASavedFileTakesTheDateAndAMissingOneIsReported)
{
    const TTimeZone japan("JST-9");
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "qbx-mail-file-time";
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "a.bin").string();
    WriteBytesToFile(path, "bytes");
    ASSERT_TRUE(SetFileTimeToMailDate(path, DateFromUnixTime(kWinter)));
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mtime, kWinter);
    EXPECT_FALSE(SetFileTimeToMailDate((folder / "missing.bin").string(), DateFromUnixTime(kWinter)));
    std::filesystem::remove_all(folder);
}

// The removal's time follows the zone in force at each call, not the first one.
TEST(MailFileTime, TheRemovalTimeIsWrittenInTheZoneOfTheMoment)
{
    {
        const TTimeZone japan("JST-9");
        EXPECT_EQ(RemovalTimeText(kWinter), "2002/01/03 04:33");
    }
    {
        const TTimeZone newYork("EST5EDT,M3.2.0,M11.1.0");
        EXPECT_EQ(RemovalTimeText(kSummer), "2001/09/08 21:46");
        EXPECT_EQ(RemovalTimeText(kWinter), "2002/01/02 14:33");
    }
}

}  // namespace
}  // namespace quillbox
