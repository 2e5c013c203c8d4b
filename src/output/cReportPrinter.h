#pragma once
// A small report printer: asks a report source for its columns, summary
// lines and rows and lays them out on pages with a header and a footer on
// each, measuring every column first and clipping every text to its column.
// It holds the column titles and widths, never the rows.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/Result.h"
#include "output/cTextVariables.h"
#include "output/iDrawingSurface.h"

namespace orvik {

class cReportRow;
class cReportSource;

// Page metrics: millimetres until a device is chosen, device pixels after.
struct cPageLayout {
    std::int32_t leftMargin = 15;    // the left header and footer texts, both rules
    std::int32_t bodyLeft = 17;      // the summary block and the table
    std::int32_t topMargin = 5;      // top of the header texts
    std::int32_t bottomMargin = 5;   // from the page bottom to the footer texts
    std::int32_t rightMargin = 10;   // the right texts and the rules end here
    std::int32_t headerRuleGap = 1;  // header text to header rule
    std::int32_t footerRuleGap = 1;  // footer rule to footer text
    std::int32_t headerFooterFontHeight = 0;
    std::int32_t regularFontHeight = 0;
    std::int32_t strongFontHeight = 0;
    std::int32_t bodyGap = 5;     // between a rule and the body
    std::int32_t columnGap = 3;   // after every column and the summary keys
    std::int32_t sectionGap = 5;  // after the summary block and the column titles
    std::int32_t lineGap = 1;     // after every summary line and row
};

// The length of the widest prefix of `text` that `measure` finds no wider
// than `width` (the whole text when it fits; 0 when no character does),
// never ending inside a surrogate pair. The extent grows with the prefix, so
// a binary search finds it with about log2(length) measurements.
std::size_t FittingPrefixLength(const std::u16string& text, std::int32_t width,
                                const std::function<std::int32_t(const std::u16string&)>& measure);

// The print dialog: a surface for the printer chosen, or nullptr when the
// user cancelled.
class iPrinterChooser {
public:
    virtual ~iPrinterChooser() = default;
    virtual std::unique_ptr<iDrawingSurface> ChoosePrinter() = 0;
};

class cReportPrinter {
public:
    cReportPrinter() = default;

    // 0 when a printer was chosen (the layout is then in its pixels), -1
    // when the user cancelled.
    int SelectPrinter(iPrinterChooser& chooser);
    // Prints the whole report as one document, "%DATE%" and "%TIME%" of the
    // local time `now` on every page; a failure ("No such device", naming no
    // file) when no printer was chosen.
    tResult<> Print(cReportSource& source, std::int64_t now);

    const cPageLayout& Layout() const noexcept { return m_Layout; }

private:
    void MakeFonts(cReportSource& source);
    void SetDateTimeVariables(std::int64_t now);
    void MeasureColumns(cReportSource& source);
    void DrawHeaderFooter(std::int32_t page);
    void DrawSummaryBlock(cReportSource& source, std::int32_t& y);
    // A column on a page: which, where and how wide.
    struct cPlacedColumn {
        std::size_t index;
        std::int32_t x, width;
    };
    std::size_t LastColumnOnPage(std::size_t first, std::int64_t available) const;
    // The columns of the page whose group starts at `first`.
    std::vector<cPlacedColumn> PlaceColumns(std::size_t first) const;
    void DrawColumnTitles(const std::vector<cPlacedColumn>& placed, std::int32_t& y);
    void DrawRow(const std::vector<cPlacedColumn>& placed, const cReportRow& row, std::int32_t& y);
    void DrawClippedText(std::int32_t x, std::int32_t y, std::int32_t width, const std::u16string& text);
    std::int32_t BodyWidth() const;

    std::unique_ptr<iDrawingSurface> m_Device;
    cDeviceMetrics m_Metrics;
    int m_HeaderFooterFont = 0;
    int m_RegularFont = 0;
    int m_StrongFont = 0;
    cPageLayout m_Layout;
    std::int32_t m_BodyTop = 0;
    std::int32_t m_BodyBottom = 0;
    cTextVariables m_Variables;
    std::u16string m_HeaderLeft, m_HeaderRight, m_FooterLeft, m_FooterRight;
    std::vector<std::u16string> m_Titles;
    std::vector<std::uint32_t> m_Widths;
};

}  // namespace orvik
