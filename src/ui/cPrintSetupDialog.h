#pragma once
// The report's header and footer texts and its three fonts, on a working
// copy of the settings that the caller takes back on OK.

#include <QDialog>

#include "settings/FontString.h"
#include "settings/cSetupData.h"

namespace orvik {

class iFontChooser;

class cPrintSetupDialog final : public QDialog {
public:
    cPrintSetupDialog(QWidget* parent, iFontChooser& fonts);

    // Filled by the caller before the dialog runs (then call Initialise), read after OK.
    cSetupData m_Setup;

    void Initialise();
    void OnRegularFont() { OnFont(Regular); }
    void OnHeaderFooterFont() { OnFont(HeaderFooter); }
    void OnStrongFont() { OnFont(Strong); }
    void OnOK();

private:
    void OnFont(int kind);

    iFontChooser& m_Fonts;
};

}  // namespace orvik
