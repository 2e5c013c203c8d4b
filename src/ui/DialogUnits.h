#pragma once
// Dialog units to pixels, from the dialog's font, the way Windows converts
// them: a horizontal unit is a quarter of the average character width, a
// vertical unit an eighth of the character height.

#include <QFont>
#include <QRect>

namespace orvik {

class cDialogUnits {
public:
    explicit cDialogUnits(const QFont& font);
    int X(int units) const { return units * m_BaseX / 4; }
    int Y(int units) const { return units * m_BaseY / 8; }
    QRect Rect(int x, int y, int width, int height) const { return QRect(X(x), Y(y), X(width), Y(height)); }

private:
    int m_BaseX;
    int m_BaseY;
};

}  // namespace orvik
