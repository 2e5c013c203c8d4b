#pragma once
// The settings, except the report's texts and fonts (which its Print setup
// button hands on), on a working copy that the caller takes over on OK.

#include <QDialog>

#include "settings/cSetupData.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace orvik {

class cSpinControl;
class iFileChooser;
class iFontChooser;

class cSetupDialog final : public QDialog {
public:
    cSetupDialog(QWidget* parent, iFileChooser& files, iFontChooser& fonts);

    // Filled by the caller before the dialog runs (then call Initialise), read after OK.
    cSetupData m_Setup;

    void Initialise();
    void OnBrowseExportFile();
    void OnInsertVariable();
    void OnVariableSelChange();
    void OnPrintSetup();
    void OnBrowseSummaryFile();
    void OnOK();

private:
    void Browse(std::u16string& field, int editId);

    iFileChooser& m_Files;
    iFontChooser& m_Fonts;
    cSpinControl* m_RefreshPeriod;
    cSpinControl* m_UsersShown;
    cSpinControl* m_BufferSize;
    cSpinControl* m_MaxThreads;
    QLineEdit* m_Format;
    QComboBox* m_Variables;
    QPushButton* m_Insert;
    // Where the format box's caret and selection were when it last had the focus.
    int m_FormatStart = 0;
    int m_FormatLength = 0;
};

}  // namespace orvik
