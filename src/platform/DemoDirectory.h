#pragma once
// The simulated directory built into the program: two domains, five
// controllers, a few thousand overlapping accounts with differing last
// logons; one controller fails part-way and one answers slowly.

#include <string_view>

namespace orvik {

std::string_view DemoDirectoryJson();

}  // namespace orvik
