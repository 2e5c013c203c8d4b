#pragma once
// A main window on no screen: the title, the timer and the posted calls are
// kept for the test to look at and run; dialogs are answered by scripts the
// test queues (none queued: Cancel), questions by queued answers (none: No),
// the print dialog by a recording surface or Cancel.

#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "forms/iChoosers.h"
#include "forms/iMainWindow.h"
#include "output/cReportPrinter.h"
#include "platform/iMessageSink.h"
#include "support/FakeFormView.h"
#include "support/RecordingSurface.h"

namespace orvik::test {

class FakeMainWindow final : public iMainWindow,
                             public iFormRunner,
                             public iMessageSink,
                             public iQuestions,
                             public iPrinterChooser,
                             public iFileChooser,
                             public iFontChooser {
public:
    void SetTitle(const std::u16string& text) override { title = text; }
    void StartTimer(int) override { timer = true; }
    void StopTimer() override { timer = false; }
    bool TimerRunning() const override { return timer; }
    void Post(std::function<void()> call) override {
        std::lock_guard<std::mutex> lock(m_Mutex);
        m_Posted.push_back(std::move(call));
    }
    // Runs the calls posted so far (and those they post).
    void RunPosted() {
        for (;;) {
            std::function<void()> call;
            {
                std::lock_guard<std::mutex> lock(m_Mutex);
                if (m_Posted.empty()) return;
                call = std::move(m_Posted.front());
                m_Posted.pop_front();
            }
            call();
        }
    }
    // The window is gone: what it had posted never runs.
    void DropPosted() {
        std::lock_guard<std::mutex> lock(m_Mutex);
        m_Posted.clear();
    }
    std::unique_ptr<iProgressWindow> ShowProgress() override { return std::make_unique<Progress>(*this); }
    int PopUpMenu(const std::vector<cMenuItem>& items) override {
        menu = items;
        return menuChoice;
    }
    void ShowHelp() override { ++helps; }
    void ShowAbout(const std::u16string& text) override { about = text; }
    void HoldDrawing(int, bool hold) override { held += hold ? 1 : -1; }
    int TopRow(int) const override { return top; }
    void ScrollTo(int, int row) override { top = row; }

    iFormRunner& Forms() override { return *this; }
    iMessageSink& Messages() override { return *this; }
    iQuestions& Questions() override { return *this; }
    iFileChooser& FileChooser() override { return *this; }
    iFontChooser& FontChooser() override { return *this; }
    iPrinterChooser& PrinterChooser() override { return *this; }

    bool Run(cFormPresenter& presenter) override {
        FakeFormView view(presenter);
        opened.push_back(presenter.Form().id);
        if (dialogs.empty()) return false;
        auto act = std::move(dialogs.front());
        dialogs.pop_front();
        act(view);
        return view.Ended() == 1;
    }
    void ShowMessage(const std::u16string& text, const std::u16string&) override { messages.push_back(text); }
    bool AskYesNo(const std::u16string& question, bool) override {
        questions.push_back(question);
        if (answers.empty()) return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::unique_ptr<iDrawingSurface> ChoosePrinter() override {
        ++printDialogs;
        if (!print) return nullptr;
        return std::make_unique<RecordingSurface>(&printed);
    }
    int BrowseForFile(std::u16string&, const std::u16string&, const std::u16string&, const std::u16string&,
                      bool) override {
        return -1;
    }
    bool ChooseFont(LogFont&) override { return false; }

    std::u16string title;
    bool timer = false;
    std::vector<std::u16string> progressTexts;
    std::function<void()> whileWaiting;  // runs once the progress window waits
    std::vector<cMenuItem> menu;
    int menuChoice = 0;
    int helps = 0, held = 0, top = 0, printDialogs = 0;
    std::u16string about;
    std::deque<std::function<void(FakeFormView&)>> dialogs;
    std::vector<int> opened;  // the forms run, by id
    std::vector<std::u16string> messages, questions;
    std::deque<bool> answers;
    bool print = false;   // the print dialog's answer: print, or Cancel
    std::string printed;  // what was printed

private:
    class Progress final : public iProgressWindow {
    public:
        explicit Progress(FakeMainWindow& window) : m_Window(window) {}
        void SetText(const std::u16string& text) override { m_Window.progressTexts.push_back(text); }
        void WaitUntil(const std::function<bool()>& done, int) override {
            if (m_Window.whileWaiting) m_Window.whileWaiting();
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
            while (!done() && std::chrono::steady_clock::now() < deadline)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            EXPECT_TRUE(done()) << "a wait that does not end by itself";
        }

    private:
        FakeMainWindow& m_Window;
    };
    std::mutex m_Mutex;
    std::deque<std::function<void()>> m_Posted;
};

}  // namespace orvik::test
