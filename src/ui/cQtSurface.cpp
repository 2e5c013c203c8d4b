#include "ui/cQtSurface.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QSettings>
#include <QTabWidget>

#include "base/Vendor.h"
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

void cQtSurface::StartDoc(const std::u16string& name, const std::u16string& title) {
    // A printer's document name is the print job's, and a PDF file's title
    // when it prints to one.
    if (auto* printer = dynamic_cast<QPrinter*>(m_Device.get())) {
        const bool toFile = printer->outputFormat() == QPrinter::PdfFormat;
        printer->setDocName(ToQt(toFile && !title.empty() ? title : name));
    } else if (auto* writer = dynamic_cast<QPdfWriter*>(m_Device.get()); writer != nullptr && !title.empty()) {
        writer->setTitle(ToQt(title));
    }
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

namespace {

const QString kLastPrinterKey = QStringLiteral("Print/LastPrinter");
const QString kLastFileKey = QStringLiteral("Print/LastFile");

// The platform's print dialog without the page range and the copies: the
// report is always printed whole and once, and a PDF file would get neither
// (a print server honours them, a file does not), so neither is offered.
class cWholeReportPrintDialog final : public QPrintDialog {
public:
    cWholeReportPrintDialog(QPrinter* printer, QWidget* owner) : QPrintDialog(printer, owner) {
        setObjectName(QStringLiteral("PrintDialog"));
        setOption(QAbstractPrintDialog::PrintPageRange, false);
        setOption(QAbstractPrintDialog::PrintSelection, false);
        setOption(QAbstractPrintDialog::PrintCurrentPage, false);
        setOption(QAbstractPrintDialog::PrintCollateCopies, false);
        setOption(QAbstractPrintDialog::PrintToFile, true);
    }

    // Showing puts the page range back (a print server could honour it): take it away again.
    void setVisible(bool visible) override {
        QPrintDialog::setVisible(visible);
        if (!visible) return;
        auto* tabs = findChild<QTabWidget*>(QStringLiteral("tabs"));
        auto* copiesTab = findChild<QWidget*>(QStringLiteral("copiesTab"));
        if (tabs != nullptr && copiesTab != nullptr && tabs->indexOf(copiesTab) >= 0)
            tabs->removeTab(tabs->indexOf(copiesTab));
    }
};

}  // namespace

std::unique_ptr<iDrawingSurface> cQtPrinterChooser::ChoosePrinter() {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setPrintRange(QPrinter::AllPages);
    printer->setCopyCount(1);
    // The last file and printer are proposed again; they are the user's, kept
    // with the user's settings, not in the configuration file. The file
    // stands in its box, and the printer is chosen unless the last print went
    // to the file.
    QSettings settings(QSettings::UserScope, ToQt(kVendorName), ToQt(kProductName));
    const QString file = settings.value(kLastFileKey).toString();
    const QString name = settings.value(kLastPrinterKey).toString();
    if (!file.isEmpty()) printer->setOutputFileName(file);
    if (!name.isEmpty() && QPrinterInfo::availablePrinterNames().contains(name)) printer->setPrinterName(name);
    cWholeReportPrintDialog dialog(printer.get(), m_Owner);
    if (dialog.exec() != QDialog::Accepted) return nullptr;
    if (printer->outputFileName().isEmpty()) {
        settings.setValue(kLastPrinterKey, printer->printerName());
    } else {
        settings.setValue(kLastFileKey, printer->outputFileName());
        settings.remove(kLastPrinterKey);
    }
    return std::make_unique<cQtSurface>(std::move(printer));
}

}  // namespace orvik
