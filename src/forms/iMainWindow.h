#pragma once
// What the main window's presenter needs of the window beyond its controls:
// the title, the timer, a wake-up posted from a worker thread, the progress
// window, the pop-up menu, the help and About, the place in a long list,
// and the platform's dialogs and message boxes.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "forms/cFormPresenter.h"

namespace orvik {

class iFileChooser;
class iFontChooser;
class iMessageSink;
class iPrinterChooser;
class iQuestions;

// The progress window, up for as long as it lives.
class iProgressWindow {
public:
    virtual ~iProgressWindow() = default;
    // Puts the text in and has it painted before returning.
    virtual void SetText(const std::u16string& text) = 0;
    // Keeps the window painted (the user's input held back) until `done`
    // holds, asking every `pollMs`.
    virtual void WaitUntil(const std::function<bool()>& done, int pollMs) = 0;
};

struct cMenuItem {
    int id;
    std::u16string caption;
    bool enabled;
};

class iMainWindow {
public:
    virtual ~iMainWindow() = default;

    virtual void SetTitle(const std::u16string& title) = 0;
    // The timer that calls the presenter's OnTimer every `ms`.
    virtual void StartTimer(int ms) = 0;
    virtual void StopTimer() = 0;
    virtual bool TimerRunning() const = 0;
    // Runs `call` soon on the window's thread; may be called from any thread.
    virtual void Post(std::function<void()> call) = 0;
    // Centred over the window, or over the screen while the window is not up yet.
    virtual std::unique_ptr<iProgressWindow> ShowProgress() = 0;
    // A pop-up menu at the mouse; the id of the item chosen, or 0.
    virtual int PopUpMenu(const std::vector<cMenuItem>& items) = 0;
    virtual void ShowHelp() = 0;
    virtual void ShowAbout(const std::u16string& text) = 0;

    // A long list: no drawing while it is rewritten, and its place (the
    // first row shown) kept and given back.
    virtual void HoldDrawing(int listId, bool hold) = 0;
    virtual int TopRow(int listId) const = 0;
    virtual void ScrollTo(int listId, int topRow) = 0;

    virtual iFormRunner& Forms() = 0;
    virtual iMessageSink& Messages() = 0;
    virtual iQuestions& Questions() = 0;
    virtual iFileChooser& FileChooser() = 0;
    virtual iFontChooser& FontChooser() = 0;
    virtual iPrinterChooser& PrinterChooser() = 0;
};

}  // namespace orvik
