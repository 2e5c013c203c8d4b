#pragma once
// A small window with one line of text, shown while a step blocks the
// window thread (reading the configuration, waiting for workers to stop).

#include <QDialog>

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
    // Puts the text in and paints it at once: the thread is about to block.
    void SetText(const QString& text);
    QDialog* Window() const { return m_Window; }

private:
    QWidget* m_MainWindow;
    QDialog* m_Window = nullptr;
    QLabel* m_Text = nullptr;
    int m_Shown = 0;
};

}  // namespace orvik
