#include "ui/HelpPage.h"

#include "forms/HelpPage.h"

#include "base/Vendor.h"
#include "ui/QtText.h"

#include <QTextBrowser>
#include <QVBoxLayout>

#include "ui/Pictures.h"

namespace orvik {

cHelpWindow::cHelpWindow(QWidget* parent) : QDialog(parent), m_Browser(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(ToQt(kProductName) + QStringLiteral(" help"));
    setWindowIcon(ProgramIcon());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_Browser);
    m_Browser->setHtml(ToQt(HelpPageHtml()));
    resize(640, 480);
}

void cHelpWindow::ShowTopic(int context) {
    m_Browser->scrollToAnchor(QString::number(context));
    show();
    raise();
}

}  // namespace orvik
