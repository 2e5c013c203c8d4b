#include "output/cResultsReport.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "base/FormatTime.h"
#include "base/TextCompare.h"
#include "engine/cDomainControllerCollection.h"
#include "engine/iListView.h"
#include "platform/iClock.h"

namespace orvik {
namespace {

constexpr const char16_t* kTitles[] = {u"Username", u"Logon time", u"Full name", u"Description", u"Domain"};
constexpr int kColumns = 5;

}  // namespace

cResultsReport::cResultsReport(const cDomainControllerCollection& collection, const iListView& users, iClock& clock)
    : m_Collection(collection), m_Users(users), m_Clock(clock) {}

void cResultsReport::CopyTexts() {
    const cSetupData& s = m_Collection.Settings();
    SetHeaderLeft(s.m_HeaderLeft);
    SetHeaderRight(s.m_HeaderRight);
    SetFooterLeft(s.m_FooterLeft);
    SetFooterRight(s.m_FooterRight);
}

int cResultsReport::GetColumnTitle(std::u16string& title, int& index) {
    const int at = index++;
    if (at < 0 || at >= kColumns) return -1;
    title = kTitles[at];
    return 0;
}

int cResultsReport::GetSummaryLine(std::u16string& key, std::u16string& value, int& index) {
    const int at = index++;
    if (at < 0) return -1;
    const auto& controllers = m_Collection.Controllers();
    // The users the report holds are the list's rows; the search text is said while the list is filtered.
    std::vector<std::pair<std::u16string, std::u16string>> lines = {
        {u"Report", kReportTitle},
        {u"Generation date", FormatTime(m_Clock.Now())},
        {u"Total number of users", FormatLong(static_cast<std::int64_t>(m_Collection.GetTotalUsers()))},
        {u"Number of users in report", FormatLong(m_Users.GetRowCount())},
    };
    if (!m_Collection.ShownFilter().empty()) lines.emplace_back(u"Search text", m_Collection.ShownFilter());
    lines.emplace_back(u"Domain controllers", FormatLong(static_cast<std::int64_t>(controllers.size())) + u":");
    const auto line = static_cast<std::size_t>(at);
    if (line < lines.size()) {
        key = lines[line].first;
        value = lines[line].second;
        return 0;
    }
    if (line - lines.size() >= controllers.size()) return -1;
    const cDomainController& dc = *controllers[line - lines.size()];
    key = u"  " + dc.GetName();
    value =
        FormatLong(dc.GetUserCount()) + u" users, " + dc.GetStatusText() + u" (" + FormatLong(dc.GetErrorCode()) + u")";
    return 0;
}

int cResultsReport::GetRow(cReportRow& row, int& index) {
    if (index < 0 || index >= m_Users.GetRowCount()) return -1;
    std::vector<std::u16string> cells;
    for (int column = 0; column < kColumns; ++column) cells.push_back(m_Users.GetCellText(index, column));
    row.SetCells(cells);
    ++index;
    return 0;
}

int cResultsReport::GetTitle(std::u16string& title) {
    title = kReportTitle;
    return 0;
}

int cResultsReport::GetStrongFont(std::u16string& text) {
    text = m_Collection.Settings().m_StrongFont;
    return 0;
}

int cResultsReport::GetRegularFont(std::u16string& text) {
    text = m_Collection.Settings().m_RegularFont;
    return 0;
}

int cResultsReport::GetHeaderFooterFont(std::u16string& text) {
    text = m_Collection.Settings().m_HeaderFooterFont;
    return 0;
}

}  // namespace orvik
