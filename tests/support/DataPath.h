#pragma once
// Where the files of tests/data are.

#include <string>

namespace orvik::test {

inline std::string DataPath(const std::string& name) { return std::string(ORVIK_TEST_DATA_DIR) + "/" + name; }

}  // namespace orvik::test
