#pragma once
// The program's main window in Qt: the main form drawn from its description,
// its behaviour in the presenter, and what the presenter needs of a window
// (the title, the timer, the progress window, the pop-up menu, the help,
// the platform's dialogs) done with Qt.

#include <QTimer>
#include <memory>

#include "forms/cMainPresenter.h"
#include "forms/iMainWindow.h"
#include "ui/cQtChoosers.h"
#include "ui/cQtDesktop.h"
#include "ui/cQtForm.h"
#include "ui/cQtSurface.h"

namespace orvik {

class cHelpWindow;

// The dialogs and message boxes the window uses; the platform's own where not given.
struct cMainDialogOptions {
    iMessageSink* messages = nullptr;
    iQuestions* questions = nullptr;
    iFileChooser* fileChooser = nullptr;
    iFontChooser* fontChooser = nullptr;
    iPrinterChooser* printerChooser = nullptr;
};

class cMainDialog final : public cQtForm, public iMainWindow {
public:
    explicit cMainDialog(cMainPresenter& presenter, cMainDialogOptions options = {});
    ~cMainDialog() override;

    void SetTitle(const std::u16string& title) override;
    void StartTimer(int ms) override { m_Timer.start(ms); }
    void StopTimer() override { m_Timer.stop(); }
    bool TimerRunning() const override { return m_Timer.isActive(); }
    void Post(std::function<void()> call) override;
    std::unique_ptr<iProgressWindow> ShowProgress() override;
    int PopUpMenu(const std::vector<cMenuItem>& items) override;
    void ShowHelp() override;
    void ShowAbout(const std::u16string& text) override;
    void HoldDrawing(int listId, bool hold) override;
    int TopRow(int listId) const override;
    void ScrollTo(int listId, int topRow) override;
    iFormRunner& Forms() override { return m_Runner; }
    iMessageSink& Messages() override { return m_Messages; }
    iQuestions& Questions() override { return m_Questions; }
    iFileChooser& FileChooser() override { return m_FileChooser; }
    iFontChooser& FontChooser() override { return m_FontChooser; }
    iPrinterChooser& PrinterChooser() override { return m_PrinterChooser; }

private:
    cMainPresenter& m_Presenter;
    cQtMessageSink m_Boxes;
    cQtFileChooser m_FileDialog;
    cQtFontChooser m_FontDialog;
    cQtPrinterChooser m_PrintDialog;
    cQtFormRunner m_Runner;
    iMessageSink& m_Messages;
    iQuestions& m_Questions;
    iFileChooser& m_FileChooser;
    iFontChooser& m_FontChooser;
    iPrinterChooser& m_PrinterChooser;
    QTimer m_Timer;
    cHelpWindow* m_Help = nullptr;
};

}  // namespace orvik
