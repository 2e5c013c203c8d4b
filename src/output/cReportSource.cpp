#include "output/cReportSource.h"

namespace orvik {

int cReportSource::GetColumnTitle(std::u16string&, int&) { return -1; }
int cReportSource::GetSummaryLine(std::u16string&, std::u16string&, int&) { return -1; }
int cReportSource::GetRow(cReportRow&, int&) { return -1; }
int cReportSource::GetTitle(std::u16string&) { return -1; }
int cReportSource::GetStrongFont(std::u16string&) { return -1; }
int cReportSource::GetRegularFont(std::u16string&) { return -1; }
int cReportSource::GetHeaderFooterFont(std::u16string&) { return -1; }

}  // namespace orvik
