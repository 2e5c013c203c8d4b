#pragma once
// "Setup": every setting but the report's texts and fonts, which its Print
// setup button hands on to a dialog of their own; all on a working copy that
// the caller takes over on OK.

#include <array>

#include "forms/cFormPresenter.h"
#include "forms/cSpinField.h"
#include "settings/cSetupData.h"

namespace orvik {

class iFileChooser;
class iFontChooser;

class cSetupPresenter final : public cFormPresenter {
public:
    // `runner` opens Print setup from here.
    cSetupPresenter(const cSetupData& setup, iFileChooser& files, iFontChooser& fonts, iFormRunner& runner);

    const cForm& Form() const override;
    void Initialise(iFormView& view) override;
    void OnEvent(iFormView& view, int id, eFormEvent event) override;

    // The settings as the dialog left them; after OK, what the user chose.
    const cSetupData& Setup() const { return m_Setup; }

private:
    void Browse(iFormView& view, std::u16string& field, int editId);
    void InsertVariable(iFormView& view);
    void TakeAll(iFormView& view);
    cSpinField* SpinOf(int id);

    cSetupData m_Setup;
    iFileChooser& m_Files;
    iFontChooser& m_Fonts;
    iFormRunner& m_Runner;
    std::array<cSpinField, 4> m_Spins;
};

}  // namespace orvik
