#include "ui/cPrintSetupDialog.h"

#include <QLineEdit>
#include <QPushButton>

#include "settings/FontString.h"
#include "ui/DialogLayout.h"
#include "ui/QtText.h"
#include "ui/iChoosers.h"

namespace orvik {
namespace {

enum : int { kHeaderLeft = 1029, kHeaderRight = 1030, kFooterLeft = 1031, kFooterRight = 1032 };

}  // namespace

cPrintSetupDialog::cPrintSetupDialog(QWidget* parent, iFontChooser& fonts) : QDialog(parent), m_Fonts(fonts) {
    setObjectName(QStringLiteral("id133"));
    cDialogLayout layout(*this, QStringLiteral("Print setup"), 347, 86);
    layout.Group(QStringLiteral("Header text left"), 3, 2, 136, 29);
    layout.Edit(kHeaderLeft, 8, 13, 124, 12);
    layout.Group(QStringLiteral("Header text right"), 143, 2, 136, 29);
    layout.Edit(kHeaderRight, 148, 13, 124, 12);
    layout.Group(QStringLiteral("Footer text left"), 3, 32, 136, 29);
    layout.Edit(kFooterLeft, 7, 43, 124, 12);
    layout.Group(QStringLiteral("Footer text right"), 143, 32, 136, 29);
    layout.Edit(kFooterRight, 147, 43, 124, 12);
    auto* regular = layout.Button(1033, QStringLiteral("Regular font"), 4, 67, 78, 13);
    auto* headerFooter = layout.Button(1034, QStringLiteral("Header/footer font"), 104, 67, 78, 13);
    auto* strong = layout.Button(1035, QStringLiteral("Strong font"), 201, 67, 78, 13);
    layout.OkCancel(288, 5, 22, 50, 14, [this] { OnOK(); });
    connect(regular, &QPushButton::clicked, this, [this] { OnRegularFont(); });
    connect(headerFooter, &QPushButton::clicked, this, [this] { OnHeaderFooterFont(); });
    connect(strong, &QPushButton::clicked, this, [this] { OnStrongFont(); });
}

void cPrintSetupDialog::Initialise() {
    Control<QLineEdit>(*this, kHeaderLeft)->setText(ToQt(m_Setup.m_HeaderLeft));
    Control<QLineEdit>(*this, kHeaderRight)->setText(ToQt(m_Setup.m_HeaderRight));
    Control<QLineEdit>(*this, kFooterLeft)->setText(ToQt(m_Setup.m_FooterLeft));
    Control<QLineEdit>(*this, kFooterRight)->setText(ToQt(m_Setup.m_FooterRight));
    Control<QLineEdit>(*this, kHeaderLeft)->setFocus();
}

void cPrintSetupDialog::OnFont(int kind) {
    std::u16string& field = FontField(m_Setup, kind);
    // A field that does not parse becomes the default, even if the user cancels.
    LogFont font = RepairFontOfKind(field, kind);
    const LogFont before = font;
    // A font confirmed unchanged keeps its string byte for byte.
    if (m_Fonts.ChooseFont(this, font) && font != before) field = FormatFontString(font);
}

void cPrintSetupDialog::OnOK() {
    m_Setup.m_HeaderLeft = FromQt(Control<QLineEdit>(*this, kHeaderLeft)->text());
    m_Setup.m_HeaderRight = FromQt(Control<QLineEdit>(*this, kHeaderRight)->text());
    m_Setup.m_FooterLeft = FromQt(Control<QLineEdit>(*this, kFooterLeft)->text());
    m_Setup.m_FooterRight = FromQt(Control<QLineEdit>(*this, kFooterRight)->text());
    accept();
}

}  // namespace orvik
