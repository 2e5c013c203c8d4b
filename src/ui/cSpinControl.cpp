#include "ui/cSpinControl.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace orvik {

cSpinControl::cSpinControl(QWidget* parent, const QRect& area, std::function<void(int)> onStep) : QWidget(parent) {
    setGeometry(area);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int direction : {1, -1}) {
        auto* arrow = new QToolButton(this);
        arrow->setArrowType(direction > 0 ? Qt::UpArrow : Qt::DownArrow);
        arrow->setAutoRepeat(true);
        arrow->setFocusPolicy(Qt::NoFocus);
        arrow->setObjectName(direction > 0 ? QStringLiteral("up") : QStringLiteral("down"));
        arrow->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        connect(arrow, &QToolButton::clicked, this, [onStep, direction] { onStep(direction); });
        layout->addWidget(arrow);
    }
    raise();
}

}  // namespace orvik
