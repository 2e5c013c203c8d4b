#pragma once
// A dialog's behaviour, without a toolkit: the front end shows the form the
// presenter describes, calls Initialise once it stands, and hands on every
// event; the presenter reads and changes the controls through the view.

#include "forms/cForm.h"
#include "forms/iFormView.h"

namespace orvik {

class cFormPresenter {
public:
    virtual ~cFormPresenter() = default;
    virtual const cForm& Form() const = 0;
    virtual void Initialise(iFormView& view) = 0;
    // OK and Cancel end the dialog unless the presenter has more to do with them;
    // Enter presses the default button.
    virtual void OnEvent(iFormView& view, int id, eFormEvent event) {
        if (event == eFormEvent::kEnter) {
            for (const cControl& c : Form().controls)
                if (c.kind == eControlKind::kDefaultButton) OnEvent(view, c.id, eFormEvent::kClicked);
        } else if (event == eFormEvent::kClicked && (id == kIdOk || id == kIdCancel)) {
            view.End(id == kIdOk);
        }
    }
    // A click on a column's title in the report list `id`.
    virtual void OnColumnClicked(iFormView& /*view*/, int /*id*/, int /*column*/) {}
    // The pop-up menu was asked for over the list `id` (right mouse button, or its key).
    virtual void OnContextMenu(iFormView& /*view*/, int /*id*/) {}
};

// Runs a dialog modally (for a dialog that opens another); true when it ended with OK.
class iFormRunner {
public:
    virtual ~iFormRunner() = default;
    virtual bool Run(cFormPresenter& presenter) = 0;
};

}  // namespace orvik
