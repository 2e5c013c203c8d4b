#pragma once
// What "orvik /?", "orvik --help" and "orvik --version" print.

#include <span>
#include <string>
#include <string_view>

namespace orvik {

// The usage text: every option, the exit statuses of a run without a window.
std::string UsageText();

// "orvik <version>".
std::string VersionText();

// The program's version, "0.1.0".
std::string ProgramVersion();

// Every option word of the program, for telling a value from the next option.
std::span<const std::u16string_view> OptionWords();

}  // namespace orvik
