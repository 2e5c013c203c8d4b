#pragma once
// A dialog built from its description and driven by its presenter: each
// control is named "id<id>" (tests find them by it), placed in dialog units
// of this font, and every signal it gives is handed to the presenter.

#include <QDialog>
#include <map>
#include <memory>

#include "forms/cFormPresenter.h"
#include "ui/cQtListView.h"

class QLineEdit;

namespace orvik {

class cQtForm : public QDialog, public iFormView {
public:
    cQtForm(QWidget* parent, cFormPresenter& presenter) : cQtForm(parent, presenter, true) {}
    ~cQtForm() override;

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

protected:
    // Without `initialise` the presenter is not told the form stands: a form
    // whose presenter needs more than the controls tells it itself.
    cQtForm(QWidget* parent, cFormPresenter& presenter, bool initialise);
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    cQtListView& QtList(int id) { return *m_Lists.at(id); }
    QWidget* Widget(int id) const;

private:
    QWidget* Make(const cControl& control);
    void FitGrownTexts();
    QWidget* MakeList(const cControl& control, const QRect& area);

    cFormPresenter& m_Presenter;
    std::map<int, std::unique_ptr<cQtListView>> m_Lists;
    std::map<const QLineEdit*, int> m_EditIds;
    std::map<const QLineEdit*, int> m_SpinOfBuddy;
    std::map<int, cTextRange> m_Selections;  // of the edit boxes, as they were when last focused
    std::vector<QWidget*> m_Grown;
    // Of a resizable form: its size as designed, and where each control stood in it.
    QSize m_BaseSize;
    std::vector<std::pair<QWidget*, QRect>> m_BasePlaces;
    int m_Busy = 0;
};

// Runs the presenter's dialog modally over `parent`; true when it ended with OK.
bool RunForm(QWidget* parent, cFormPresenter& presenter);

class cQtFormRunner final : public iFormRunner {
public:
    explicit cQtFormRunner(QWidget* parent) : m_Parent(parent) {}
    bool Run(cFormPresenter& presenter) override { return RunForm(m_Parent, presenter); }

private:
    QWidget* m_Parent;
};

}  // namespace orvik

namespace orvik {

// The control of `dialog` with the id `id`, or nullptr.
template <typename T>
T* Control(const QWidget& dialog, int id) {
    return dialog.findChild<T*>(QStringLiteral("id%1").arg(id));
}

}  // namespace orvik
