#pragma once
// A dialog built from its description as a Win32 dialog template and driven
// by its presenter: each control has the id of its description, so it is
// found with GetDlgItem, and every notification it sends is handed to the
// presenter as an event.

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "forms/cFormPresenter.h"
#include "win32/cWin32ListView.h"

namespace orvik {

class cWin32FormView final : public iFormView {
public:
    explicit cWin32FormView(cFormPresenter& presenter) : m_Presenter(presenter) {}
    ~cWin32FormView() override;
    cWin32FormView(const cWin32FormView&) = delete;
    cWin32FormView& operator=(const cWin32FormView&) = delete;

    // The dialog window stands: its lists, spin controls and icon are set up, then the presenter initialises it.
    // True when the presenter put the focus somewhere itself.
    bool Attach(HWND dialog);
    // A message to the dialog: true (and `result`) when it was handled here.
    bool Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void PressEnter(int editId) { m_Presenter.OnEvent(*this, editId, eFormEvent::kEnter); }
    HWND Window() const { return m_Dialog; }
    cFormPresenter& Presenter() const { return m_Presenter; }
    // A window that is not a modal dialog: what its ending does (else it ends the modal dialog),
    // and the messages it handles itself before the form does.
    using tHandler = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)>;
    void SetOwnHandling(std::function<void(bool ok)> ending, tHandler handler) {
        m_Ending = std::move(ending);
        m_Handler = std::move(handler);
    }

    std::u16string Text(int id) const override;
    void SetText(int id, std::u16string_view text) override;
    cTextRange Selection(int id) const override;
    void SetSelection(int id, cTextRange range) override;
    bool Checked(int id) const override;
    void SetChecked(int id, bool checked) override;
    void Enable(int id, bool enabled) override;
    iListView& List(int id) override;
    void SetChoices(int id, const std::vector<std::u16string>& choices) override;
    int Choice(int id) const override;
    std::u16string ChoiceText(int id) const override;
    void Focus(int id) override;
    char16_t GroupSeparator() const override;
    void SetBusy(bool busy) override;
    void End(bool ok) override;

private:
    HWND Item(int id) const { return ::GetDlgItem(m_Dialog, id); }
    void Tell(int id, eFormEvent event) { m_Presenter.OnEvent(*this, id, event); }
    bool Notify(const NMHDR& header, LRESULT& result);
    // A resizable form's controls follow its size as their descriptions say.
    void Layout();

    cFormPresenter& m_Presenter;
    HWND m_Dialog = nullptr;
    std::map<int, std::unique_ptr<cWin32ListView>> m_Lists;
    std::vector<HBITMAP> m_Pictures;
    std::function<void(bool)> m_Ending;
    tHandler m_Handler;
    // Of a resizable form: its size as designed, and where each control stood in it.
    SIZE m_BaseClient{}, m_BaseWindow{};
    std::vector<std::pair<HWND, RECT>> m_BasePlaces;
    int m_Busy = 0;
    bool m_Focused = false;
};

// Creates the presenter's form as a window that is not modal (its presenter
// gets Initialise as a dialog's does); nullptr when it cannot be made.
HWND CreateForm(HWND owner, cWin32FormView& view);

// Runs the presenter's dialog modally over `owner` (over the innermost form
// still running, when one is); true when it ended with OK.
bool RunForm(HWND owner, cFormPresenter& presenter);

class cWin32FormRunner final : public iFormRunner {
public:
    explicit cWin32FormRunner(HWND owner) : m_Owner(owner) {}
    bool Run(cFormPresenter& presenter) override { return RunForm(m_Owner, presenter); }

private:
    HWND m_Owner;
};

}  // namespace orvik
