#include "ui/cSpinControl.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace orvik {

cSpinControl::cSpinControl(QWidget* parent, QLineEdit& buddy, int width, int height) : QWidget(parent), m_Buddy(buddy) {
    const QRect edit = buddy.geometry();
    setGeometry(edit.right() + 1 - width, edit.top() + (edit.height() - height) / 2, width, height);
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
        connect(arrow, &QToolButton::clicked, this, [this, direction] { Step(direction); });
        layout->addWidget(arrow);
    }
    // The buddy keeps room for the arrows on its right.
    buddy.setTextMargins(0, 0, width, 0);
    buddy.installEventFilter(this);
    raise();
}

void cSpinControl::SetRange(int lowest, int highest) {
    m_Lowest = lowest;
    m_Highest = highest;
    SetPos(m_Valid);
}

void cSpinControl::SetPos(int position) {
    m_Valid = std::clamp(position, m_Lowest, m_Highest);
    m_Buddy.setText(QLocale().toString(m_Valid));
}

int cSpinControl::Pos() {
    QString text = m_Buddy.text().trimmed();
    text.remove(QLocale().groupSeparator());
    bool whole = false;
    const qlonglong value = text.toLongLong(&whole);
    if (whole && value >= m_Lowest && value <= m_Highest) m_Valid = static_cast<int>(value);
    return m_Valid;
}

void cSpinControl::Step(int by) { SetPos(Pos() + by); }

bool cSpinControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_Buddy && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace orvik
