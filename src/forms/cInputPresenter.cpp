#include "forms/cInputPresenter.h"

#include "forms/Forms.h"

namespace orvik {

const cForm& cInputPresenter::Form() const { return InputForm(); }

void cInputPresenter::Initialise(iFormView& view) {
    view.SetText(input::kPrompt, m_Prompt);
    view.SetText(input::kValue, m_Value);
    view.Focus(input::kValue);
}

void cInputPresenter::OnEvent(iFormView& view, int id, eFormEvent event) {
    if (id == kIdOk && event == eFormEvent::kClicked) m_Value = view.Text(input::kValue);
    cFormPresenter::OnEvent(view, id, event);
}

}  // namespace orvik
