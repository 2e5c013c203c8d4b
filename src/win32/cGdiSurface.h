#pragma once
// The report printer's drawing surface over a GDI device context: a
// printer's, which gets a document and pages, or any other (a memory or
// metafile device context) that everything is drawn on as one sheet.

#include <windows.h>

#include <vector>

#include "output/cReportPrinter.h"
#include "output/iDrawingSurface.h"

namespace orvik {

class cGdiSurface final : public iDrawingSurface {
public:
    // `dc` stays the caller's; `printer`: it is a printer's, deleted with this surface.
    cGdiSurface(HDC dc, bool printer);
    ~cGdiSurface() override;
    cGdiSurface(const cGdiSurface&) = delete;
    cGdiSurface& operator=(const cGdiSurface&) = delete;

    cDeviceMetrics Metrics() override;
    std::int32_t ScreenPixelsPerInchY() override;
    void StartDoc(const std::u16string& name, const std::u16string& title) override;
    void EndDoc() override;
    void StartPage() override;
    void EndPage() override;
    int CreateFont(const LogFont& font) override;
    void SelectFont(int font) override;
    void SetTextAlign(int align) override;
    void TextOut(std::int32_t x, std::int32_t y, const std::u16string& text) override;
    std::int32_t TextWidth(const std::u16string& text) override;
    void MoveTo(std::int32_t x, std::int32_t y) override;
    void LineTo(std::int32_t x, std::int32_t y) override;

private:
    HDC m_Dc;
    bool m_Printer;
    std::vector<HFONT> m_Fonts;
    HGDIOBJ m_OriginalFont = nullptr;
};

// The print dialog of Windows, for the whole report once: no page range, no
// selection, no copies asked for.
class cWin32PrinterChooser final : public iPrinterChooser {
public:
    explicit cWin32PrinterChooser(HWND owner) : m_Owner(owner) {}
    std::unique_ptr<iDrawingSurface> ChoosePrinter() override;

private:
    HWND m_Owner;
};

}  // namespace orvik
