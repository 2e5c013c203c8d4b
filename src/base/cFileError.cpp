#include "base/cFileError.h"

#include "base/TextCompare.h"

namespace orvik {

std::u16string cFileError::Describe() const {
    const std::u16string why = FromUtf8(reason.message());
    return path.empty() ? why : FromUtf8(path) + u": " + why;
}

}  // namespace orvik
