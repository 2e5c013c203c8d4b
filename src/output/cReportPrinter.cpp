#include "output/cReportPrinter.h"

#include <algorithm>
#include <ctime>

#include "base/LocalTime.h"
#include "base/TextCompare.h"
#include "output/cReportSource.h"

namespace orvik {
namespace {

std::u16string LocalTimeText(std::int64_t now, const char* format) {
    std::tm local{};
    char text[64] = "";
    if (ToLocalTime(now, local)) std::strftime(text, sizeof text, format, &local);
    return Widen(text);
}

}  // namespace

int cReportPrinter::SelectPrinter(iPrinterChooser& chooser) {
    std::unique_ptr<iDrawingSurface> device = chooser.ChoosePrinter();
    if (device == nullptr) return -1;
    m_Device = std::move(device);
    m_Metrics = m_Device->Metrics();
    const auto horizontal = [this](std::int32_t& mm) { mm = MulDiv(mm, m_Metrics.widthPixels, m_Metrics.widthMm); };
    const auto vertical = [this](std::int32_t& mm) { mm = MulDiv(mm, m_Metrics.heightPixels, m_Metrics.heightMm); };
    for (std::int32_t* mm : {&m_Layout.leftMargin, &m_Layout.bodyLeft, &m_Layout.rightMargin, &m_Layout.columnGap})
        horizontal(*mm);
    for (std::int32_t* mm : {&m_Layout.topMargin, &m_Layout.bottomMargin, &m_Layout.headerRuleGap,
                             &m_Layout.footerRuleGap, &m_Layout.bodyGap, &m_Layout.sectionGap, &m_Layout.lineGap})
        vertical(*mm);
    return 0;
}

void cReportPrinter::MakeFonts(cReportSource& source) {
    const std::int32_t screen = m_Device->ScreenPixelsPerInchY();
    const struct {
        int kind;
        int (cReportSource::*get)(std::u16string&);
        int* font;
        std::int32_t* height;
    } fonts[] = {
        {HeaderFooter, &cReportSource::GetHeaderFooterFont, &m_HeaderFooterFont, &m_Layout.headerFooterFontHeight},
        {Regular, &cReportSource::GetRegularFont, &m_RegularFont, &m_Layout.regularFontHeight},
        {Strong, &cReportSource::GetStrongFont, &m_StrongFont, &m_Layout.strongFontHeight},
    };
    for (const auto& f : fonts) {
        std::u16string text;
        if ((source.*f.get)(text) != 0) text = DefaultFontString(f.kind);
        LogFont font = FontOfKind(text, f.kind);
        // Height 0 asks for the usual size: the kind's default, which the
        // layout can measure (the device would pick its own).
        if (font.lfHeight == 0) font.lfHeight = FontOfKind(DefaultFontString(f.kind), f.kind).lfHeight;
        font.lfHeight = DeviceFontHeight(font.lfHeight, m_Metrics.pixelsPerInchY, screen);
        *f.font = m_Device->CreateFont(font);
        *f.height = -font.lfHeight;
    }
}

void cReportPrinter::SetDateTimeVariables(std::int64_t now) {
    m_Variables.Clear();
    m_Variables.Add(u"%DATE%", LocalTimeText(now, "%m/%d/%Y"));
    m_Variables.Add(u"%TIME%", LocalTimeText(now, "%H:%M:%S"));
}

std::int32_t cReportPrinter::BodyWidth() const {
    return m_Metrics.widthPixels - m_Layout.rightMargin - m_Layout.bodyLeft;
}

void cReportPrinter::MeasureColumns(cReportSource& source) {
    const std::int32_t limit = std::max<std::int32_t>(0, BodyWidth());
    m_Titles.clear();
    m_Widths.clear();
    m_Device->SelectFont(m_RegularFont);
    std::u16string text;
    for (int cursor = 0; source.GetColumnTitle(text, cursor) == 0;) {
        m_Titles.push_back(text);
        m_Widths.push_back(0);
    }
    cReportRow row;
    for (int cursor = 0; source.GetRow(row, cursor) == 0;) {
        for (std::size_t i = 0; i < m_Widths.size(); ++i) {
            if (row.GetCell(i, text) != 0) continue;
            const std::int32_t extent = m_Device->TextWidth(text);
            if (extent > static_cast<std::int64_t>(m_Widths[i]))
                m_Widths[i] = static_cast<std::uint32_t>(std::min(extent, limit));
        }
    }
    m_Device->SelectFont(m_StrongFont);
    for (std::size_t i = 0; i < m_Titles.size(); ++i) {
        const std::int32_t extent = m_Device->TextWidth(m_Titles[i]);
        if (extent > static_cast<std::int64_t>(m_Widths[i]))
            m_Widths[i] = static_cast<std::uint32_t>(std::min(extent, limit));
    }
}

tResult<> cReportPrinter::Print(cReportSource& source, std::int64_t now) {
    if (m_Device == nullptr) return Failure({{}, std::make_error_code(std::errc::no_such_device)});
    MakeFonts(source);
    SetDateTimeVariables(now);
    m_HeaderLeft = source.GetHeaderLeft();
    m_HeaderRight = source.GetHeaderRight();
    m_FooterLeft = source.GetFooterLeft();
    m_FooterRight = source.GetFooterRight();
    MeasureColumns(source);
    std::u16string title;
    if (source.GetTitle(title) != 0) title.clear();
    m_Device->StartDoc(u"DocName", title);

    const std::size_t columns = m_Titles.size();
    // Not even one row fits a page, whatever came before it: each page then
    // takes one row all the same, so that the report still ends.
    const bool rowsNeverFit = [&] {
        std::int32_t top =
            m_Layout.topMargin + m_Layout.headerRuleGap + m_Layout.headerFooterFontHeight + m_Layout.bodyGap;
        std::int32_t bottom = m_Metrics.heightPixels - m_Layout.bottomMargin - m_Layout.headerFooterFontHeight -
                              m_Layout.footerRuleGap - m_Layout.bodyGap;
        return top + m_Layout.sectionGap + m_Layout.strongFontHeight + m_Layout.regularFontHeight >= bottom;
    }();
    // The rows go in blocks: the first page of a block takes as many as fit
    // (below the summary on page 1), and the pages of the columns that did not
    // fit on it take the same rows, from the top of the body.
    std::int32_t page = 1;
    bool more = true;
    std::size_t firstColumn = 0;
    int firstRow = 0;
    int blockRows = 0;       // the rows of the block's first page
    bool blockEnds = false;  // and the report's rows ended on it
    while (more) {
        m_Device->StartPage();
        DrawHeaderFooter(page);
        m_Device->SelectFont(m_RegularFont);
        std::int32_t y = m_BodyTop;
        if (page == 1) {
            DrawSummaryBlock(source, y);
            y += m_Layout.sectionGap;
        }
        if (columns == 0) {
            more = false;  // a report without columns has no table
        } else {
            const bool continued = firstColumn > 0;
            const std::vector<cPlacedColumn> placed = PlaceColumns(firstColumn);
            const std::size_t lastColumn = placed.back().index;
            const bool lastGroup = lastColumn + 1 == columns;
            DrawColumnTitles(placed, y);
            m_Device->SelectFont(m_RegularFont);
            int cursor = firstRow;
            int drawn = 0;
            cReportRow row;
            while (continued ? drawn < blockRows || blockEnds
                             : y + m_Layout.regularFontHeight < m_BodyBottom || (rowsNeverFit && drawn == 0)) {
                if (source.GetRow(row, cursor) != 0) {
                    if (lastGroup) more = false;
                    if (!continued) blockEnds = true;
                    break;
                }
                DrawRow(placed, row, y);
                ++drawn;
            }
            if (!continued) blockRows = drawn;
            if (lastGroup) {
                firstRow = cursor;
                firstColumn = 0;
                blockEnds = false;
            } else {
                firstColumn = lastColumn + 1;
            }
        }
        m_Device->EndPage();
        ++page;
    }
    m_Device->EndDoc();
    return {};
}

void cReportPrinter::DrawHeaderFooter(std::int32_t page) {
    m_Variables.Remove(u"%PAGENUMBER%");
    m_Variables.Add(u"%PAGENUMBER%", FormatLong(page));
    m_Device->SelectFont(m_HeaderFooterFont);
    const std::int32_t w = m_Metrics.widthPixels, h = m_Metrics.heightPixels;
    const cPageLayout& l = m_Layout;
    const struct {
        const std::u16string& text;
        int align;
        std::int32_t x, y;
    } texts[] = {
        {m_HeaderLeft, kAlignLeft | kAlignTop, l.leftMargin, l.topMargin},
        {m_HeaderRight, kAlignRight | kAlignTop, w - l.rightMargin, l.topMargin},
        {m_FooterLeft, kAlignLeft | kAlignBottom, l.leftMargin, h - l.bottomMargin},
        {m_FooterRight, kAlignRight | kAlignBottom, w - l.rightMargin, h - l.bottomMargin},
    };
    for (const auto& t : texts) {
        std::u16string text = t.text;
        m_Variables.Apply(text);
        m_Device->SetTextAlign(t.align);
        m_Device->TextOut(t.x, t.y, text);
    }
    const std::int32_t headerRule = l.topMargin + l.headerRuleGap + l.headerFooterFontHeight;
    const std::int32_t footerRule = h - l.bottomMargin - l.headerFooterFontHeight - l.footerRuleGap;
    m_Device->MoveTo(l.leftMargin, headerRule);
    m_Device->LineTo(w - l.rightMargin, headerRule);
    m_Device->MoveTo(l.leftMargin, footerRule);
    m_Device->LineTo(w - l.rightMargin, footerRule);
    m_BodyTop = headerRule + l.bodyGap;
    m_BodyBottom = footerRule - l.bodyGap;
}

void cReportPrinter::DrawSummaryBlock(cReportSource& source, std::int32_t& y) {
    std::int32_t widestKey = 0, widestValue = 0;
    std::u16string key, value;
    for (int cursor = 0; source.GetSummaryLine(key, value, cursor) == 0;) {
        widestKey = std::max(widestKey, m_Device->TextWidth(key));
        widestValue = std::max(widestValue, m_Device->TextWidth(value));
    }
    const std::int32_t limit = m_Metrics.widthPixels - m_Layout.rightMargin - m_Layout.bodyLeft;
    std::int32_t keyWidth = widestKey + m_Layout.columnGap;
    std::int32_t valueWidth = 0;
    if (keyWidth > limit)
        keyWidth = limit;
    else
        valueWidth = std::min(widestValue, limit - keyWidth);
    m_Device->SetTextAlign(kAlignLeft | kAlignTop);
    std::u16string previous;
    for (int cursor = 0; source.GetSummaryLine(key, value, cursor) == 0;) {
        // A key equal to the one above is left blank.
        if (key != previous) {
            previous = key;
            DrawClippedText(m_Layout.bodyLeft, y, keyWidth, key + u":");
        }
        DrawClippedText(m_Layout.bodyLeft + keyWidth, y, valueWidth, value);
        y += m_Layout.regularFontHeight + m_Layout.lineGap;
    }
}

std::size_t cReportPrinter::LastColumnOnPage(std::size_t first, std::int64_t available) const {
    // The columns that fit one after another, each with its gap (the gap
    // after the last one may run past the edge); at least one.
    std::int64_t x = 0;
    std::size_t last = first;
    for (std::size_t i = first; i < m_Widths.size(); ++i) {
        if (i > first && x + m_Widths[i] > available) break;
        x += std::int64_t{m_Widths[i]} + m_Layout.columnGap;
        last = i;
    }
    return last;
}

std::vector<cReportPrinter::cPlacedColumn> cReportPrinter::PlaceColumns(std::size_t first) const {
    const std::int64_t body = std::max<std::int32_t>(0, BodyWidth());
    const std::int64_t gap = m_Layout.columnGap;
    std::vector<cPlacedColumn> placed;
    std::int64_t x = m_Layout.bodyLeft;
    std::size_t last;
    if (first == 0) {
        last = LastColumnOnPage(0, body);
    } else {
        // A page of the columns that did not fit repeats the first (the user
        // name) in front: the group is chosen with the name at its width, but
        // at most a quarter of the body, and the name then takes what the
        // group leaves, up to its width.
        const std::int64_t nameAtLeast = std::min<std::int64_t>(m_Widths[0], body / 4);
        last = LastColumnOnPage(first, body - nameAtLeast - gap);
        std::int64_t group = 0;
        for (std::size_t i = first; i <= last; ++i) group += m_Widths[i] + (i > first ? gap : 0);
        const std::int64_t name = std::clamp<std::int64_t>(body - gap - group, nameAtLeast, m_Widths[0]);
        placed.push_back({0, static_cast<std::int32_t>(x), static_cast<std::int32_t>(name)});
        x += name + gap;
    }
    for (std::size_t i = first; i <= last; ++i) {
        // Cut at the body's edge (only a column that does not fit beside the name reaches it).
        const std::int64_t width = std::clamp<std::int64_t>(m_Layout.bodyLeft + body - x, 0, m_Widths[i]);
        placed.push_back({i, static_cast<std::int32_t>(x), static_cast<std::int32_t>(width)});
        x += std::int64_t{m_Widths[i]} + gap;
    }
    return placed;
}

void cReportPrinter::DrawColumnTitles(const std::vector<cPlacedColumn>& placed, std::int32_t& y) {
    m_Device->SelectFont(m_StrongFont);
    m_Device->SetTextAlign(kAlignLeft | kAlignTop);
    for (const cPlacedColumn& c : placed) DrawClippedText(c.x, y, c.width, m_Titles[c.index]);
    y += m_Layout.sectionGap + m_Layout.strongFontHeight;
}

void cReportPrinter::DrawRow(const std::vector<cPlacedColumn>& placed, const cReportRow& row, std::int32_t& y) {
    m_Device->SetTextAlign(kAlignLeft | kAlignTop);
    std::u16string cell;
    for (const cPlacedColumn& c : placed) {
        if (row.GetCell(c.index, cell) == 0) DrawClippedText(c.x, y, c.width, cell);
    }
    y += m_Layout.lineGap + m_Layout.regularFontHeight;
}

std::size_t FittingPrefixLength(const std::u16string& text, std::int32_t width,
                                const std::function<std::int32_t(const std::u16string&)>& measure) {
    if (measure(text) <= width) return text.size();
    std::size_t fits = 0, tooWide = text.size();
    while (tooWide - fits > 1) {
        const std::size_t middle = fits + (tooWide - fits) / 2;
        if (measure(text.substr(0, middle)) > width)
            tooWide = middle;
        else
            fits = middle;
    }
    // Never half a character: a surrogate pair stays whole or goes.
    if (fits > 0 && text[fits - 1] >= 0xD800 && text[fits - 1] <= 0xDBFF) --fits;
    return fits;
}

void cReportPrinter::DrawClippedText(std::int32_t x, std::int32_t y, std::int32_t width, const std::u16string& text) {
    // Cut at the right end, without an ellipsis; a text cut to nothing is not drawn.
    const std::size_t keep =
        FittingPrefixLength(text, width, [this](const std::u16string& t) { return m_Device->TextWidth(t); });
    if (keep > 0) m_Device->TextOut(x, y, text.substr(0, keep));
}

}  // namespace orvik
