#pragma once
// Golden files of tests/data, read whole.

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace orvik::test {

inline std::string DataPath(const std::string& name) { return std::string(ORVIK_TEST_DATA_DIR) + "/" + name; }

inline std::vector<std::uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::vector<std::uint8_t> ReadGolden(const std::string& name) { return ReadFile(DataPath(name)); }

}  // namespace orvik::test
