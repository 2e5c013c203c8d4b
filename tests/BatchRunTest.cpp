// The headless run end to end: a simulated directory from a file, the
// configuration, the export, the summary and the exit status.

#include "app/BatchRun.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/CommandLine.h"
#include "base/TextCompare.h"
#include "output/cResultsReport.h"
#include "support/GoldenFile.h"
#include "support/RecordingMessages.h"
#include "support/ScopedTimeZone.h"
#include "support/TempFolder.h"
#include "support/TypedLine.h"

namespace orvik {
namespace {

constexpr const char* kDirectory = R"({ "controllers": [
    { "name": "DC1", "domain": "CORP", "pageSize": 2,
      "users": [ { "name": "jdoe", "lastLogon": 100 }, { "name": "amy", "lastLogon": 300 } ] },
    { "name": "DC2", "domain": "CORP", "users": [ { "name": "JDOE", "lastLogon": 200 } ] } ] })";

// Reads the report it is given, as a PDF writer would, and writes nothing.
class ReportReader final : public iPdfReportWriter {
public:
    int WritePdf(cReportSource& report, const std::string& path, std::int64_t, std::u16string& reason) override {
        paths.push_back(path);
        header = report.GetHeaderRight();
        std::u16string key, value;
        for (int cursor = 0; report.GetSummaryLine(key, value, cursor) == 0;) lines.push_back(key + u": " + value);
        cReportRow row;
        std::u16string cell;
        for (int cursor = 0; report.GetRow(row, cursor) == 0;) {
            row.GetCell(0, cell);
            rows.push_back(cell);
        }
        reason = u"No space left on device";
        return fail ? -1 : 0;
    }
    bool fail = false;
    std::vector<std::string> paths;
    std::vector<std::u16string> lines, rows;
    std::u16string header;
};

class BatchTest : public testing::Test {
protected:
    BatchTest() : m_OldDir(std::filesystem::current_path()) {
        std::filesystem::current_path(folder.Path());
        Write("sim.json", kDirectory);
    }
    ~BatchTest() override { std::filesystem::current_path(m_OldDir); }

    static void Write(const std::string& name, const std::string& text) { std::ofstream(name) << text; }
    int Run(const std::u16string& typed) { return Run(test::TypedLine(typed)); }
    int Run(const cCommandLine& arguments) {
        out.str("");
        cBatchSettings settings;
        settings.tickMs = 5;
        settings.pdfWriter = &reports;
        return RunBatch(arguments, out, progress, messages, settings);
    }

    test::ScopedTimeZone tz{"UTC0"};
    test::TempFolder folder;
    std::ostringstream out, progress;
    test::RecordingMessages messages;
    ReportReader reports;

private:
    std::filesystem::path m_OldDir;
};

TEST_F(BatchTest, CollectsExportsSummarisesReportsAndSaves) {
    Write("Ambrel.txt", "an earlier export");  // kept: the run names the file it wrote
    EXPECT_EQ(Run(u"/BATCH /SIM:sim.json /CF:orvik.cfg \"/PDF:my report.pdf\""), kBatchAllReady);
    EXPECT_EQ(out.str(),
              "DC1\tReady\t2\t0\nDC2\tReady\t1\t0\nExport file: Ambrel1.txt\nSummary file: LastLogonSummary.txt\n"
              "Report file: my report.pdf\n");
    const auto bytes = test::ReadFile("Ambrel1.txt");
    const std::string exported(bytes.begin(), bytes.end());
    EXPECT_EQ(exported.substr(0, 22), "amy,00:05:00 01/01/70,");
    // Either controller's spelling may arrive first; the later logon wins.
    EXPECT_NE(ToUpperAscii(FromUtf8(exported)).find(u"JDOE,00:03:20 01/01/70,,\r\n"), std::u16string::npos) << exported;
    EXPECT_TRUE(std::filesystem::exists("LastLogonSummary.txt"));
    EXPECT_TRUE(std::filesystem::exists("orvik.cfg"));
    EXPECT_TRUE(messages.texts.empty());
    ASSERT_EQ(reports.paths, (std::vector<std::string>{"my report.pdf"}));
    ASSERT_EQ(reports.rows.size(), 2u);
    EXPECT_EQ(reports.rows[0], u"amy");  // most recent first; jdoe's spelling is whichever came first
    EXPECT_EQ(reports.lines.at(5), u"  DC1: 2 users, OK (0)");  // the run's controllers
    EXPECT_EQ(reports.header, u"Ambrel data");                  // and the setup's texts
}

