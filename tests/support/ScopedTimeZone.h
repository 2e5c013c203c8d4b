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
        Set(tz);
    }
    ~ScopedTimeZone() { Set(m_Old ? m_Old->c_str() : nullptr); }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    static void Set(const char* tz) {
#ifdef _WIN32
        ::_putenv_s("TZ", tz ? tz : "");
        ::_tzset();
#else
        tz ? ::setenv("TZ", tz, 1) : ::unsetenv("TZ");
        ::tzset();
#endif
    }

    std::optional<std::string> m_Old;
};

}  // namespace orvik::test
