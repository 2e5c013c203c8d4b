#pragma once
// The program's command line.
//
// "/CF:" and "/AS" are found as the Windows program finds them: by a
// case-sensitive search in the argument text, the first occurrence counting
// wherever it stands. Every other option is ours and counts only as a whole
// argument ("/BATCH", "/TLSNOVERIFY") or as the start of one ("/SIM:<value>"),
// so that a path holding "BATCH" or "TLSNOVERIFY" is never taken for them.

#include <string>
#include <string_view>
#include <vector>

namespace orvik {

class cCommandLine {
public:
    cCommandLine() = default;
    // The arguments after the program name, as the shell split them.
    cCommandLine(int argc, const char* const* argv);
    explicit cCommandLine(std::vector<std::u16string> arguments);

    // The argument text "/CF:" and "/AS" are searched in.
    const std::u16string& Text() const noexcept { return m_Text; }
    // A flag of ours: true when an argument is exactly `flag`.
    bool HasFlag(std::u16string_view flag) const;
    // An option of ours ending in ':': 0 with `value` (the rest of the first
    // argument that starts with it, outer double quotes dropped), -1 when
    // there is none, or -2 when the value opens a double quote that is never
    // closed.
    int GetValue(std::u16string_view option, std::u16string& value) const;
    // The first option that takes a value and whose value opens a double
    // quote that is never closed ("/PDF:\"x.pdf"), or an empty view. Such a
    // value is no value: the option is refused, never taken as absent.
    std::u16string_view UnclosedQuote() const;

private:
    std::vector<std::u16string> m_Arguments;
    std::u16string m_Text;
};

// The argument text the options are searched in. The shell has already
// split and unquoted the arguments: they are joined with blanks again, and
// an argument with a blank in it is quoted back (after its option prefix,
// for "/CF:" and "/SIM:"), so that `orvik "/CF:/a b/orvik.cfg"` and
// `orvik /CF: /a/orvik.cfg` both give the path.
std::u16string ArgumentText(const std::vector<std::u16string>& arguments);

// 0 with `value` set (possibly empty) when the option is there; -1 when it
// is not; -2 when its value opens a double quote that is never closed. A
// value that would be another option of the program ("/CF: /SIM:demo") is
// empty instead: an empty value never swallows the next option.
int GetCommandLineOption(const std::u16string& arguments, const std::u16string& option, std::u16string& value);

}  // namespace orvik
