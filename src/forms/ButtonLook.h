#pragma once
// How a picture button of the main window looks, whatever draws it: one
// colour per group of actions (collecting green, the list blue, results
// amber, information grey, leaving red) and a short word on it.

#include <cstdint>
#include <string_view>

namespace orvik {

struct cButtonLook {
    std::uint8_t red, green, blue;
    std::u16string_view word;
};

// The look of the button `name` (its caption); grey with the name itself for a name it does not know.
cButtonLook ButtonLook(std::u16string_view name);

}  // namespace orvik
