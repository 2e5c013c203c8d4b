#include "ui/cQtSurface.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>

#include "ui/FontMapping.h"
#include "ui/QtText.h"

namespace orvik {

cQtSurface::cQtSurface(std::unique_ptr<QPagedPaintDevice> device) : m_Device(std::move(device)) {}

cQtSurface::~cQtSurface() {
    if (m_Painter.isActive()) m_Painter.end();
}

cDeviceMetrics cQtSurface::Metrics() {
    cDeviceMetrics m;
    m.widthPixels = m_Device->width();
    m.heightPixels = m_Device->height();
    m.widthMm = std::max(1, m_Device->widthMM());
    m.heightMm = std::max(1, m_Device->heightMM());
    m.pixelsPerInchY = m_Device->logicalDpiY();
    return m;
}

std::int32_t cQtSurface::ScreenPixelsPerInchY() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? static_cast<std::int32_t>(screen->logicalDotsPerInchY() + 0.5) : 96;
}

void cQtSurface::StartDoc(const std::u16string& name) {
    if (auto* printer = dynamic_cast<QPrinter*>(m_Device.get())) printer->setDocName(ToQt(name));
    m_Ok = m_Painter.begin(m_Device.get());
    if (!m_Ok) return;
    // Rules one device pixel wide vanish at 1200 dpi: a quarter point instead.
    QPen pen(Qt::black);
    pen.setWidth(std::max(1, m_Device->logicalDpiY() / 288));
    m_Painter.setPen(pen);
}

void cQtSurface::EndDoc() {
    if (m_Painter.isActive()) m_Ok = m_Painter.end() && m_Ok;
}

void cQtSurface::StartPage() {
    if (!m_FirstPage && m_Painter.isActive()) m_Ok = m_Device->newPage() && m_Ok;
    m_FirstPage = false;
}

int cQtSurface::CreateFont(const LogFont& font) {
    // The height is in the device's pixels already.
    m_Fonts.push_back(QFont(ToQFont(font), m_Device.get()));
    return static_cast<int>(m_Fonts.size());
}

void cQtSurface::SelectFont(int font) {
    if (font < 1 || font > static_cast<int>(m_Fonts.size())) return;
    m_Font = m_Fonts[static_cast<std::size_t>(font - 1)];
    if (m_Painter.isActive()) m_Painter.setFont(m_Font);
}

void cQtSurface::TextOut(std::int32_t x, std::int32_t y, const std::u16string& text) {
    if (!m_Painter.isActive() || text.empty()) return;
    const QString t = ToQt(text);
    const QFontMetrics metrics(m_Font, m_Device.get());
    // The reference point is the top (or bottom) left (or right) of the text's cell.
    const int left = (m_Align & kAlignRight) != 0 ? x - metrics.horizontalAdvance(t) : x;
    const int baseline = (m_Align & kAlignBottom) != 0 ? y - metrics.descent() : y + metrics.ascent();
    m_Painter.drawText(QPoint(left, baseline), t);
}

std::int32_t cQtSurface::TextWidth(const std::u16string& text) {
    return QFontMetrics(m_Font, m_Device.get()).horizontalAdvance(ToQt(text));
}

void cQtSurface::LineTo(std::int32_t x, std::int32_t y) {
    if (m_Painter.isActive()) m_Painter.drawLine(m_At, QPoint(x, y));
    m_At = QPoint(x, y);
}

std::unique_ptr<iDrawingSurface> cQtPrinterChooser::ChoosePrinter() {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer.get(), m_Owner);
    // All pages, no page numbers, no selection; print to a PDF file stays
    // offered, which is how a report is kept on this platform.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    if (dialog.exec() != QDialog::Accepted) return nullptr;
    return std::make_unique<cQtSurface>(std::move(printer));
}

}  // namespace orvik
