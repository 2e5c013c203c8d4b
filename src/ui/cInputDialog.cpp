#include "ui/cInputDialog.h"

#include <QLabel>
#include <QLineEdit>

#include "base/Vendor.h"
#include "ui/DialogLayout.h"
#include "ui/Pictures.h"
#include "ui/QtText.h"

namespace orvik {

cInputDialog::cInputDialog(QWidget* parent, const std::u16string& prompt, const std::u16string& value)
    : QDialog(parent) {
    setObjectName(QStringLiteral("id146"));
    cDialogLayout layout(*this, ToQt(kProductName) + QStringLiteral(" input"), 322, 45);
    layout.Group(QString(), 3, 0, 258, 39);
    layout.Label(QString(), 9, 9, 20, 20)->setPixmap(ProgramIcon().pixmap(32, 32));
    layout.Label(ToQt(prompt), 40, 8, 209, 10, 1036);
    m_Edit = layout.Edit(1035, 39, 19, 214, 13);
    m_Edit->setText(ToQt(value));
    layout.OkCancel(267, 5, 24, 50, 14);
    m_Edit->setFocus();
}

std::u16string cInputDialog::Value() const { return FromQt(m_Edit->text()); }

int ShowInputDialog(QWidget* parent, const std::u16string& prompt, std::u16string& value) {
    cInputDialog dialog(parent, prompt, value);
    if (dialog.exec() != QDialog::Accepted) return -1;
    value = dialog.Value();
    return 0;
}

}  // namespace orvik
