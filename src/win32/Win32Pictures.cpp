#include "win32/Win32Pictures.h"

#include <algorithm>
#include <functional>
#include <string>

#include "forms/ButtonLook.h"

namespace orvik {
namespace {

constexpr int kWidth = 20, kHeight = 16;

// A picture drawn by `draw` on a screen-compatible bitmap filled with `background`.
HBITMAP Drawn(int width, int height, COLORREF background, const std::function<void(HDC)>& draw) {
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ oldBitmap = ::SelectObject(dc, bitmap);
    const RECT all{0, 0, width, height};
    HBRUSH fill = ::CreateSolidBrush(background);
    ::FillRect(dc, &all, fill);
    ::DeleteObject(fill);
    draw(dc);
    ::SelectObject(dc, oldBitmap);
    ::DeleteDC(dc);
    return bitmap;
}

// Rectangles and ellipses outlined in `pen`, each filled with its colour; each ends before its right and bottom.
struct cShape {
    RECT place;
    COLORREF fill;
    bool ellipse = false;
};

void DrawShapes(HDC dc, COLORREF outline, std::initializer_list<cShape> shapes) {
    HPEN pen = ::CreatePen(PS_SOLID, 1, outline);
    HGDIOBJ oldPen = ::SelectObject(dc, pen);
    for (const cShape& shape : shapes) {
        HBRUSH brush = ::CreateSolidBrush(shape.fill);
        HGDIOBJ oldBrush = ::SelectObject(dc, brush);
        const RECT& r = shape.place;
        if (shape.ellipse)
            ::Ellipse(dc, r.left, r.top, r.right, r.bottom);
        else
            ::Rectangle(dc, r.left, r.top, r.right, r.bottom);
        ::SelectObject(dc, oldBrush);
        ::DeleteObject(brush);
    }
    ::SelectObject(dc, oldPen);
    ::DeleteObject(pen);
}

HIMAGELIST ImagesOf(std::initializer_list<HBITMAP> pictures) {
    HIMAGELIST images =
        ::ImageList_Create(kWidth, kHeight, ILC_COLOR24 | ILC_MASK, static_cast<int>(pictures.size()), 0);
    for (HBITMAP picture : pictures) {
        ::ImageList_AddMasked(images, picture, RGB(255, 255, 255));
        ::DeleteObject(picture);
    }
    return images;
}

HBITMAP Computer(COLORREF screenColour) {
    return Drawn(kWidth, kHeight, RGB(255, 255, 255), [&](HDC dc) {
        DrawShapes(dc, RGB(64, 64, 64),
                   {{{2, 1, 18, 13}, RGB(192, 192, 192)},
                    {{4, 3, 16, 11}, screenColour},
                    {{6, 13, 15, 16}, RGB(128, 128, 128)}});
    });
}

}  // namespace

HICON ProgramIcon() {
    if (HICON icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1))) return icon;
    return ::LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
}

HIMAGELIST ControllerImages(int count) {
    static constexpr COLORREF kScreens[] = {RGB(0, 0, 255), RGB(0, 160, 0), RGB(255, 255, 0), RGB(255, 0, 0)};
    HIMAGELIST images = ::ImageList_Create(kWidth, kHeight, ILC_COLOR24 | ILC_MASK, 4, 0);
    for (int i = 0; i < std::clamp(count, 1, 4); ++i) {
        HBITMAP picture = Computer(kScreens[i]);
        ::ImageList_AddMasked(images, picture, RGB(255, 255, 255));
        ::DeleteObject(picture);
    }
    return images;
}

HIMAGELIST UserImages() {
    return ImagesOf({Drawn(kWidth, kHeight, RGB(255, 255, 255), [](HDC dc) {
        DrawShapes(dc, RGB(90, 60, 30),
                   {{{3, 10, 18, 22}, RGB(52, 101, 164), true}, {{6, 1, 15, 11}, RGB(240, 200, 160), true}});
    })});
}

HBITMAP ButtonBitmap(std::u16string_view name, int width, int height) {
    const cButtonLook look = ButtonLook(name);
    const COLORREF colour = RGB(look.red, look.green, look.blue);
    return Drawn(width, height, ::GetSysColor(COLOR_BTNFACE), [&](HDC dc) {
        HPEN pen = ::CreatePen(PS_SOLID, 1, RGB(look.red * 10 / 13, look.green * 10 / 13, look.blue * 10 / 13));
        HBRUSH brush = ::CreateSolidBrush(colour);
        HGDIOBJ oldPen = ::SelectObject(dc, pen);
        HGDIOBJ oldBrush = ::SelectObject(dc, brush);
        ::RoundRect(dc, 0, 0, width, height, 6, 6);
        HFONT font =
            ::CreateFontW(-std::max(8, height - 5), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, L"MS Shell Dlg");
        HGDIOBJ oldFont = ::SelectObject(dc, font);
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, RGB(255, 255, 255));
        const std::wstring word(look.word.begin(), look.word.end());
        RECT all{0, 0, width, height};
        ::DrawTextW(dc, word.c_str(), static_cast<int>(word.size()), &all, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        ::SelectObject(dc, oldFont);
        ::SelectObject(dc, oldBrush);
        ::SelectObject(dc, oldPen);
        ::DeleteObject(font);
        ::DeleteObject(brush);
        ::DeleteObject(pen);
    });
}

}  // namespace orvik
