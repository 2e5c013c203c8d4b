#include "ui/cSetupDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "ui/DialogLayout.h"
#include "ui/QtText.h"
#include "ui/cPrintSetupDialog.h"
#include "ui/cSpinControl.h"
#include "ui/iChoosers.h"

namespace orvik {
namespace {

enum : int {
    kExportFile = 1009,
    kBrowseExport = 1010,
    kFormat = 1011,
    kVariables = 1012,
    kInsert = 1013,
    kDefaultDomains = 1020,
    kSummaryFile = 1021,
    kBrowseSummary = 1022,
    kAutoRefresh = 1025,
    kPrintSetup = 3,
};

}  // namespace

cSetupDialog::cSetupDialog(QWidget* parent, iFileChooser& files, iFontChooser& fonts)
    : QDialog(parent), m_Files(files), m_Fonts(fonts) {
    setObjectName(QStringLiteral("id130"));
    cDialogLayout layout(*this, QStringLiteral("Setup"), 394, 223);
    const cDialogUnits& du = layout.Units();
    auto spin = [&](int spinId, int buddyId, int x, int y, int width, int height) {
        QLineEdit* buddy = layout.Edit(buddyId, x, y, width, height);
        auto* control = new cSpinControl(this, *buddy, du.X(11), du.Y(11));
        control->setObjectName(QStringLiteral("id%1").arg(spinId));
        return control;
    };
    layout.Group(QStringLiteral("Export file"), 3, 3, 327, 90);
    layout.Label(QStringLiteral("File:"), 11, 17, 19, 10);
    layout.Edit(kExportFile, 62, 15, 221, 13);
    auto* browseExport = layout.Button(kBrowseExport, QStringLiteral("Browse"), 288, 15, 34, 13);
    layout.Label(QStringLiteral("Format:"), 11, 37, 30, 11);
    m_Format = layout.Edit(kFormat, 62, 35, 260, 13);
    layout.Label(QStringLiteral("Variables:"), 11, 57, 32, 8);
    m_Variables = layout.Combo(kVariables, 62, 55, 221, 123);
    m_Insert = layout.Button(kInsert, QStringLiteral("Insert"), 288, 55, 34, 13);
    layout.Label(QStringLiteral("Summary file:"), 11, 77, 42, 8);
    layout.Edit(kSummaryFile, 62, 75, 221, 13);
    auto* browseSummary = layout.Button(kBrowseSummary, QStringLiteral("Browse"), 288, 75, 34, 13);
    layout.Group(QStringLiteral("Show results parameters"), 4, 98, 327, 62);
    layout.Label(QStringLiteral("Default domain(s) when searching for domain controllers:"), 11, 112, 181, 11);
    layout.Edit(kDefaultDomains, 216, 110, 107, 13);
    layout.Check(kAutoRefresh, QStringLiteral("When new results are available, update list with users every"), 10, 126,
                 203, 12);
    m_RefreshPeriod = spin(1024, 1023, 216, 126, 50, 12);
    layout.Label(QStringLiteral("seconds."), 281, 129, 38, 12);
    layout.Label(QStringLiteral("Number of users printed and shown in list with users:"), 11, 143, 197, 11);
    m_UsersShown = spin(1019, 1018, 216, 141, 50, 12);
    layout.Label(QStringLiteral("users."), 281, 143, 24, 12);
    layout.Group(QStringLiteral("Data collection process (advanced)"), 5, 168, 327, 50);
    layout.Label(QStringLiteral("Userdata collection buffer size:"), 11, 184, 106, 11);
    m_BufferSize = spin(1015, 1014, 217, 182, 50, 12);
    layout.Label(QStringLiteral("KB."), 281, 183, 44, 11);
    layout.Label(QStringLiteral("Maximum number of concurrent userdata collection threads:"), 11, 200, 191, 11);
    m_MaxThreads = spin(1017, 1016, 217, 198, 50, 12);
    layout.Label(QStringLiteral("threads."), 281, 200, 38, 11);
    layout.OkCancel(339, 7, 26, 50, 14, [this] { OnOK(); });
    auto* printSetup = layout.Button(kPrintSetup, QStringLiteral("Print setup"), 339, 102, 50, 14);

    connect(browseExport, &QPushButton::clicked, this, [this] { OnBrowseExportFile(); });
    connect(m_Insert, &QPushButton::clicked, this, [this] { OnInsertVariable(); });
    connect(m_Variables, &QComboBox::currentIndexChanged, this, [this] { OnVariableSelChange(); });
    connect(printSetup, &QPushButton::clicked, this, [this] { OnPrintSetup(); });
    connect(browseSummary, &QPushButton::clicked, this, [this] { OnBrowseSummaryFile(); });
    // The caret and selection of the format box outlive its focus, so that
    // Insert puts the variable where the user left them.
    auto remember = [this] {
        if (!m_Format->hasFocus()) return;
        m_FormatStart = m_Format->hasSelectedText() ? m_Format->selectionStart() : m_Format->cursorPosition();
        m_FormatLength = m_Format->hasSelectedText() ? static_cast<int>(m_Format->selectedText().size()) : 0;
    };
    connect(m_Format, &QLineEdit::cursorPositionChanged, this, remember);
    connect(m_Format, &QLineEdit::selectionChanged, this, remember);
}

void cSetupDialog::Initialise() {
    Control<QLineEdit>(*this, kExportFile)->setText(ToQt(m_Setup.m_ExportFile));
    m_Format->setText(ToQt(m_Setup.m_ExportFormat));
    m_FormatStart = static_cast<int>(m_Format->text().size());
    m_FormatLength = 0;
    Control<QLineEdit>(*this, kDefaultDomains)->setText(ToQt(m_Setup.m_DefaultDomains));
    Control<QLineEdit>(*this, kSummaryFile)->setText(ToQt(m_Setup.m_SummaryFile));
    // A stored value outside its range is shown at the nearest end of it.
    m_UsersShown->SetRange(1, 32767);
    m_UsersShown->SetPos(m_Setup.m_UsersShown);
    m_BufferSize->SetRange(10, 32767);
    m_BufferSize->SetPos(m_Setup.m_BufferSize);
    m_MaxThreads->SetRange(1, 1000);
    m_MaxThreads->SetPos(m_Setup.m_MaxThreads);
    m_RefreshPeriod->SetRange(0, 1800);
    m_RefreshPeriod->SetPos(m_Setup.m_RefreshPeriod);
    Control<QCheckBox>(*this, kAutoRefresh)->setChecked(m_Setup.m_AutoRefresh != 0);
    QStringList names{QStringLiteral("%USER_NAME%"),       QStringLiteral("%FULL_NAME%"),
                      QStringLiteral("%LAST_LOGON_TIME%"), QStringLiteral("%LAST_LOGON_TIME_NUMBER_VALUE%"),
                      QStringLiteral("%DESCRIPTION%"),     QStringLiteral("%DOMAIN%")};
    names.sort();  // a sorted list
    m_Variables->blockSignals(true);
    m_Variables->clear();
    m_Variables->addItems(names);
    m_Variables->setCurrentIndex(-1);  // none chosen
    m_Variables->blockSignals(false);
    OnVariableSelChange();
    Control<QLineEdit>(*this, kExportFile)->setFocus();
}

void cSetupDialog::OnVariableSelChange() { m_Insert->setEnabled(m_Variables->currentIndex() >= 0); }

void cSetupDialog::OnInsertVariable() {
    if (m_Variables->currentIndex() < 0) return;
    const QString variable = m_Variables->currentText();
    QString text = m_Format->text();
    const int start = std::clamp(m_FormatStart, 0, static_cast<int>(text.size()));
    const int length = std::clamp(m_FormatLength, 0, static_cast<int>(text.size()) - start);
    text.replace(start, length, variable);
    m_Format->setText(text);
    m_FormatStart = start + static_cast<int>(variable.size());
    m_FormatLength = 0;
    m_Format->setCursorPosition(m_FormatStart);
    OnVariableSelChange();
}

void cSetupDialog::Browse(std::u16string& field, int editId) {
    // From the stored value, not from what the box shows now.
    std::u16string path = field;
    if (m_Files.BrowseForFile(this, path, u"Export file filter (*.txt)|*.txt", u"All files (*.*)|*.*", u"txt", false) !=
        0)
        return;
    field = path;
    Control<QLineEdit>(*this, editId)->setText(ToQt(path));
}

void cSetupDialog::OnBrowseExportFile() { Browse(m_Setup.m_ExportFile, kExportFile); }

void cSetupDialog::OnBrowseSummaryFile() { Browse(m_Setup.m_SummaryFile, kSummaryFile); }

void cSetupDialog::OnPrintSetup() {
    cPrintSetupDialog dialog(this, m_Fonts);
    dialog.m_Setup.CopyFrom(m_Setup);
    dialog.Initialise();
    if (dialog.exec() == QDialog::Accepted) m_Setup.CopyFrom(dialog.m_Setup);
}

void cSetupDialog::OnOK() {
    m_Setup.m_ExportFile = FromQt(Control<QLineEdit>(*this, kExportFile)->text());
    m_Setup.m_ExportFormat = FromQt(m_Format->text());
    m_Setup.m_DefaultDomains = FromQt(Control<QLineEdit>(*this, kDefaultDomains)->text());
    m_Setup.m_SummaryFile = FromQt(Control<QLineEdit>(*this, kSummaryFile)->text());
    m_Setup.m_UsersShown = m_UsersShown->Pos();
    m_Setup.m_BufferSize = m_BufferSize->Pos();
    m_Setup.m_MaxThreads = m_MaxThreads->Pos();
    m_Setup.m_RefreshPeriod = m_RefreshPeriod->Pos();
    m_Setup.m_AutoRefresh = Control<QCheckBox>(*this, kAutoRefresh)->isChecked() ? 1 : 0;
    accept();
}

}  // namespace orvik
