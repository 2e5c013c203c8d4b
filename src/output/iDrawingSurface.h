#pragma once
// What the report printer draws on: a printer, a PDF file, or a recording in
// the tests. Coordinates are device pixels, origin at the top left of the
// printable area, y growing downwards.

#include <cstdint>
#include <string>

#include "settings/FontString.h"

namespace orvik {

// Text alignment flags, combined: one horizontal and one vertical.
enum eTextAlign : int {
    kAlignLeft = 0,
    kAlignRight = 2,
    kAlignTop = 0,
    kAlignBottom = 8,
};

struct cDeviceMetrics {
    std::int32_t widthPixels = 0;   // printable width
    std::int32_t heightPixels = 0;  // printable height
    std::int32_t widthMm = 0;
    std::int32_t heightMm = 0;
    std::int32_t pixelsPerInchY = 0;
};

class iDrawingSurface {
public:
    virtual ~iDrawingSurface() = default;
    virtual cDeviceMetrics Metrics() = 0;
    // The screen's vertical pixels per inch, which font heights are given in.
    virtual std::int32_t ScreenPixelsPerInchY() = 0;

    // `name`: the print job's; `title`: the document's own (a PDF file's
    // title), empty when it has none.
    virtual void StartDoc(const std::u16string& name, const std::u16string& title) = 0;
    virtual void EndDoc() = 0;
    virtual void StartPage() = 0;
    virtual void EndPage() = 0;

    // A font made from `font` (its height already in device pixels, negative:
    // character height); returns a handle for SelectFont.
    virtual int CreateFont(const LogFont& font) = 0;
    virtual void SelectFont(int font) = 0;
    virtual void SetTextAlign(int align) = 0;
    virtual void TextOut(std::int32_t x, std::int32_t y, const std::u16string& text) = 0;
    // The width of `text` in the selected font.
    virtual std::int32_t TextWidth(const std::u16string& text) = 0;
    virtual void MoveTo(std::int32_t x, std::int32_t y) = 0;
    virtual void LineTo(std::int32_t x, std::int32_t y) = 0;
};

}  // namespace orvik
