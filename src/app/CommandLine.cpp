#include "app/CommandLine.h"

#include "app/Usage.h"
#include "base/TextCompare.h"

namespace orvik {

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

bool StartsWithOptionWord(std::u16string_view text) {
    for (std::u16string_view word : OptionWords()) {
        if (text.substr(0, word.size()) != word) continue;
        if (word.back() == u':' || text.size() == word.size() || IsBlank(text[word.size()])) return true;
    }
    return false;
}

}  // namespace

cCommandLine::cCommandLine(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) m_Arguments.push_back(FromUtf8(argv[i]));
    m_Text = ArgumentText(m_Arguments);
}

cCommandLine::cCommandLine(std::vector<std::u16string> arguments) : m_Arguments(std::move(arguments)) {
    m_Text = ArgumentText(m_Arguments);
}

bool cCommandLine::HasFlag(std::u16string_view flag) const {
    for (const auto& arg : m_Arguments) {
        if (arg == flag) return true;
    }
    return false;
}

int cCommandLine::GetValue(std::u16string_view option, std::u16string& value) const {
    for (const auto& arg : m_Arguments) {
        if (std::u16string_view(arg).substr(0, option.size()) != option) continue;
        value = arg.substr(option.size());
        if (value.empty() || value.front() != u'"') return 0;
        if (value.size() < 2 || value.back() != u'"') return -2;
        value = value.substr(1, value.size() - 2);
        return 0;
    }
    return -1;
}

std::u16string_view cCommandLine::UnclosedQuote() const {
    for (std::u16string_view word : OptionWords()) {
        if (word.back() != u':') continue;
        std::u16string value;
        // "/CF:" and "/PDF:" are searched in the argument text, the others are whole arguments.
        const bool searched = word == u"/CF:" || word == u"/PDF:";
        if ((searched ? GetCommandLineOption(m_Text, std::u16string(word), value) : GetValue(word, value)) == -2)
            return word;
    }
    return {};
}

std::u16string ArgumentText(const std::vector<std::u16string>& arguments) {
    std::u16string text;
    for (std::u16string arg : arguments) {
        if (arg.find_first_of(u" \t") != std::u16string::npos && arg.find(u'"') == std::u16string::npos) {
            std::size_t valueStart = 0;
            for (const char16_t* prefix : {u"/CF:", u"/SIM:", u"/PDF:"}) {
                const std::u16string p(prefix);
                if (arg.compare(0, p.size(), p) == 0) valueStart = p.size();
            }
            arg = arg.substr(0, valueStart) + u"\"" + arg.substr(valueStart) + u"\"";
        }
        if (!text.empty()) text += u' ';
        text += arg;
    }
    return text;
}

int GetCommandLineOption(const std::u16string& arguments, const std::u16string& option, std::u16string& value) {
    const std::size_t at = arguments.find(option);
    if (at == std::u16string::npos) return -1;
    std::size_t begin = at + option.size();
    std::size_t end = arguments.size();
    while (begin < end && IsBlank(arguments[begin])) ++begin;
    while (end > begin && IsBlank(arguments[end - 1])) --end;
    if (begin == end || StartsWithOptionWord(std::u16string_view(arguments).substr(begin))) {
        value.clear();
        return 0;
    }
    if (arguments[begin] == u'"') {
        const std::size_t close = arguments.find(u'"', begin + 1);
        if (close == std::u16string::npos || close >= end) return -2;
        value = arguments.substr(begin + 1, close - begin - 1);
        return 0;
    }
    std::size_t stop = begin;
    while (stop < end && arguments[stop] != u' ') ++stop;
    value = arguments.substr(begin, stop - begin);
    return 0;
}

}  // namespace orvik
