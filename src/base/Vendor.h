#pragma once
// The vendor's names and addresses, in one place: the report header's
// default, the Web and Mail buttons and the settings scope all use these.

namespace orvik {

inline constexpr char16_t kVendorWebAddress[] = u"www.corvanta.example";
inline constexpr char16_t kVendorMailAddress[] = u"support@corvanta.example";
inline constexpr char16_t kVendorName[] = u"Corvanta";
inline constexpr char16_t kProductName[] = u"Ambrel";

}  // namespace orvik
