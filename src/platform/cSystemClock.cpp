#include <chrono>
#include <ctime>
#include <thread>

#include "platform/iClock.h"

namespace orvik {

tTimeValue cSystemClock::Now() { return static_cast<tTimeValue>(std::time(nullptr)); }

void cSystemClock::SleepMs(std::int32_t milliseconds) {
    if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

std::int64_t cSystemClock::ElapsedMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace orvik
