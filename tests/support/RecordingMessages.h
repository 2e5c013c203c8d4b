#pragma once
// Keeps the messages the program would show.

#include <string>
#include <vector>

#include "platform/iMessageSink.h"

namespace orvik::test {

class RecordingMessages final : public iMessageSink {
public:
    void ShowMessage(const std::u16string& text, const std::u16string& caption) override {
        texts.push_back(text);
        captions.push_back(caption);
    }
    std::vector<std::u16string> texts;
    std::vector<std::u16string> captions;
};

}  // namespace orvik::test
