#include "settings/ConfigurationFile.h"

#include <cstdlib>

#include "base/TextCompare.h"

namespace orvik {

namespace {

std::u16string WithPath(std::u16string text, const std::string& path) {
    const std::u16string name = path.empty() ? std::u16string(u"an unnamed file") : FromUtf8(path);
    const auto at = text.find(u"%1");
    if (at != std::u16string::npos) text.replace(at, 2, name);
    return text;
}

class cArchiveCategory : public std::error_category {
public:
    const char* name() const noexcept override { return "archive"; }
    std::string message(int kind) const override {
        switch (static_cast<eArchiveError>(kind)) {
            case eArchiveError::kEndOfFile: return "Unexpected end of file";
            case eArchiveError::kUnexpectedObject: return "Unexpected object";
            case eArchiveError::kBadFormat:
            default: return "Bad format";
        }
    }
};

const cArchiveCategory kArchiveCategory;

}  // namespace

std::string DefaultConfigPath() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && xdg[0] == '/') return std::string(xdg) + "/orvik/orvik.cfg";
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') return std::string(home) + "/.config/orvik/orvik.cfg";
    return "orvik.cfg";
}

std::error_code MakeErrorCode(eArchiveError kind) { return {static_cast<int>(kind), kArchiveCategory}; }

std::u16string LoadFailureText(const cFileError& error) {
    const std::string& path = error.path;
    if (error.reason.category() == kArchiveCategory) {
        switch (static_cast<eArchiveError>(error.reason.value())) {
            case eArchiveError::kEndOfFile: return WithPath(u"An attempt was made to access %1 past its end.", path);
            case eArchiveError::kUnexpectedObject: return WithPath(u"%1 contained an unexpected object.", path);
            case eArchiveError::kBadFormat:
            default: return WithPath(u"%1 has a bad format.", path);
        }
    }
    if (error.reason == std::make_error_code(std::errc::not_enough_memory))
        return WithPath(u"There is not enough memory to read %1.", path);
    // The program's text, then the system's reason.
    return WithPath(u"%1 could not be opened.", path) + u" (" + FromUtf8(error.reason.message()) + u")";
}

std::u16string KeptAsideText(const std::string& keptAs) {
    return u"The program starts with default settings; the file will be kept as " + FromUtf8(keptAs) +
           u" when the configuration is next saved.";
}

}  // namespace orvik
