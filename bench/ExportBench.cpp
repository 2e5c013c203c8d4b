// Writing the export file of 500,000 users.

#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <string>

#include "Baselines.h"

#include "base/TextCompare.h"
#include "engine/cMemoryListView.h"
#include "engine/cUserInfoBatch.h"
#include "engine/cUserInfoTable.h"
#include "output/ResultsExport.h"
#include "platform/cPosixFileSystem.h"
#include "settings/cSetupData.h"

namespace orvik {
namespace {

void BM_Export500kUsers(benchmark::State& state) {
    cUserInfoTable users;
    for (int b = 0; b < 100; ++b) {
        auto batch = std::make_unique<cUserInfoBatch>();
        for (int i = 0; i < 5000; ++i) {
            const int n = b * 5000 + i;
            batch->Emplace(u"user" + FormatLong(n), u"Generated User " + FormatLong(n),
                           std::u16string(u"Finance and Controlling"), std::u16string(u"CORP"),
                           static_cast<std::uint32_t>(n % 7 ? 1700000000 + n * 37 : 0));
        }
        users.MergeBatch(std::move(batch));
    }
    users.Sort();
    cSetupData setup;
    const std::string folder = "/tmp/orvik-export-bench-" + std::to_string(::getpid());
    ::mkdir(folder.c_str(), 0700);
    setup.m_ExportFile = FromUtf8(folder + "/export.txt");
    setup.m_SummaryFile = FromUtf8(folder + "/summary.txt");
    if (state.range(0) != 0) {
        setup.m_ExportFormat =
            u"%DOMAIN%\\%USER_NAME%;%FULL_NAME%;%LAST_LOGON_TIME%;%LAST_LOGON_TIME_NUMBER_VALUE%;"
            u"%DESCRIPTION%";
    }
    cMemoryListView controllers;
    cPosixFileSystem files;
    double exportSeconds = 0;
    std::vector<std::uint8_t> bytes;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const tResult<cExportOutcome> outcome = ExportResults(users, setup, controllers, files, 1700000000, nullptr);
        exportSeconds = bench::SecondsSince(start);
        if (ExportFailure(outcome) != nullptr) state.SkipWithError("export failed");
        state.PauseTiming();
        const std::string written = outcome ? outcome->exportFile : std::string();
        {
            std::error_code why;
            SystemFileSystem().ReadWhole(written, bytes, why);
        }
        ::unlink(written.c_str());
        state.ResumeTiming();
    }
    // Writing the same bytes as they are.
    const double baseline = bench::WriteBytesSeconds(bytes, folder + "/plain.txt");
    state.counters["baseline_ms"] = baseline * 1000;
    state.counters["ratio"] = exportSeconds / baseline;
    ::unlink((folder + "/summary.txt").c_str());
    ::rmdir(folder.c_str());
}
BENCHMARK(BM_Export500kUsers)
    ->ArgName("all_six_variables")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace orvik
