#pragma once
// Where the core's few messages to the user go: a message box in the
// window, standard error in a headless run.

#include <string>

#include "base/Vendor.h"

namespace orvik {

class iMessageSink {
public:
    virtual ~iMessageSink() = default;
    virtual void ShowMessage(const std::u16string& text, const std::u16string& caption = kProductName) = 0;
};

// The window's yes/no questions (restarting a run, starting selected controllers).
class iQuestions {
public:
    virtual ~iQuestions() = default;
    // True for Yes; `yesIsDefault` says which answer Enter gives.
    virtual bool AskYesNo(const std::u16string& question, bool yesIsDefault) = 0;
};

}  // namespace orvik
