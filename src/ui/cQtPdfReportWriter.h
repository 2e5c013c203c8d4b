#pragma once
// Writes a report as a PDF file (A4, 300 dpi) with the report printer. The
// file is written beside its place under a temporary name and moved there
// whole: a failed write leaves whatever was there, and a link planted in
// the file's place is replaced, never followed.

#include "output/cResultsReport.h"

class QIODevice;

namespace orvik {

class cQtPdfReportWriter final : public iPdfReportWriter {
public:
    int WritePdf(cReportSource& report, const std::string& path, std::int64_t now, std::u16string& reason) override;
};

// Draws the report as a PDF into `device`, open for writing: 0, or -1 with
// the reason the device gives for failing ("No space left on device").
int DrawPdfReport(cReportSource& report, QIODevice& device, std::int64_t now, std::u16string& reason);

}  // namespace orvik