TEST_F(BatchTest, ProblemsWithTheSetupWriteNothing) {
    EXPECT_EQ(Run(u"/BATCH /SIM:missing.json /CF:orvik.cfg"), kBatchUsage);
    EXPECT_EQ(Run(u"/BATCH /SIM: /CF:orvik.cfg"), kBatchUsage);
    EXPECT_EQ(Run(u"/BATCH /CF:orvik.cfg"), kBatchUsage);
    Write("empty.json", R"({ "controllers": [] })");
    EXPECT_EQ(Run(u"/BATCH /SIM:empty.json /CF:orvik.cfg"), kBatchUsage);
    EXPECT_EQ(Run(u"/BATCH /CF: /SIM:sim.json"), kBatchUsage);  // an empty name swallows no option
    EXPECT_EQ(Run(cCommandLine({u"/BATCH", u"/SIM:\"sim.json", u"/CF:orvik.cfg"})), kBatchUsage);
    ASSERT_EQ(messages.texts.size(), 6u);
    EXPECT_EQ(messages.texts[3], u"No domain controllers are listed.");
    EXPECT_EQ(messages.texts[5], u"/SIM: opens a double quote that is never closed.");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), std::filesystem::directory_iterator()), 2);
}

#ifndef _WIN32  // a FIFO: POSIX only
TEST_F(BatchTest, OutputThatCouldNotBeWrittenIsSaidSo) {
    ASSERT_EQ(::mkfifo("LastLogonSummary.txt", 0600), 0);  // the summary cannot be written, and nothing waits
    EXPECT_EQ(Run(u"/BATCH /SIM:sim.json /CF:orvik.cfg"), kBatchOutputFailed);
    EXPECT_NE(out.str().find("Export file: Ambrel.txt\n"), std::string::npos) << out.str();
    EXPECT_EQ(messages.texts.back(),
              u"The export or summary file could not be written completely. (LastLogonSummary.txt: "
              u"No such device or address)");
}
#endif

TEST_F(BatchTest, ADamagedConfigurationIsReportedOnceAndLeftAlone) {
    const auto bad = test::ReadGolden("bad_wrong_class.cfg");
    Write("orvik.cfg", std::string(bad.begin(), bad.end()));
    EXPECT_EQ(Run(u"/BATCH /SIM:sim.json /CF:orvik.cfg"), kBatchUsage);
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(messages.texts[0], u"orvik.cfg contained an unexpected object.");
    EXPECT_EQ(test::ReadFile("orvik.cfg"), bad);
    EXPECT_FALSE(std::filesystem::exists("Ambrel.txt"));
}

TEST_F(BatchTest, TheBuiltInDemoRuns) {
    EXPECT_EQ(Run(u"/BATCH /SIM:demo /CF:demo.cfg"), kBatchSomeFailed);  // one demo controller fails
    EXPECT_NE(out.str().find("CORP-DC3\tError\t1000\t1722\n"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("LAB-DC2\tReady\t1000\t0\n"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists("Ambrel.txt") && std::filesystem::exists("demo.cfg"));  // in spite of it
    // One controller under three spellings is collected once.
    EXPECT_EQ(Run(u"/BATCH /SIM:demo /CF:orvik.cfg /DC:CORP-DC1,corp-dc1,CORP-DC1"), kBatchAllReady);
    EXPECT_EQ(out.str().substr(0, out.str().find("Export file")), "CORP-DC1\tReady\t2404\t0\n");
}

TEST_F(BatchTest, AReportThatCannotBeWrittenIsStatusThreeAndOneWithoutANameAUsageError) {
    reports.fail = true;
    EXPECT_EQ(Run(u"/BATCH /SIM:sim.json /CF:orvik.cfg /PDF:r.pdf"), kBatchOutputFailed);
    EXPECT_EQ(messages.texts.back(), u"The report r.pdf could not be written. (No space left on device)");
    EXPECT_EQ(Run(u"/BATCH /SIM:sim.json /CF:orvik.cfg /PDF: /AS"), kBatchUsage);
    EXPECT_EQ(messages.texts.back(), u"/PDF: needs the report file's name.");
}

}  // namespace
}  // namespace orvik
