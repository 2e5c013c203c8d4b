#pragma once
// The desktop services of the Qt program: beep, opening addresses, the
// first-start marker in the system-wide settings, and message boxes.

#include <QWidget>

#include "platform/iDesktop.h"
#include "platform/iMessageSink.h"

namespace orvik {

class cQtDesktop final : public iDesktop {
public:
    void Beep() override;
    void OpenUrl(const std::u16string& url) override;
};

// "Startup" under UserInfo in the system-wide settings of the vendor and product.
class cQtStartupMarker final : public iStartupMarker {
public:
    bool Read(std::uint32_t& value) override;
    void Write(std::uint32_t value) override;
};

// Message boxes and questions over `parent`.
class cQtMessageSink final : public iMessageSink, public iQuestions {
public:
    explicit cQtMessageSink(QWidget* parent) : m_Parent(parent) {}
    void ShowMessage(const std::u16string& text, const std::u16string& caption) override;
    bool AskYesNo(const std::u16string& question, bool yesIsDefault) override;

private:
    QWidget* m_Parent;
};

}  // namespace orvik
