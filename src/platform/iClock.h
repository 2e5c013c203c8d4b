#pragma once
// Where the program reads the time and how it waits, passed in so that tests
// decide what time it is.

#include <cstdint>

#include "base/FormatTime.h"

namespace orvik {

class iClock {
public:
    virtual ~iClock() = default;
    // Seconds since 1970 UTC, as time() gives them.
    virtual tTimeValue Now() = 0;
    // Blocks the calling thread for about `milliseconds`.
    virtual void SleepMs(std::int32_t milliseconds) = 0;
    // Milliseconds since some fixed moment; never goes back, whatever the
    // wall clock does. For measuring how long something took.
    virtual std::int64_t ElapsedMs() = 0;
};

class cSystemClock final : public iClock {
public:
    tTimeValue Now() override;
    void SleepMs(std::int32_t milliseconds) override;
    std::int64_t ElapsedMs() override;
};

}  // namespace orvik
