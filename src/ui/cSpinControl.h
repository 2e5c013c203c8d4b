#pragma once
// The up and down arrows of a spin control; what a step does is the caller's.

#include <QWidget>
#include <functional>

namespace orvik {

class cSpinControl final : public QWidget {
public:
    // `onStep` gets +1 for the up arrow and -1 for the down arrow.
    cSpinControl(QWidget* parent, const QRect& area, std::function<void(int)> onStep);
};

}  // namespace orvik
