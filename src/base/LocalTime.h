#pragma once
// Seconds since 1970 as the local calendar time of this computer's time zone.

#include <cstdint>
#include <ctime>

namespace orvik {

// False when the time has no local calendar time here.
bool ToLocalTime(std::int64_t seconds, std::tm& local);

}  // namespace orvik
