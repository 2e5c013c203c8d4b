#include "ui/Pictures.h"

#include "forms/ButtonLook.h"
#include "ui/QtText.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace orvik {

namespace {

// A transparent picture of `width` by `height` in the screen's logical
// pixels, with as many device pixels as the screen has, so that it stays
// sharp on a screen scaled to 200%.
QPixmap Blank(int width, int height) {
    const qreal ratio = std::max<qreal>(1, QGuiApplication::instance() != nullptr ? qApp->devicePixelRatio() : 1);
    QPixmap pixmap(static_cast<int>(std::ceil(width * ratio)), static_cast<int>(std::ceil(height * ratio)));
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

}  // namespace

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 48}) {
        QPixmap pixmap = Blank(size, size);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(QColor(52, 101, 164));
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(QRectF(0, 0, size, size), size / 6.0, size / 6.0);
        QFont font = p.font();
        font.setBold(true);
        font.setPixelSize(size * 3 / 4);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QStringLiteral("A"));
        icon.addPixmap(pixmap);
    }
    return icon;
}

QPixmap ButtonPicture(const QString& name, int width, int height) {
    const cButtonLook look = ButtonLook(FromQt(name));
    const QColor colour(look.red, look.green, look.blue);
    const QString word = ToQt(look.word);
    QPixmap pixmap = Blank(width, height);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(colour.darker(130));
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(0.5, 0.5, width - 1, height - 1), 3, 3);
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(std::max(8, height - 5));
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, width, height), Qt::AlignCenter, word);
    return pixmap;
}

QPixmap ControllerPicture(int image) {
    static const QColor kScreens[] = {QColor(0, 0, 255), QColor(0, 160, 0), QColor(255, 255, 0), QColor(255, 0, 0)};
    QPixmap pixmap = Blank(20, 16);
    QPainter p(&pixmap);
    p.setPen(QColor(64, 64, 64));
    p.setBrush(QColor(192, 192, 192));
    p.drawRect(2, 1, 15, 11);  // the monitor
    p.setBrush(kScreens[std::clamp(image, 0, 3)]);
    p.drawRect(4, 3, 11, 7);  // its screen
    p.setBrush(QColor(128, 128, 128));
    p.drawRect(6, 13, 8, 2);  // the stand
    return pixmap;
}

QPixmap UserPicture() {
    QPixmap pixmap = Blank(20, 16);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(90, 60, 30));
    p.setBrush(QColor(240, 200, 160));
    p.drawEllipse(QRectF(6, 1, 8, 9));  // the head
    p.setBrush(QColor(52, 101, 164));
    QPainterPath shoulders;
    shoulders.moveTo(3, 16);
    shoulders.cubicTo(3, 10, 17, 10, 17, 16);
    p.drawPath(shoulders);
    return pixmap;
}

}  // namespace orvik
