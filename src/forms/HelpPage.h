#pragma once
// The help built into the program: one HTML page whose topics carry the
// context numbers the program opens them with.

#include <string>

namespace orvik {

inline constexpr int kHelpContextOverview = 131223;

std::u16string HelpPageHtml();

}  // namespace orvik
