#pragma once
// The vendor's and the product's names and addresses, in one place: window
// titles, messages, the settings scope, the Web and Mail buttons, the
// summary block and the settings' defaults all take them from here.

namespace orvik {

inline constexpr char16_t kVendorWebAddress[] = u"www.corvanta.example";
inline constexpr char16_t kVendorMailAddress[] = u"support@corvanta.example";
inline constexpr char16_t kVendorName[] = u"Corvanta";
inline constexpr char16_t kProductName[] = u"Ambrel";
inline constexpr char16_t kProgramName[] = u"orvik";

}  // namespace orvik
