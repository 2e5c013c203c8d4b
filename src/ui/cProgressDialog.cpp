#include "ui/cProgressDialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGroupBox>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include "base/Vendor.h"
#include "ui/DialogUnits.h"
#include "ui/Pictures.h"
#include "ui/QtText.h"

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
    m_Window = new QDialog(m_MainWindow,
                           Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint);
    m_Window->setObjectName(QStringLiteral("id132"));
    m_Window->setWindowTitle(ToQt(kProductName) + QStringLiteral(" information"));
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
    // Centred over the main window once it is on the screen; before that
    // (at start-up) over the screen, where the main window will come up.
    QRect over;
    if (m_MainWindow != nullptr && m_MainWindow->isVisible())
        over = m_MainWindow->frameGeometry();
    else if (QApplication::primaryScreen() != nullptr)
        over = QApplication::primaryScreen()->availableGeometry();
    m_Window->move(over.center() - QPoint(m_Window->width() / 2, m_Window->height() / 2));
    m_Window->setWindowModality(Qt::ApplicationModal);
    m_Window->show();
    Paint();
}

void cProgressDialog::SetText(const QString& text) {
    if (m_Text == nullptr) return;
    m_Text->setText(text);
    Paint();
}

void cProgressDialog::Paint() {
    // A window is drawn once the display has exposed it, which takes a round
    // trip to the display server: let that happen (for at most a second)
    // before the caller goes on with its long step.
    QElapsedTimer waited;
    waited.start();
    while (m_Window->windowHandle() != nullptr && !m_Window->windowHandle()->isExposed() && waited.elapsed() < 1000) {
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
    }
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_Window->repaint();
}

void cProgressDialog::WaitUntil(const std::function<bool()>& done, int pollMs) {
    if (done()) return;
    QEventLoop loop;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        if (done()) loop.quit();
    });
    timer.start(pollMs);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace orvik
