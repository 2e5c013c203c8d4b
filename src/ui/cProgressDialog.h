#pragma once
// A small window with one line of text, shown while the window thread has a
// long step to make (reading the configuration, waiting for workers to stop).
// It is painted before the step begins, and a wait keeps it painted.

#include <QDialog>
#include <functional>

class QLabel;

namespace orvik {

class cProgressDialog {
public:
    explicit cProgressDialog(QWidget* mainWindow) : m_MainWindow(mainWindow) {}
    ~cProgressDialog() { Show(0); }
    cProgressDialog(const cProgressDialog&) = delete;
    cProgressDialog& operator=(const cProgressDialog&) = delete;

    // Non-zero: create the window centred over the main window and show it; zero: destroy it.
    void Show(int on);
    // Puts the text in and has it painted before returning.
    void SetText(const QString& text);
    // Keeps the window painted (the user's input to the program held back)
    // until `done` holds, asking every `pollMs`.
    void WaitUntil(const std::function<bool()>& done, int pollMs);
    QDialog* Window() const { return m_Window; }

private:
    void Paint();

    QWidget* m_MainWindow;
    QDialog* m_Window = nullptr;
    QLabel* m_Text = nullptr;
    int m_Shown = 0;
};

}  // namespace orvik
