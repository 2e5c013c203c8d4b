// Saving and loading a configuration file of 500,000 users.

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <chrono>
#include <string>

#include "Baselines.h"

#include "base/TextCompare.h"
#include "engine/cDomainControllerCollection.h"
#include "engine/cMemoryListView.h"
#include "engine/cUserDataCollector.h"
#include "engine/cUserInfoBatch.h"
#include "platform/cPosixFileSystem.h"
#include "platform/cSimulatedDirectory.h"
#include "platform/iClock.h"
#include "settings/ConfigurationFile.h"

namespace orvik {
namespace {

struct Fixture {
    cSimulatedDirectory directory{{}};
    cSystemClock clock;
    cUserDataCollector collector{directory, clock};
    cDomainControllerCollection collection{collector, clock};
    cMemoryListView list;
    std::string path = "/tmp/orvik-bench-" + std::to_string(::getpid()) + ".cfg";

    Fixture() {
        collection.SetConfigPath(path);
        for (int i = 0; i < 20; ++i) collection.AddDomainController(list, u"DC" + FormatLong(i));
        for (int b = 0; b < 100; ++b) {
            auto batch = std::make_unique<cUserInfoBatch>();
            for (int i = 0; i < 5000; ++i) {
                const int n = b * 5000 + i;
                batch->Emplace(u"user" + FormatLong(n), u"Generated User " + FormatLong(n),
                               std::u16string(u"Finance and Controlling"), std::u16string(u"CORP"),
                               static_cast<std::uint32_t>(1700000000 + n));
            }
            collection.Users().MergeBatch(std::move(batch));
        }
    }
    ~Fixture() { ::unlink(path.c_str()); }
};

void BM_SaveConfiguration500kUsers(benchmark::State& state) {
    Fixture f;
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (!f.collection.SaveConfiguration()) state.SkipWithError("save failed");
        seconds = bench::SecondsSince(start);
    }
    std::vector<std::uint8_t> bytes;
    {
        std::error_code why;
        SystemFileSystem().ReadWhole(f.path, bytes, why);
    }
    state.counters["file_MB"] = static_cast<double>(bytes.size()) / 1e6;
    // Writing the same bytes, without the flush to disk a save makes.
    const double baseline = bench::WriteBytesSeconds(bytes, f.path + ".plain");
    state.counters["baseline_ms"] = baseline * 1000;
    state.counters["ratio"] = seconds / baseline;
}
BENCHMARK(BM_SaveConfiguration500kUsers)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadConfiguration500kUsers(benchmark::State& state) {
    Fixture f;
    (void)f.collection.SaveConfiguration();
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const tResult<bool> loaded = f.collection.LoadConfiguration(f.list);
        if (!loaded || !*loaded) state.SkipWithError("load failed");
        seconds = bench::SecondsSince(start);
    }
    state.counters["users"] = static_cast<double>(f.collection.GetTotalUsers());
    // Reading the file into memory.
    const double baseline = bench::ReadBytesSeconds(f.path);
    state.counters["baseline_ms"] = baseline * 1000;
    state.counters["ratio"] = seconds / baseline;
}
BENCHMARK(BM_LoadConfiguration500kUsers)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace orvik
