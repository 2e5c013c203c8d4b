#pragma once
// Reports from tables, and those whose drawing on the recording surface is
// kept as golden logs in tests/data.

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "base/TextCompare.h"
#include "output/cReportSource.h"

namespace orvik::test {

using Cells = std::vector<std::u16string>;

class TableSource final : public cReportSource {
public:
    int GetColumnTitle(std::u16string& title, int& index) override {
        if (index < 0 || index >= static_cast<int>(titles.size())) return -1;
        title = titles[static_cast<std::size_t>(index++)];
        return 0;
    }
    int GetSummaryLine(std::u16string& key, std::u16string& value, int& index) override {
        if (index < 0 || index >= static_cast<int>(summary.size())) return -1;
        key = summary[static_cast<std::size_t>(index)].first;
        value = summary[static_cast<std::size_t>(index++)].second;
        return 0;
    }
    int GetRow(cReportRow& row, int& index) override {
        if (index < 0 || index >= static_cast<int>(rows.size())) return -1;
        row.SetCells(rows[static_cast<std::size_t>(index++)]);
        return 0;
    }
    int GetRegularFont(std::u16string& text) override {
        if (regularFont.empty()) return -1;
        text = regularFont;
        return 0;
    }

    Cells titles{u"Name", u"Logon"};
    std::vector<std::pair<std::u16string, std::u16string>> summary{{u"Report", u"Test"}};
    std::vector<Cells> rows;
    std::u16string regularFont;
};

inline std::vector<Cells> NumberedRows(int count) {
    std::vector<Cells> rows;
    for (int i = 0; i < count; ++i) rows.push_back({u"user" + FormatLong(i), u"Never"});
    return rows;
}

// The local time the golden reports are printed at, in UTC: 15:05:09 02/03/2001.
inline constexpr std::int64_t kGoldenReportTime = 981212709;

struct cGoldenReport {
    const char* golden;  // the log of tests/data
    int pages;
    std::function<void(TableSource&)> fill;
};

inline std::vector<cGoldenReport> GoldenReports() {
    return {
        // Page numbers from 1, the same date and time on every page, the summary's
        // repeated keys blank and every key with its colon, rows over three pages.
        {"report_pages.log", 3,
         [](TableSource& s) {
             s.SetHeaderLeft(u"www.corvanta.example");
             s.SetHeaderRight(u"Ambrel data");
             s.SetFooterLeft(u"%DATE% - %TIME%");
             s.SetFooterRight(u"Page %PAGENUMBER%");
             s.summary = {{u"Report", u"Real user last logon data"},
                          {u"Controllers", u"2:"},
                          {u"  DC1", u"120 users, OK (0)"},
                          {u"  DC1", u"again"},
                          {u"", u"no key"},
                          {u"Last", u"a:b"}};
             s.rows = NumberedRows(70);
         }},
        // A cell wider than the body: its column takes the whole line and the cell
        // is cut at its right end, also where it is repeated before the columns that
        // did not fit; a short row leaves its missing cells empty.
        {"report_clipping.log", 2,
         [](TableSource& s) {
             s.titles = {u"A", u"B", u"C"};
             s.rows = {{std::u16string(200, u'w'), u"b", u"c"}, {u"only a"}, {u"a", u"", u"c"}};
         }},
        // Columns that do not fit share the rows over several pages; those pages
        // start at the top of the body and repeat the first column, which takes at
        // least a quarter of the body (cutting a column too wide beside it).
        {"report_column_groups.log", 6,
         [](TableSource& s) {
             s.titles = {u"One", u"Two", u"Three"};
             for (int i = 0; i < 40; ++i)
                 s.rows.push_back({std::u16string(40, u'a'), std::u16string(40, u'b'), u"c" + FormatLong(i)});
         }},
    };
}

}  // namespace orvik::test
