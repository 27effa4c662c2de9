// The process's time zone for one test, the old one back afterwards.
#pragma once

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace quillbox::testing {

class TTimeZone {
public:
    // A POSIX zone ("JST-9", "EST5EDT,M3.2.0,M11.1.0"): no zone files needed.
    explicit TTimeZone(const char* zone)
    {
        if (const char* old = std::getenv("TZ")) old_ = old;
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    ~TTimeZone()
    {
        if (old_)
            ::setenv("TZ", old_->c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }
    TTimeZone(const TTimeZone&) = delete;
    TTimeZone& operator=(const TTimeZone&) = delete;

private:
    std::optional<std::string> old_;
};

}  // namespace quillbox::testing
