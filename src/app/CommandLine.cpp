#include "app/CommandLine.h"

#include "engine/TextCompare.h"

namespace orvik {

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

}  // namespace

std::u16string ArgumentText(int argc, const char* const* argv) {
    std::u16string text;
    for (int i = 1; i < argc; ++i) {
        std::u16string arg = FromUtf8(argv[i]);
        if (arg.find_first_of(u" \t") != std::u16string::npos && arg.find(u'"') == std::u16string::npos) {
            std::size_t valueStart = 0;
            for (const char16_t* prefix : {u"/CF:", u"/SIM:"}) {
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
    if (begin == end) {
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
