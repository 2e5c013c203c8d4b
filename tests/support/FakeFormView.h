#pragma once
// A dialog on no screen: what a presenter sets is kept per control id, and
// the test types, clicks and marks rows the way a user would, each followed
// by the event a front end gives.

#include <map>
#include <string>
#include <vector>

#include "engine/cMemoryListView.h"
#include "forms/cFormPresenter.h"

namespace orvik::test {

class FakeFormView final : public iFormView {
public:
    explicit FakeFormView(cFormPresenter& presenter) : m_Presenter(presenter) { presenter.Initialise(*this); }

    // What a user does.
    void Type(int id, std::u16string_view text) { SetText(id, text); }  // as a text set, it tells the presenter
    void Click(int id) {
        if (IsEnabled(id)) m_Presenter.OnEvent(*this, id, eFormEvent::kClicked);
    }
    void Mark(int id, std::initializer_list<int> rows) {
        cMemoryListView& list = m_Lists[id];
        for (int r = 0; r < list.GetRowCount(); ++r) list.SetSelected(r, false);
        for (int r : rows) list.SetSelected(r, true);
        m_Presenter.OnEvent(*this, id, eFormEvent::kSelectionChanged);
    }
    void DoubleClick(int id, int row) {
        Mark(id, {row});
        m_Presenter.OnEvent(*this, id, eFormEvent::kDoubleClicked);
    }
    void Choose(int id, const std::u16string& choice) {
        const auto& choices = m_Choices[id];
        for (std::size_t i = 0; i < choices.size(); ++i)
            if (choices[i] == choice) m_Chosen[id] = static_cast<int>(i);
        m_Presenter.OnEvent(*this, id, eFormEvent::kSelectionChanged);
    }
    void PressEnter(int id) { m_Presenter.OnEvent(*this, id, eFormEvent::kEnter); }
    void Step(int id, int by) { m_Presenter.OnEvent(*this, id, by > 0 ? eFormEvent::kStepUp : eFormEvent::kStepDown); }

    // What the dialog shows.
    std::vector<std::u16string> Rows(int id) {
        std::vector<std::u16string> rows;
        for (int r = 0; r < m_Lists[id].GetRowCount(); ++r) rows.push_back(m_Lists[id].GetCellText(r, 0));
        return rows;
    }
    bool IsEnabled(int id) const { return m_Disabled.count(id) == 0 || !m_Disabled.at(id); }
    const std::vector<std::u16string>& Choices(int id) { return m_Choices[id]; }
    int Ended() const { return m_Ended; }  // 0 open, 1 OK, -1 Cancel
    int busy = 0;

    std::u16string Text(int id) const override {
        auto it = m_Texts.find(id);
        return it != m_Texts.end() ? it->second : std::u16string();
    }
    void SetText(int id, std::u16string_view text) override {
        m_Texts[id] = std::u16string(text);
        m_Selections[id] = {static_cast<int>(text.size()), 0};
        m_Presenter.OnEvent(*this, id, eFormEvent::kTextChanged);
    }
    cTextRange Selection(int id) const override {
        auto it = m_Selections.find(id);
        return it != m_Selections.end() ? it->second : cTextRange{};
    }
    void SetSelection(int id, cTextRange range) override { m_Selections[id] = range; }
    bool Checked(int id) const override { return m_Checked.count(id) != 0 && m_Checked.at(id); }
    void SetChecked(int id, bool checked) override { m_Checked[id] = checked; }
    void Enable(int id, bool enabled) override { m_Disabled[id] = !enabled; }
    iListView& List(int id) override { return m_Lists[id]; }
    void SetChoices(int id, const std::vector<std::u16string>& choices) override {
        m_Choices[id] = choices;
        m_Chosen[id] = -1;
    }
    int Choice(int id) const override {
        auto it = m_Chosen.find(id);
        return it != m_Chosen.end() ? it->second : -1;
    }
    std::u16string ChoiceText(int id) const override {
        const int i = Choice(id);
        return i >= 0 ? m_Choices.at(id)[static_cast<std::size_t>(i)] : std::u16string();
    }
    void Focus(int) override {}
    char16_t GroupSeparator() const override { return u','; }
    void SetBusy(bool on) override { busy += on ? 1 : -1; }
    void End(bool ok) override { m_Ended = ok ? 1 : -1; }

private:
    cFormPresenter& m_Presenter;
    std::map<int, std::u16string> m_Texts;
    std::map<int, cTextRange> m_Selections;
    std::map<int, bool> m_Checked, m_Disabled;
    std::map<int, cMemoryListView> m_Lists;
    std::map<int, std::vector<std::u16string>> m_Choices;
    std::map<int, int> m_Chosen;
    int m_Ended = 0;
};

}  // namespace orvik::test
