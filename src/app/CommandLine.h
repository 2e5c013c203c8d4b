#pragma once
// The program's command line: options are found by a case-sensitive search
// in the argument text, the first occurrence counting wherever it stands.

#include <string>

namespace orvik {

// The argument text the options are searched in. The shell has already
// split and unquoted the arguments: they are joined with blanks again, and
// an argument with a blank in it is quoted back (after its option prefix,
// for "/CF:" and "/SIM:"), so that `orvik "/CF:/a b/orvik.cfg"` and
// `orvik /CF: /a/orvik.cfg` both give the path.
std::u16string ArgumentText(int argc, const char* const* argv);

// 0 with `value` set (possibly empty) when the option is there; -1 when it
// is not; -2 when its value opens a double quote that is never closed.
int GetCommandLineOption(const std::u16string& arguments, const std::u16string& option, std::u16string& value);

}  // namespace orvik
