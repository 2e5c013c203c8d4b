#include <chrono>
#include <ctime>
#include <thread>

#include "platform/iClock.h"

namespace orvik {

tTimeValue cSystemClock::Now() { return static_cast<tTimeValue>(std::time(nullptr)); }

void cSystemClock::SleepMs(std::int32_t milliseconds) {
    if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace orvik
