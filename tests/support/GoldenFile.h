#pragma once
// Golden files of tests/data, read whole.

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace orvik::test {

inline std::string DataPath(const std::string& name) { return std::string(ORVIK_TEST_DATA_DIR) + "/" + name; }

inline std::vector<std::uint8_t> ReadGolden(const std::string& name) {
    std::ifstream in(DataPath(name), std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace orvik::test
