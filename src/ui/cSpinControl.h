#pragma once
// An up-down control with a buddy edit box: the arrows (and the arrow keys in
// the buddy) step the position within its range, the buddy shows it with the
// locale's thousands separator and accepts any typed text. The position is
// the buddy's number when that is a whole number within the range, otherwise
// the last valid position.

#include <QWidget>

class QLineEdit;

namespace orvik {

class cSpinControl final : public QWidget {
public:
    // Sits at the buddy's right edge, `width` by `height` pixels.
    cSpinControl(QWidget* parent, QLineEdit& buddy, int width, int height);

    void SetRange(int lowest, int highest);
    // Shows `position`, brought within the range.
    void SetPos(int position);
    int Pos();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Step(int by);

    QLineEdit& m_Buddy;
    int m_Lowest = 0;
    int m_Highest = 100;
    int m_Valid = 0;
};

}  // namespace orvik
