#pragma once
// The report printer's drawing surface over a Qt paint device: a printer
// chosen in the print dialog, or a PDF file.

#include <QFont>
#include <QPainter>
#include <memory>
#include <vector>

#include "output/cReportPrinter.h"
#include "output/iDrawingSurface.h"

class QPagedPaintDevice;
class QWidget;

namespace orvik {

class cQtSurface final : public iDrawingSurface {
public:
    explicit cQtSurface(std::unique_ptr<QPagedPaintDevice> device);
    ~cQtSurface() override;

    // False once the device could not be painted on (a file that cannot be written).
    bool Ok() const noexcept { return m_Ok; }

    cDeviceMetrics Metrics() override;
    std::int32_t ScreenPixelsPerInchY() override;
    void StartDoc(const std::u16string& name, const std::u16string& title) override;
    void EndDoc() override;
    void StartPage() override;
    void EndPage() override {}
    int CreateFont(const LogFont& font) override;
    void SelectFont(int font) override;
    void SetTextAlign(int align) override { m_Align = align; }
    void TextOut(std::int32_t x, std::int32_t y, const std::u16string& text) override;
    std::int32_t TextWidth(const std::u16string& text) override;
    void MoveTo(std::int32_t x, std::int32_t y) override { m_At = QPoint(x, y); }
    void LineTo(std::int32_t x, std::int32_t y) override;

private:
    std::unique_ptr<QPagedPaintDevice> m_Device;
    QPainter m_Painter;
    std::vector<QFont> m_Fonts;
    QFont m_Font;
    int m_Align = 0;
    QPoint m_At;
    bool m_FirstPage = true;
    bool m_Ok = true;
};

// The platform's print dialog, for the whole report once: no page range,
// no copies; print to a PDF file is offered too.
class cQtPrinterChooser final : public iPrinterChooser {
public:
    explicit cQtPrinterChooser(QWidget* owner) : m_Owner(owner) {}
    std::unique_ptr<iDrawingSurface> ChoosePrinter() override;

private:
    QWidget* m_Owner;
};

}  // namespace orvik
