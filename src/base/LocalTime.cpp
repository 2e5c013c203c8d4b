#include "base/LocalTime.h"

namespace orvik {

bool ToLocalTime(std::int64_t seconds, std::tm& local) {
    const std::time_t t = static_cast<std::time_t>(seconds);
#ifdef _WIN32
    return localtime_s(&local, &t) == 0;
#else
    return localtime_r(&t, &local) != nullptr;
#endif
}

}  // namespace orvik
