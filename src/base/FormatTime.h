#pragma once
// The one display form of a time in the program.

#include <cstdint>
#include <string>

namespace orvik {

// A time value: seconds since 1970-01-01 00:00:00 UTC; 0 means "no time".
using tTimeValue = std::int32_t;

// The text shown for a time that the local-time conversion cannot represent.
// It is never empty, so an unconvertible last logon can never pass for "Never".
inline constexpr char16_t kUnconvertibleTimeText[] = u"?";

// Local time as "%H:%M:%S %m/%d/%y" (17 characters); empty for 0.
// Takes 64 bits so that both the signed controller times and the unsigned
// 32-bit last logons arrive unchanged. A negative time (only possible from a
// damaged configuration file) and any time localtime_r rejects give "?".
std::u16string FormatTime(std::int64_t seconds);

}  // namespace orvik
