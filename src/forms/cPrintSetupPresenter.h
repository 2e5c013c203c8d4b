#pragma once
// "Print setup": the report's header and footer texts and its three fonts, on
// a working copy of the settings that the caller takes back on OK.

#include "forms/cFormPresenter.h"
#include "settings/cSetupData.h"

namespace orvik {

class iFontChooser;

class cPrintSetupPresenter final : public cFormPresenter {
public:
    cPrintSetupPresenter(const cSetupData& setup, iFontChooser& fonts);

    const cForm& Form() const override;
    void Initialise(iFormView& view) override;
    void OnEvent(iFormView& view, int id, eFormEvent event) override;

    const cSetupData& Setup() const { return m_Setup; }

private:
    void ChooseFont(int kind);

    cSetupData m_Setup;
    iFontChooser& m_Fonts;
};

}  // namespace orvik
