#include "ui/cProgressDialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include "forms/Forms.h"
#include "ui/cQtForm.h"

namespace orvik {

namespace {

// The progress window has no behaviour of its own: it only shows a text.
class cProgressPresenter final : public cFormPresenter {
public:
    const cForm& Form() const override { return ProgressForm(); }
    void Initialise(iFormView& /*view*/) override {}
};

}  // namespace

cProgressDialog::cProgressDialog(QWidget* mainWindow)
    : m_Presenter(std::make_unique<cProgressPresenter>()),
      m_Window(std::make_unique<cQtForm>(mainWindow, *m_Presenter)) {
    m_Window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint);
    QRect over;
    if (mainWindow != nullptr && mainWindow->isVisible())
        over = mainWindow->frameGeometry();
    else if (QApplication::primaryScreen() != nullptr)
        over = QApplication::primaryScreen()->availableGeometry();
    m_Window->move(over.center() - QPoint(m_Window->width() / 2, m_Window->height() / 2));
    m_Window->setWindowModality(Qt::ApplicationModal);
    m_Window->show();
    Paint();
}

cProgressDialog::~cProgressDialog() = default;

void cProgressDialog::SetText(const std::u16string& text) {
    m_Window->SetText(progress::kText, text);
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
