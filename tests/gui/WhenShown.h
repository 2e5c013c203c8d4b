#pragma once
// Answers a modal dialog from inside its own event loop: `act` runs once the
// dialog with the object name `name` is visible (and `ready`, if given, says
// it is ready), and is expected to end it.

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

namespace orvik::test {

inline void WhenShown(const QString& name, const std::function<void(QDialog&)>& act,
                      const std::function<bool(QDialog&)>& ready = {}) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, name, act, ready] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QDialog*>(w);
            if (dialog == nullptr || dialog->objectName() != name || !dialog->isVisible()) continue;
            if (ready && !ready(*dialog)) return;
            timer->stop();
            timer->deleteLater();
            act(*dialog);
            return;
        }
    });
    timer->start(0);
}

}  // namespace orvik::test
