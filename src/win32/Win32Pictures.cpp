#include "win32/Win32Pictures.h"

namespace orvik {

HICON ProgramIcon() {
    if (HICON icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1))) return icon;
    return ::LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
}

HIMAGELIST ControllerImages() {
    constexpr int kWidth = 20, kHeight = 16;
    HIMAGELIST images = ::ImageList_Create(kWidth, kHeight, ILC_COLOR24 | ILC_MASK, 1, 0);
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, kWidth, kHeight);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ oldBitmap = ::SelectObject(dc, bitmap);
    const RECT all{0, 0, kWidth, kHeight};
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    HPEN pen = ::CreatePen(PS_SOLID, 1, RGB(64, 64, 64));
    HGDIOBJ oldPen = ::SelectObject(dc, pen);
    // The monitor, its screen and its stand; each rectangle ends before its right and bottom numbers.
    const struct {
        RECT place;
        COLORREF fill;
    } parts[] = {
        {{2, 1, 18, 13}, RGB(192, 192, 192)}, {{4, 3, 16, 11}, RGB(0, 0, 255)}, {{6, 13, 15, 16}, RGB(128, 128, 128)}};
    for (const auto& part : parts) {
        HBRUSH brush = ::CreateSolidBrush(part.fill);
        HGDIOBJ oldBrush = ::SelectObject(dc, brush);
        ::Rectangle(dc, part.place.left, part.place.top, part.place.right, part.place.bottom);
        ::SelectObject(dc, oldBrush);
        ::DeleteObject(brush);
    }
    ::SelectObject(dc, oldPen);
    ::DeleteObject(pen);
    ::SelectObject(dc, oldBitmap);
    ::DeleteDC(dc);
    ::ImageList_AddMasked(images, bitmap, RGB(255, 255, 255));
    ::DeleteObject(bitmap);
    return images;
}

}  // namespace orvik
