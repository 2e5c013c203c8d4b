#include "base/FormatTime.h"

#include <ctime>

#include "base/LocalTime.h"
#include "base/TextCompare.h"

namespace orvik {

std::u16string FormatTime(std::int64_t seconds) {
    if (seconds == 0) return {};
    if (seconds < 0) return kUnconvertibleTimeText;
    std::tm local{};
    if (!ToLocalTime(seconds, local)) return kUnconvertibleTimeText;
    char buffer[32];
    const std::size_t n = std::strftime(buffer, sizeof buffer, "%H:%M:%S %m/%d/%y", &local);
    if (n == 0) return kUnconvertibleTimeText;
    return Widen(std::string_view(buffer, n));
}

}  // namespace orvik
