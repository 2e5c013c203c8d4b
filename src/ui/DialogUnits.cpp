#include "ui/DialogUnits.h"

#include <QFontMetrics>

namespace orvik {

cDialogUnits::cDialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_BaseX = (width / 26 + 1) / 2;
    m_BaseY = metrics.height();
}

}  // namespace orvik
