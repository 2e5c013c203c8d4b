#pragma once
// The vendor's names and addresses, in one place: the report header's
// default, the Web and Mail buttons and the settings scope all use these.

namespace orvik {

inline constexpr char16_t kVendorWebAddress[] = u"www.ambrel.example";
inline constexpr char16_t kVendorMailAddress[] = u"support@ambrel.example";
inline constexpr char16_t kVendorName[] = u"Ambrel";
inline constexpr char16_t kProductName[] = u"orvik";

}  // namespace orvik
