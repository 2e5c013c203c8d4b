#pragma once
// Golden files of tests/data, read whole.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/DataPath.h"

namespace orvik::test {

inline std::vector<std::uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::vector<std::uint8_t> ReadGolden(const std::string& name) { return ReadFile(DataPath(name)); }

// The bytes against the golden file `name`. On a difference it says where
// the bytes first differ and keeps the actual bytes as <name>.actual in the
// system's temporary folder for `diff` or `cmp`.
inline testing::AssertionResult MatchesGolden(const std::vector<std::uint8_t>& actual, const std::string& name) {
    const std::vector<std::uint8_t> expected = ReadGolden(name);
    if (actual == expected) return testing::AssertionSuccess();
    const auto at =
        std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end()).first - actual.begin();
    const std::string kept = (std::filesystem::temp_directory_path() / (name + ".actual")).string();
    std::ofstream(kept, std::ios::binary)
        .write(reinterpret_cast<const char*>(actual.data()), static_cast<std::streamsize>(actual.size()));
    return testing::AssertionFailure() << name << " differs at byte " << at << " (" << actual.size()
                                       << " bytes, golden " << expected.size() << "); the actual bytes are kept as "
                                       << kept;
}

}  // namespace orvik::test
