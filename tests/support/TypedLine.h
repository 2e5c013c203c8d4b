#pragma once
// A command line as typed: split at blanks, double quotes grouping and dropped
// (an empty pair makes no word), nearly as a shell hands the words over.

#include <string_view>
#include <utility>
#include <vector>

#include "app/CommandLine.h"

namespace orvik::test {

inline cCommandLine TypedLine(std::u16string_view line) {
    std::vector<std::u16string> words;
    std::u16string word;
    bool quoted = false;
    for (char16_t c : line) {
        if (c == u'"') {
            quoted = !quoted;
        } else if (c == u' ' && !quoted) {
            if (!word.empty()) words.push_back(std::exchange(word, {}));
        } else {
            word += c;
        }
    }
    if (!word.empty()) words.push_back(std::move(word));
    return cCommandLine(std::move(words));
}

}  // namespace orvik::test
