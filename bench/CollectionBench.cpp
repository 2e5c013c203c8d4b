// A whole collection run against the simulated directory: 20 controllers of
// 100,000 generated, overlapping users each, four threads, the poll step run
// back to back instead of once a second.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>

#include "Baselines.h"

#include "base/TextCompare.h"
#include "engine/cDomainControllerCollection.h"
#include "engine/cMemoryCollectionView.h"
#include "engine/cUserDataCollector.h"
#include "platform/cSimulatedDirectory.h"
#include "platform/iClock.h"

namespace orvik {
namespace {

void BM_CollectTwentyControllers100kUsers(benchmark::State& state) {
    std::vector<cSimulatedDirectory::Controller> dcs;
    for (std::uint32_t i = 0; i < 20; ++i) {
        cSimulatedDirectory::Controller dc;
        dc.name = u"DC" + FormatLong(i);
        dc.domain = u"CORP";
        dc.generate.count = 100000;
        dc.generate.seed = i + 1;
        dc.generate.first = i * 1000;  // mostly the same accounts, a few of each controller's own
        dcs.push_back(dc);
    }
    cSimulatedDirectory directory(dcs);
    cSystemClock clock;
    double pollSeconds = 0;
    std::size_t polls = 0, users = 0;
    for (auto _ : state) {
        cUserDataCollector collector(directory, clock);
        cDomainControllerCollection collection(collector, clock);
        cMemoryCollectionView view;
        collection.SetMainWindow(&view);
        for (const auto& name : directory.ControllerNames()) collection.AddDomainController(view.Controllers(), name);
        collection.Settings().m_MaxThreads = 4;
        collection.StartAll();
        bool complete = false;
        while (!complete) {
            const auto t0 = std::chrono::steady_clock::now();
            collection.Poll(complete);
            pollSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
            ++polls;
        }
        collection.SortUsers();
        collection.ShowUsers(u"");
        users = collection.GetTotalUsers();
    }
    // The same reports merged the plain way, on this thread alone.
    std::vector<bench::cPlainUser> reports;
    for (const auto& dc : dcs) {
        for (std::uint32_t i = 0; i < cSimulatedDirectory::EntryCount(dc); ++i) {
            const UserInfo2 e = cSimulatedDirectory::EntryAt(dc, i);
            reports.push_back({e.name, e.fullName, e.comment, dc.domain, e.lastLogon});
        }
    }
    const double baseline = bench::MergeBaselineSeconds(reports);
    state.counters["baseline_ms"] = baseline * 1000;
    state.counters["in_poll_ratio"] = pollSeconds / static_cast<double>(state.iterations()) / baseline;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["users"] = static_cast<double>(users);
    state.counters["in_poll_s"] = pollSeconds / static_cast<double>(state.iterations());
    state.counters["polls"] = static_cast<double>(polls) / static_cast<double>(state.iterations());
    state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_CollectTwentyControllers100kUsers)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace
}  // namespace orvik
