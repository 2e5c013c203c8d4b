#pragma once
// Messages of a run without a window go to standard error, one line each.

#include <cstdio>

#include "base/TextCompare.h"
#include "platform/iMessageSink.h"

namespace orvik {

class cStdErrMessageSink final : public iMessageSink {
public:
    void ShowMessage(const std::u16string& text, const std::u16string& = kProductName) override {
        std::fprintf(stderr, "orvik: %s\n", ToUtf8(text).c_str());
        std::fflush(stderr);
    }
};

}  // namespace orvik
