#pragma once
// What a presenter needs of a dialog on the screen, whatever draws it:
// controls are reached by their ids from the dialog's description.

#include <string>
#include <string_view>
#include <vector>

namespace orvik {

class iListView;

// What happened to a control, as the front end tells its presenter.
enum class eFormEvent {
    kClicked,           // a button was pressed
    kTextChanged,       // an edit box's text changed
    kSelectionChanged,  // the rows marked in a list, or the choice of a drop-down list, changed
    kDoubleClicked,     // a row of a list was double-clicked
    kStepUp,            // a spin control's up arrow (or the Up key in its edit box)
    kStepDown,
    kEnter,  // the Enter key in an edit box; unless the presenter takes it, it presses the default button
};

// The caret and the selection of an edit box: `length` characters from `start`.
struct cTextRange {
    int start = 0;
    int length = 0;
};

class iFormView {
public:
    virtual ~iFormView() = default;

    virtual std::u16string Text(int id) const = 0;
    virtual void SetText(int id, std::u16string_view text) = 0;
    // Of an edit box: where its caret and selection are, or were when it last had the focus.
    virtual cTextRange Selection(int id) const = 0;
    virtual void SetSelection(int id, cTextRange range) = 0;
    virtual bool Checked(int id) const = 0;
    virtual void SetChecked(int id, bool checked) = 0;
    virtual void Enable(int id, bool enabled) = 0;
    // The rows of a name list.
    virtual iListView& List(int id) = 0;
    // The entries of a drop-down list, none chosen; Choice is -1 while none is.
    virtual void SetChoices(int id, const std::vector<std::u16string>& choices) = 0;
    virtual int Choice(int id) const = 0;
    virtual std::u16string ChoiceText(int id) const = 0;
    virtual void Focus(int id) = 0;
    // The character that groups the thousands of a number shown to the user.
    virtual char16_t GroupSeparator() const = 0;
    // The wait cursor while a slow step runs.
    virtual void SetBusy(bool busy) = 0;
    // Closes the dialog; `ok` tells the caller whether to take its result.
    virtual void End(bool ok) = 0;
};

}  // namespace orvik
