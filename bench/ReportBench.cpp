// The results report of 32,767 users written as a PDF, against drawing the
// same cells with QPainter straight onto the pages.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <chrono>
#include <fstream>
#include <memory>

#include "Baselines.h"

#include "base/TextCompare.h"
#include "output/cReportSource.h"
#include "ui/cQtPdfReportWriter.h"

namespace orvik {
namespace {

constexpr int kRows = 32767;

// Rows made when asked for, so that nothing but the engine could hold them.
class GeneratedReport final : public cReportSource {
public:
    int GetColumnTitle(std::u16string& title, int& index) override {
        static const char16_t* titles[] = {u"Username", u"Logon time", u"Full name", u"Description", u"Domain"};
        if (index < 0 || index >= 5) return -1;
        title = titles[index++];
        return 0;
    }
    int GetSummaryLine(std::u16string& key, std::u16string& value, int& index) override {
        if (index < 0 || index >= 5) return -1;
        key = u"Line " + FormatLong(index);
        value = u"Value " + FormatLong(index++);
        return 0;
    }
    int GetRow(cReportRow& row, int& index) override {
        if (index < 0 || index >= kRows) return -1;
        row.SetCells(Cells(index++));
        return 0;
    }
    static std::vector<std::u16string> Cells(int n) {
        return {u"user" + FormatLong(n), u"14:05:09 02/03/01", u"Generated User " + FormatLong(n),
                u"Finance and Controlling", u"CORP"};
    }
};

long PeakKb() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Every cell at a fixed place, 60 rows a page, no measuring and no clipping.
double PlainPdfSeconds(const std::string& path) {
    const auto start = std::chrono::steady_clock::now();
    QPdfWriter writer(QString::fromStdString(path));
    writer.setResolution(300);
    writer.setPageSize(QPageSize(QPageSize::A4));
    QPainter painter(&writer);
    const int line = writer.height() / 66;
    for (int row = 0; row < kRows; ++row) {
        if (row > 0 && row % 60 == 0) writer.newPage();
        const auto cells = GeneratedReport::Cells(row);
        for (int c = 0; c < 5; ++c)
            painter.drawText(QPoint(200 + c * 450, line * (3 + row % 60)), QString::fromStdU16String(cells[c]));
    }
    painter.end();
    return bench::SecondsSince(start);
}

void BM_ReportOf32767UsersToPdf(benchmark::State& state) {
    static int argc = 1;
    static char name[] = "orvik_report_bench";
    static char* argv[] = {name, nullptr};
    if (QGuiApplication::instance() == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QGuiApplication(argc, argv);
    }
    const std::string path = "/tmp/orvik-report-bench-" + std::to_string(::getpid()) + ".pdf";
    const long before = PeakKb();
    double seconds = 0;
    for (auto _ : state) {
        GeneratedReport report;
        cQtPdfReportWriter writer;
        std::u16string reason;
        const auto start = std::chrono::steady_clock::now();
        if (writer.WritePdf(report, path, 1765000000, reason) != 0) state.SkipWithError("the PDF was not written");
        seconds = bench::SecondsSince(start);
    }
    const long peak = PeakKb();
    const double baseline = PlainPdfSeconds(path + ".plain");
    state.counters["baseline_ms"] = baseline * 1000;
    state.counters["ratio"] = seconds / baseline;
    state.counters["peak_growth_MB"] = static_cast<double>(peak - before) / 1024;
    std::ifstream pdf(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(pdf)), std::istreambuf_iterator<char>());
    state.counters["pdf_MB"] = static_cast<double>(bytes.size()) / (1024 * 1024);
    // Page objects stand uncompressed in the file: "/Type /Page", not "/Type /Pages".
    long pages = 0;
    for (std::size_t at = bytes.find("/Type /Page"); at != std::string::npos; at = bytes.find("/Type /Page", at + 1))
        pages += bytes.compare(at, 12, "/Type /Pages") != 0;
    state.counters["pages"] = static_cast<double>(pages);
    ::unlink(path.c_str());
    ::unlink((path + ".plain").c_str());
}
BENCHMARK(BM_ReportOf32767UsersToPdf)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace
}  // namespace orvik
