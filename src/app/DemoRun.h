#pragma once
// A run of the merge on a small built-in directory: five controllers of two
// domains report overlapping accounts with differing last logons; the merged
// users are printed as the user list shows them.

#include <ostream>

namespace orvik {

int RunDemo(std::ostream& out);

}  // namespace orvik
