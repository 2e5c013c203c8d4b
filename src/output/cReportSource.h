#pragma once
// What a printed report is made of, asked for by the report printer: column
// titles, key/value summary lines and table rows, each through a cursor that
// starts at 0 and may be restarted at any time (the same sequence each
// time), three fonts and four header and footer texts.

#include <string>
#include <vector>

namespace orvik {

// The cells of one table row, in column order; a row may have fewer cells
// than there are columns.
class cReportRow {
public:
    void SetCells(const std::vector<std::u16string>& cells) { m_Cells = cells; }
    // 0 and the cell at `index`, or -1 when the row has no such cell.
    int GetCell(std::size_t index, std::u16string& text) const {
        if (index >= m_Cells.size()) return -1;
        text = m_Cells[index];
        return 0;
    }
    std::size_t Size() const noexcept { return m_Cells.size(); }

private:
    std::vector<std::u16string> m_Cells;
};

class cReportSource {
public:
    virtual ~cReportSource() = default;

    // Each returns 0 with the item at the cursor and the cursor advanced, or
    // -1 at the end. The base supplies nothing.
    virtual int GetColumnTitle(std::u16string& title, int& index);
    virtual int GetSummaryLine(std::u16string& key, std::u16string& value, int& index);
    virtual int GetRow(cReportRow& row, int& index);
    // 0 with the report's title, or non-zero when it has none.
    virtual int GetTitle(std::u16string& title);
    // 0 with a font string, or non-zero when the source has none (the
    // default of that font is used).
    virtual int GetStrongFont(std::u16string& text);
    virtual int GetRegularFont(std::u16string& text);
    virtual int GetHeaderFooterFont(std::u16string& text);

    std::u16string GetFooterRight() const { return m_FooterRight; }
    std::u16string GetFooterLeft() const { return m_FooterLeft; }
    std::u16string GetHeaderRight() const { return m_HeaderRight; }
    std::u16string GetHeaderLeft() const { return m_HeaderLeft; }
    void SetFooterRight(std::u16string text) { m_FooterRight = std::move(text); }
    void SetFooterLeft(std::u16string text) { m_FooterLeft = std::move(text); }
    void SetHeaderRight(std::u16string text) { m_HeaderRight = std::move(text); }
    void SetHeaderLeft(std::u16string text) { m_HeaderLeft = std::move(text); }

private:
    std::u16string m_FooterRight;
    std::u16string m_FooterLeft;
    std::u16string m_HeaderRight;
    std::u16string m_HeaderLeft;
};

}  // namespace orvik
