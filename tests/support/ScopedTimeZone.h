#pragma once
// Pins the process's time zone for one test, so local-time texts are the
// same on every machine. POSIX rule strings need no time zone database.

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace orvik::test {

class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* tz) {
        if (const char* old = std::getenv("TZ")) m_Old = old;
        ::setenv("TZ", tz, 1);
        ::tzset();
    }
    ~ScopedTimeZone() {
        if (m_Old)
            ::setenv("TZ", m_Old->c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    std::optional<std::string> m_Old;
};

}  // namespace orvik::test
