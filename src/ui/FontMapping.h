#pragma once
// A LOGFONT of a font string and the window system's QFont, both ways.
// Heights are in the screen's pixels: negative is the character height (the
// QFont's pixel size), positive the cell height (ascent plus descent).

#include <QFont>

#include "settings/FontString.h"

namespace orvik {

QFont ToQFont(const LogFont& font);
// The fields QFont knows (height, weight, italic, underline, strike-out,
// face) from `font`; the others are kept from `previous`.
LogFont FromQFont(const QFont& font, const LogFont& previous);

}  // namespace orvik
