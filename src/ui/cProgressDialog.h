#pragma once
// The progress window: one line of text, shown while the window thread has a
// long step to make (reading the configuration, waiting for workers to stop).
// It is painted before the step begins, and a wait keeps it painted.

#include <QDialog>
#include <functional>
#include <memory>

#include "forms/iMainWindow.h"

namespace orvik {

class cQtForm;

class cProgressDialog final : public iProgressWindow {
public:
    // Centred over the main window once it is on the screen; before that (at
    // start-up) over the screen, where the main window will come up.
    explicit cProgressDialog(QWidget* mainWindow);
    ~cProgressDialog() override;
    cProgressDialog(const cProgressDialog&) = delete;
    cProgressDialog& operator=(const cProgressDialog&) = delete;

    void SetText(const std::u16string& text) override;
    void WaitUntil(const std::function<bool()>& done, int pollMs) override;

private:
    void Paint();

    std::unique_ptr<cFormPresenter> m_Presenter;
    std::unique_ptr<cQtForm> m_Window;
};

}  // namespace orvik
