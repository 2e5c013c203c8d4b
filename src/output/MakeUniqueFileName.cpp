#include "output/MakeUniqueFileName.h"

#include "base/iFileSystem.h"

namespace orvik {

std::string NextStem(const std::string& base) {
    std::size_t digits = base.size();
    while (digits > 0 && base[digits - 1] >= '0' && base[digits - 1] <= '9') --digits;
    if (digits == base.size() || digits == 0) return base + "1";
    // The run of digits plus one, in decimal without leading zeros, done on
    // the text so that no run is too long to count up.
    std::string number = base.substr(digits);
    std::size_t first = number.find_first_not_of('0');
    number = first == std::string::npos ? "0" : number.substr(first);
    int i = static_cast<int>(number.size()) - 1;
    while (i >= 0 && number[static_cast<std::size_t>(i)] == '9') number[static_cast<std::size_t>(i--)] = '0';
    if (i < 0)
        number.insert(number.begin(), '1');
    else
        ++number[static_cast<std::size_t>(i)];
    return base.substr(0, digits) + number;
}

int MakeUniqueFileName(std::string& path, iFileSystem& files) {
    if (path.empty()) return -1;
    while (files.Exists(path)) {
        const std::size_t slash = path.find_last_of('/');
        const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
        const std::size_t dot = path.find_last_of('.');
        const std::size_t extStart = (dot == std::string::npos || dot < nameStart) ? path.size() : dot;
        path =
            path.substr(0, nameStart) + NextStem(path.substr(nameStart, extStart - nameStart)) + path.substr(extStart);
    }
    return 0;
}

}  // namespace orvik
