#pragma once
// Golden files of tests/data, read whole.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
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
// the bytes first differ, shows that line of both (bytes outside printable
// ASCII as \xNN), and keeps the actual bytes as <name>.actual in the
// system's temporary folder for `diff` or `cmp`.
inline testing::AssertionResult MatchesGolden(const std::vector<std::uint8_t>& actual, const std::string& name) {
    const std::vector<std::uint8_t> expected = ReadGolden(name);
    if (actual == expected) return testing::AssertionSuccess();
    const auto [a, e] = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
    const std::size_t at = static_cast<std::size_t>(a - actual.begin());
    auto lineAround = [at](const std::vector<std::uint8_t>& bytes) {
        std::size_t begin = std::min(at, bytes.size());
        while (begin > 0 && bytes[begin - 1] != '\n') --begin;
        std::string line;
        for (std::size_t i = begin; i < bytes.size() && i < begin + 120 && bytes[i] != '\n'; ++i) {
            char hex[8];
            if (bytes[i] >= 0x20 && bytes[i] < 0x7F)
                line += static_cast<char>(bytes[i]);
            else
                line += (std::snprintf(hex, sizeof hex, "\\x%02X", bytes[i]), hex);
        }
        return line;
    };
    const std::string kept = (std::filesystem::temp_directory_path() / (name + ".actual")).string();
    std::ofstream(kept, std::ios::binary)
        .write(reinterpret_cast<const char*>(actual.data()), static_cast<std::streamsize>(actual.size()));
    return testing::AssertionFailure() << name << " differs at byte " << at << " (" << actual.size()
                                       << " bytes, golden " << expected.size()
                                       << ")\n  expected: " << lineAround(expected)
                                       << "\n  actual:   " << lineAround(actual) << "\n  actual bytes kept as " << kept;
}

}  // namespace orvik::test
