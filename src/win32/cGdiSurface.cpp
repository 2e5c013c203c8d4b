#include "win32/cGdiSurface.h"

#include <commdlg.h>

#include "win32/cWin32Choosers.h"

namespace orvik {

// The surface's alignment flags are GDI's own.
static_assert(kAlignLeft == TA_LEFT && kAlignRight == TA_RIGHT && kAlignTop == TA_TOP && kAlignBottom == TA_BOTTOM);

cGdiSurface::cGdiSurface(HDC dc, bool printer) : m_Dc(dc), m_Printer(printer) {
    ::SetMapMode(m_Dc, MM_TEXT);
    ::SetBkMode(m_Dc, TRANSPARENT);  // a text never blots out a rule
}

cGdiSurface::~cGdiSurface() {
    if (m_OriginalFont != nullptr) ::SelectObject(m_Dc, m_OriginalFont);
    for (HFONT font : m_Fonts) ::DeleteObject(font);
    if (m_Printer) ::DeleteDC(m_Dc);
}

cDeviceMetrics cGdiSurface::Metrics() {
    return {::GetDeviceCaps(m_Dc, HORZRES), ::GetDeviceCaps(m_Dc, VERTRES), ::GetDeviceCaps(m_Dc, HORZSIZE),
            ::GetDeviceCaps(m_Dc, VERTSIZE), ::GetDeviceCaps(m_Dc, LOGPIXELSY)};
}

std::int32_t cGdiSurface::ScreenPixelsPerInchY() {
    HDC screen = ::CreateCompatibleDC(nullptr);
    const int ppi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::DeleteDC(screen);
    return ppi;
}

void cGdiSurface::StartDoc(const std::u16string& name, const std::u16string&) {
    if (!m_Printer) return;
    DOCINFOW document{};
    document.cbSize = sizeof document;
    document.lpszDocName = reinterpret_cast<const wchar_t*>(name.c_str());
    ::StartDocW(m_Dc, &document);
}

void cGdiSurface::EndDoc() {
    if (m_Printer) ::EndDoc(m_Dc);
}

void cGdiSurface::StartPage() {
    if (m_Printer) ::StartPage(m_Dc);
}

void cGdiSurface::EndPage() {
    if (m_Printer) ::EndPage(m_Dc);
}

int cGdiSurface::CreateFont(const LogFont& font) {
    const LOGFONTW logFont = ToLogFontW(font);
    m_Fonts.push_back(::CreateFontIndirectW(&logFont));
    return static_cast<int>(m_Fonts.size());
}

void cGdiSurface::SelectFont(int font) {
    if (font < 1 || font > static_cast<int>(m_Fonts.size())) return;
    HGDIOBJ previous = ::SelectObject(m_Dc, m_Fonts[static_cast<std::size_t>(font - 1)]);
    if (m_OriginalFont == nullptr) m_OriginalFont = previous;
}

void cGdiSurface::SetTextAlign(int align) { ::SetTextAlign(m_Dc, static_cast<UINT>(align)); }

void cGdiSurface::TextOut(std::int32_t x, std::int32_t y, const std::u16string& text) {
    ::TextOutW(m_Dc, x, y, reinterpret_cast<const wchar_t*>(text.c_str()), static_cast<int>(text.size()));
}

std::int32_t cGdiSurface::TextWidth(const std::u16string& text) {
    SIZE extent{};
    ::GetTextExtentPoint32W(m_Dc, reinterpret_cast<const wchar_t*>(text.c_str()), static_cast<int>(text.size()),
                            &extent);
    return extent.cx;
}

void cGdiSurface::MoveTo(std::int32_t x, std::int32_t y) { ::MoveToEx(m_Dc, x, y, nullptr); }

void cGdiSurface::LineTo(std::int32_t x, std::int32_t y) { ::LineTo(m_Dc, x, y); }

std::unique_ptr<iDrawingSurface> cWin32PrinterChooser::ChoosePrinter() {
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = m_Owner;
    dialog.Flags =
        PD_ALLPAGES | PD_NOPAGENUMS | PD_NOSELECTION | PD_HIDEPRINTTOFILE | PD_USEDEVMODECOPIES | PD_RETURNDC;
    if (!::PrintDlgW(&dialog)) return nullptr;
    if (dialog.hDevMode != nullptr) ::GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames != nullptr) ::GlobalFree(dialog.hDevNames);
    if (dialog.hDC == nullptr) return nullptr;
    return std::make_unique<cGdiSurface>(dialog.hDC, true);
}

}  // namespace orvik
