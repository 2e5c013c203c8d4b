#include "output/cResultsReport.h"

#include <algorithm>

#include "base/FormatTime.h"
#include "base/TextCompare.h"
#include "engine/cDomainControllerCollection.h"
#include "engine/iListView.h"
#include "platform/iClock.h"

namespace orvik {
namespace {

constexpr const char16_t* kTitles[] = {u"Username", u"Logon time", u"Full name", u"Description", u"Domain"};
constexpr int kColumns = 5;
constexpr int kFixedLines = 5;

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
    const auto& controllers = m_Collection.Controllers();
    const std::int64_t total = static_cast<std::int64_t>(m_Collection.GetTotalUsers());
    switch (at) {
        case 0:
            key = u"Report";
            value = u"Real user last logon data";
            return 0;
        case 1:
            key = u"Generation date";
            value = FormatTime(m_Clock.Now());
            return 0;
        case 2:
            key = u"Total number of users";
            value = FormatLong(total);
            return 0;
        case 3:
            key = u"Number of users in report";
            value = FormatLong(std::min<std::int64_t>(total, m_Collection.Settings().m_UsersShown));
            return 0;
        case 4:
            key = u"Domain controllers";
            value = FormatLong(static_cast<std::int64_t>(controllers.size())) + u":";
            return 0;
        default: break;
    }
    if (at < kFixedLines || at - kFixedLines >= static_cast<int>(controllers.size())) return -1;
    const cDomainController& dc = *controllers[static_cast<std::size_t>(at - kFixedLines)];
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
