#include "ui/FontMapping.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <cmath>

#include "ui/QtText.h"

namespace orvik {

QFont ToQFont(const LogFont& f) {
    QFont font(ToQt(f.lfFaceName));
    const int height = f.lfHeight == 0 ? 11 : std::abs(f.lfHeight);
    font.setPixelSize(std::max(1, height));
    if (f.lfHeight > 0) {
        // A cell height: the character height is what is left after the leading.
        const int cell = QFontMetrics(font).height();
        if (cell > 0) font.setPixelSize(std::max(1, static_cast<int>(std::lround(double(height) * height / cell))));
    }
    font.setWeight(static_cast<QFont::Weight>(std::clamp(f.lfWeight == 0 ? 400 : f.lfWeight, 1, 1000)));
    font.setItalic(f.lfItalic != 0);
    font.setUnderline(f.lfUnderline != 0);
    font.setStrikeOut(f.lfStrikeOut != 0);
    return font;
}

LogFont FromQFont(const QFont& font, const LogFont& previous) {
    LogFont f = previous;
    int pixels = font.pixelSize();
    if (pixels <= 0) pixels = QFontInfo(font).pixelSize();
    f.lfHeight = -std::max(1, pixels);
    f.lfWeight = static_cast<std::int32_t>(font.weight());
    f.lfItalic = font.italic() ? 255 : 0;
    f.lfUnderline = font.underline() ? 1 : 0;
    f.lfStrikeOut = font.strikeOut() ? 1 : 0;
    f.lfFaceName = FromQt(font.family()).substr(0, kFaceNameLength);
    return f;
}

}  // namespace orvik
