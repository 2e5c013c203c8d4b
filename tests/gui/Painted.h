#pragma once
// Whether a window is drawn: on a real display the screen's pixels where the
// window stands, offscreen (nothing is exposed there) the widget's own
// rendering, must show more than a blank box's one or two colours. The
// picture is kept as <ORVIK_PICTURES>/<name>.png when that is set, to look at.

#include <QApplication>
#include <QImage>
#include <QScreen>
#include <QSet>
#include <QWidget>

namespace orvik::test {

inline bool IsPainted(QWidget& widget, const QString& name) {
    QImage image;
    if (QApplication::platformName() == QStringLiteral("offscreen")) {
        image = widget.grab().toImage();
    } else {
        const QRect area = widget.geometry();
        image = widget.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height()).toImage();
    }
    if (image.isNull()) return false;
    const QString pictures = qEnvironmentVariable("ORVIK_PICTURES");
    if (!pictures.isEmpty()) image.save(pictures + QStringLiteral("/%1.png").arg(name));
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) colours.insert(image.pixel(x, y));
    }
    return colours.size() > 8;
}

}  // namespace orvik::test
