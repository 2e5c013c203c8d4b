#include "ui/cProgressDialog.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QScreen>

#include "ui/DialogUnits.h"
#include "ui/Pictures.h"

namespace orvik {

void cProgressDialog::Show(int on) {
    m_Shown = on;
    if (on == 0) {
        delete m_Window;
        m_Window = nullptr;
        m_Text = nullptr;
        return;
    }
    if (m_Window != nullptr) return;
    m_Window = new QDialog(m_MainWindow, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                             Qt::WindowSystemMenuHint);
    m_Window->setObjectName(QStringLiteral("id132"));
    m_Window->setWindowTitle(QStringLiteral("Ambrel information"));
    m_Window->setWindowIcon(ProgramIcon());
    const cDialogUnits du(m_Window->font());
    m_Window->setFixedSize(du.X(344), du.Y(45));
    auto* group = new QGroupBox(QStringLiteral("Progress status"), m_Window);
    group->setObjectName(QStringLiteral("id1028"));
    group->setGeometry(du.Rect(4, 2, 334, 38));
    auto* icon = new QLabel(m_Window);
    icon->setObjectName(QStringLiteral("id1027"));
    icon->setGeometry(du.Rect(13, 12, 20, 20));
    icon->setPixmap(ProgramIcon().pixmap(32, 32));
    m_Text = new QLabel(m_Window);
    m_Text->setObjectName(QStringLiteral("id1026"));
    m_Text->setGeometry(du.Rect(45, 16, 282, 13));
    // Centred over the main window, or over the screen without one.
    QRect over = m_MainWindow != nullptr ? m_MainWindow->frameGeometry() : QRect();
    if (m_MainWindow == nullptr && QApplication::primaryScreen() != nullptr) {
        over = QApplication::primaryScreen()->geometry();
    }
    m_Window->move((over.left() + over.right() - m_Window->width()) / 2,
                   (over.top() + over.bottom() - m_Window->height()) / 2);
    m_Window->show();
    m_Window->repaint();
}

void cProgressDialog::SetText(const QString& text) {
    if (m_Text == nullptr) return;
    m_Text->setText(text);
    m_Text->repaint();
}

}  // namespace orvik
