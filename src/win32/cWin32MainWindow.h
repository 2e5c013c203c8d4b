#pragma once
// The program's main window on Windows: the main form drawn from its
// description as a window of its own, its behaviour in the presenter, and
// what the presenter needs of a window done with Win32: the title, a window
// timer, calls posted from the workers' threads, the progress window, the
// pop-up menu, the help page, About, message boxes and the common dialogs.

#include <windows.h>

#include <deque>
#include <functional>
#include <mutex>

#include "forms/cMainPresenter.h"
#include "forms/iMainWindow.h"
#include "platform/iDesktop.h"
#include "platform/iMessageSink.h"
#include "win32/cGdiSurface.h"
#include "win32/cWin32Choosers.h"
#include "win32/cWin32Form.h"

namespace orvik {

// Message boxes over a window, and the sounds and links of the desktop.
class cWin32Desktop final : public iDesktop, public iMessageSink, public iQuestions {
public:
    explicit cWin32Desktop(HWND owner = nullptr) : m_Owner(owner) {}
    void SetOwner(HWND owner) { m_Owner = owner; }
    void Beep() override;
    void OpenUrl(const std::u16string& url) override;
    void ShowMessage(const std::u16string& text, const std::u16string& caption) override;
    bool AskYesNo(const std::u16string& question, bool yesIsDefault) override;

private:
    HWND m_Owner;
};

class cWin32MainWindow final : public iMainWindow {
public:
    // Creates the window and opens the presenter in it (the configuration is read, the lists filled).
    cWin32MainWindow(cMainPresenter& presenter, iDesktop& desktop);
    ~cWin32MainWindow() override;
    cWin32MainWindow(const cWin32MainWindow&) = delete;
    cWin32MainWindow& operator=(const cWin32MainWindow&) = delete;

    HWND Window() const { return m_View.Window(); }
    // Shows the window and runs its messages until it is closed.
    void Run(int show);

    void SetTitle(const std::u16string& title) override;
    void StartTimer(int ms) override;
    void StopTimer() override;
    bool TimerRunning() const override { return m_TimerRunning; }
    void Post(std::function<void()> call) override;
    std::unique_ptr<iProgressWindow> ShowProgress() override;
    int PopUpMenu(const std::vector<cMenuItem>& items) override;
    void ShowHelp() override;
    void ShowAbout(const std::u16string& text) override;
    void HoldDrawing(int listId, bool hold) override;
    int TopRow(int listId) const override;
    void ScrollTo(int listId, int topRow) override;
    iFormRunner& Forms() override { return m_Runner; }
    iMessageSink& Messages() override { return m_Boxes; }
    iQuestions& Questions() override { return m_Boxes; }
    iFileChooser& FileChooser() override { return m_Files; }
    iFontChooser& FontChooser() override { return m_Fonts; }
    iPrinterChooser& PrinterChooser() override { return m_Printers; }

private:
    bool OwnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void RunPosted();

    cMainPresenter& m_Presenter;
    iDesktop& m_Desktop;
    cWin32FormView m_View;
    cWin32Desktop m_Boxes;
    // Over the window, once it stands.
    cWin32FormRunner m_Runner{nullptr};
    cWin32FileChooser m_Files{nullptr};
    cWin32FontChooser m_Fonts{nullptr};
    cWin32PrinterChooser m_Printers{nullptr};
    bool m_TimerRunning = false;
    bool m_Closed = false;
    std::mutex m_PostedLock;
    std::deque<std::function<void()>> m_Posted;
};

}  // namespace orvik
