// The window's timer path without a window: 20 fast controllers of 25,000
// users each (500,000 users), four threads, one tick a second as the window
// runs it, with the timed refresh and the completion actions (sort, export
// and summary, configuration save, refresh). Reports the longest tick while
// pages arrive and the completion tick, each also as a ratio to the plain
// merge baseline of the same 500,000 reports.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "Baselines.h"
#include "app/cTickDriver.h"
#include "engine/cDomainControllerCollection.h"
#include "engine/cMemoryCollectionView.h"
#include "engine/cUserDataCollector.h"
#include "output/ResultsExport.h"
#include "platform/cPosixFileSystem.h"
#include "platform/cSimulatedDirectory.h"
#include "platform/iClock.h"
#include "support/TempFolder.h"

namespace orvik {
namespace {

constexpr std::uint32_t kControllers = 20, kUsersEach = 25000;

std::vector<cSimulatedDirectory::Controller> Controllers() {
    std::vector<cSimulatedDirectory::Controller> dcs;
    for (std::uint32_t i = 0; i < kControllers; ++i) {
        cSimulatedDirectory::Controller dc;
        dc.name = u"DC" + FormatLong(i);
        dc.domain = u"CORP";
        dc.generate.count = kUsersEach;
        dc.generate.seed = i + 1;
        dc.generate.first = i * kUsersEach;  // each controller its own users: 500,000 in all
        dcs.push_back(dc);
    }
    return dcs;
}

void BM_TickPathTwentyControllers25kUsers(benchmark::State& state) {
    const auto dcs = Controllers();
    cSimulatedDirectory directory(dcs);
    std::vector<bench::cPlainUser> reports;
    for (const auto& dc : dcs) {
        for (std::uint32_t i = 0; i < cSimulatedDirectory::EntryCount(dc); ++i) {
            const UserInfo2 e = cSimulatedDirectory::EntryAt(dc, i);
            reports.push_back({e.name, e.fullName, e.comment, dc.domain, e.lastLogon});
        }
    }
    cSystemClock clock;
    cPosixFileSystem files;
    double longestArriving = 0, completion = 0, baseline = 0;
    std::size_t ticks = 0, users = 0;
    for (auto _ : state) {
        test::TempFolder folder;
        cUserDataCollector collector(directory, clock);
        cDomainControllerCollection collection(collector, clock);
        cMemoryCollectionView view;
        collection.SetMainWindow(&view);
        collection.SetConfigPath(folder.File("orvik.cfg"));
        collection.Settings().m_ExportFile = FromUtf8(folder.File("Ambrel.txt"));
        collection.Settings().m_SummaryFile = FromUtf8(folder.File("summary.txt"));
        for (const auto& name : directory.ControllerNames()) collection.AddDomainController(view.Controllers(), name);
        auto refresh = [&] {
            collection.SortUsers();
            collection.ShowUsers(u"");
        };
        cTickDriver driver(collection, clock,
                           {[&] {
                                collection.SortUsers();
                                ExportResults(collection, files, clock.Now(), nullptr);
                            },
                            refresh,
                            [] {},
                            {}});
        driver.RunStarted();
        collection.StartAll();
        for (bool done = false; !done;) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1000));
            const auto t0 = std::chrono::steady_clock::now();
            done = driver.Tick();
            const double seconds = bench::SecondsSince(t0);
            ++ticks;
            if (done)
                completion = seconds;
            else
                longestArriving = std::max(longestArriving, seconds);
        }
        users = collection.GetTotalUsers();
        {
            auto t = std::chrono::steady_clock::now();
            collection.Users().RestoreSortColumn(1);
            collection.SortUsers();
            state.counters["sort_ms"] = bench::SecondsSince(t) * 1000;
            t = std::chrono::steady_clock::now();
            ExportResults(collection, files, clock.Now(), nullptr);
            state.counters["export_ms"] = bench::SecondsSince(t) * 1000;
            t = std::chrono::steady_clock::now();
            (void)collection.SaveConfiguration();
            state.counters["save_ms"] = bench::SecondsSince(t) * 1000;
        }
        baseline = bench::MergeBaselineSeconds(reports);
    }
    state.counters["users"] = static_cast<double>(users);
    state.counters["ticks"] = static_cast<double>(ticks) / static_cast<double>(state.iterations());
    state.counters["longest_tick_ms"] = longestArriving * 1000;
    state.counters["completion_ms"] = completion * 1000;
    state.counters["baseline_ms"] = baseline * 1000;
    state.counters["longest_tick_ratio"] = longestArriving / baseline;
    state.counters["completion_ratio"] = completion / baseline;
}
BENCHMARK(BM_TickPathTwentyControllers25kUsers)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

}  // namespace
}  // namespace orvik
