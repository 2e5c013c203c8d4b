#pragma once
// The results report: a summary block (title, generation date, user counts,
// the search text while the list is filtered, one line per controller) and
// the users exactly as the user list shows them, in five columns. The header
// and footer texts are copied in by the print command before printing
// (CopyTexts).

#include <cstdint>

#include "output/cReportSource.h"

namespace orvik {

class cDomainControllerCollection;
class iClock;
class iListView;

class cResultsReport final : public cReportSource {
public:
    // The report's title: its first summary line, and the title of its PDF files.
    static constexpr const char16_t* kReportTitle = u"Real user last logon data";

    // `users`: the user list as ShowUsers last filled it.
    cResultsReport(const cDomainControllerCollection& collection, const iListView& users, iClock& clock);

    // The header and footer texts of the settings.
    void CopyTexts();

    int GetColumnTitle(std::u16string& title, int& index) override;
    int GetSummaryLine(std::u16string& key, std::u16string& value, int& index) override;
    int GetRow(cReportRow& row, int& index) override;
    int GetTitle(std::u16string& title) override;
    int GetStrongFont(std::u16string& text) override;
    int GetRegularFont(std::u16string& text) override;
    int GetHeaderFooterFont(std::u16string& text) override;

private:
    const cDomainControllerCollection& m_Collection;
    const iListView& m_Users;
    iClock& m_Clock;
};

// Writes a report as a PDF file; the window layer does it with Qt.
class iPdfReportWriter {
public:
    virtual ~iPdfReportWriter() = default;
    // 0, or -1 with the reason in `reason` when the file could not be written.
    virtual int WritePdf(cReportSource& report, const std::string& path, std::int64_t now, std::u16string& reason) = 0;
};

}  // namespace orvik
