#pragma once
// Where the core's few messages to the user go: a message box in the
// window, standard error in a headless run.

#include <string>

namespace orvik {

class iMessageSink {
public:
    virtual ~iMessageSink() = default;
    virtual void ShowMessage(const std::u16string& text, const std::u16string& caption = u"Ambrel") = 0;
};

}  // namespace orvik
