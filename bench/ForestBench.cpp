// A forest of fake domain controllers on loopback, all in this process: each
// serves StartTLS, a simple bind, the domain query and a paged user search
// in pages of the client's size, with a delay before every page so that its
// own answer time is a site's (0.2 to 3 s, most of them quick, a few slow far
// sites, spread over the list). 300 accounts are on every controller with
// differing last logons, the others on one controller each: about 210,000
// users in all.
//
// The batch run's poll loop and the window's tick driver (with the workers'
// wake-ups posted to it as the window's event loop gets them, and its
// one-second timer) collect from them over LDAP at 4, 16 and 64 threads.
// Each row gives the time from the start until the run is complete (every
// page merged) against the ideal schedule, max(longest controller, sum of
// answer times / threads), and the same with the tail (sort, export,
// configuration save; freeing the users is exit_ms), and fails unless the
// merged users are exactly the expected latest logons. "longest first" rows
// start from the durations a full-size previous run leaves in the
// configuration (whole seconds), "list order" rows from none.
//
// ORVIK_FOREST_SCALE scales every delay: 1 is the full size, the default 0.1
// keeps a row to a few seconds, where the per-controller costs (TLS, the
// directory's encoding, the merge, all in this one process) weigh ten times
// as much against the ideal as at full size.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "Baselines.h"
#include "app/BatchRun.h"
#include "app/cTickDriver.h"
#include "base/TextCompare.h"
#include "engine/cDomainControllerCollection.h"
#include "engine/cMemoryCollectionView.h"
#include "engine/cUserDataCollector.h"
#include "output/ResultsExport.h"
#include "platform/NetApiCodes.h"
#include "platform/cLdapDirectory.h"
#include "platform/cPosixFileSystem.h"
#include "platform/iClock.h"
#include "support/FakeLdapServer.h"
#include "support/TempFolder.h"

namespace orvik {
namespace {

using Clock = std::chrono::steady_clock;
using test::FakeLdapServer;

constexpr int kControllers = 150;
constexpr int kSharedAccounts = 300;
constexpr int kPageSize = 1000;  // what the default buffer setting asks for
constexpr double kHandshakeDelaySeconds = 0.05;

double Scale() {
    const char* text = std::getenv("ORVIK_FOREST_SCALE");
    const double scale = text != nullptr ? std::atof(text) : 0.1;
    return scale > 0 ? scale : 0.1;
}

std::string FileTime(std::uint32_t seconds) {
    return std::to_string((std::uint64_t{seconds} + 11644473600ULL) * 10000000ULL);
}

struct cSite {
    int users = 0;
    double answerSeconds = 0;  // at full size
};

// The same forest every time: 10% slow far sites, wherever the list puts them.
std::vector<cSite> Sites() {
    std::mt19937 random(25);
    std::uniform_real_distribution<double> unit(0, 1);
    std::vector<cSite> sites(kControllers);
    for (cSite& s : sites) {
        const double u = unit(random);
        s.users = 500 + static_cast<int>(3500 * u * u);
        s.answerSeconds = unit(random) < 0.1 ? 2.0 + unit(random) : 0.2 + 0.8 * unit(random);
    }
    return sites;
}

class cForest {
public:
    cForest(const std::vector<cSite>& sites, double scale, double handshakeSeconds) {
        std::mt19937 random(7);
        std::uniform_int_distribution<std::uint32_t> logon(1700000000, 1710000000);
        for (std::size_t i = 0; i < sites.size(); ++i) {
            FakeLdapServer::cOptions o;
            o.cookie = FakeLdapServer::eCookie::kClientSize;
            for (int k = 0; k < sites[i].users; ++k) {
                const std::string name = k < kSharedAccounts ? "shared" + std::to_string(k)
                                                             : "dc" + std::to_string(i) + "u" + std::to_string(k);
                const std::uint32_t seconds = logon(random);
                o.users.push_back({name, FileTime(seconds)});
                auto [it, fresh] = m_Expected.try_emplace(ToUpperAscii(FromUtf8(name)), seconds);
                if (!fresh) it->second = std::max(it->second, seconds);
            }
            const int pages = (sites[i].users + kPageSize - 1) / kPageSize;
            o.pageDelay =
                std::chrono::microseconds(static_cast<std::int64_t>(sites[i].answerSeconds * scale * 1e6 / pages));
            o.startTlsDelay = std::chrono::microseconds(static_cast<std::int64_t>(handshakeSeconds * scale * 1e6));
            m_Servers.push_back(std::make_unique<FakeLdapServer>(std::move(o)));
        }
    }
    std::u16string Name(std::size_t i) const { return FromUtf8(m_Servers[i]->Address()); }
    // Every user once, with the latest logon of all controllers.
    bool IsExact(const cUserInfoTable& users) const {
        if (users.GetCount() != m_Expected.size()) return false;
        for (const cUserInfo* u : users.Merged()) {
            const auto it = m_Expected.find(ToUpperAscii(u->m_UserName));
            if (it == m_Expected.end() || it->second != u->m_LastLogon) return false;
        }
        return true;
    }

private:
    std::vector<std::unique_ptr<FakeLdapServer>> m_Servers;
    std::map<std::u16string, std::uint32_t> m_Expected;
};

cLdapOptions SimpleBind() {
    cLdapOptions o;
    o.auth = cLdapOptions::eAuth::kSimple;
    o.bindName = "admin@fake.test";
    o.password = "secret";
    o.caFile = FakeLdapServer::CertificateFile();
    return o;
}

// The window's event loop as far as a run needs it: calls posted from the
// workers' threads, and the timer.
class cPostedCalls {
public:
    void Post() {
        std::lock_guard<std::mutex> lock(m_Mutex);
        m_Posted = true;
        m_Changed.notify_one();
    }
    // True when a call was posted before `until`.
    bool Take(Clock::time_point until) {
        std::unique_lock<std::mutex> lock(m_Mutex);
        m_Changed.wait_until(lock, until, [&] { return m_Posted; });
        return std::exchange(m_Posted, false);
    }

private:
    std::mutex m_Mutex;
    std::condition_variable m_Changed;
    bool m_Posted = false;
};

enum eRun : int { kBatchListOrder, kBatchLongestFirst, kBatchSlowHandshakes, kWindowLongestFirst };

void BM_Forest150(benchmark::State& state) {
    const int threads = static_cast<int>(state.range(0));
    const auto run = static_cast<eRun>(state.range(1));
    const double scale = Scale();
    const std::vector<cSite> sites = Sites();
    const cForest forest(sites, scale, run == kBatchSlowHandshakes ? kHandshakeDelaySeconds : 0);
    double longest = 0, sum = 0;
    for (const cSite& s : sites) {
        longest = std::max(longest, s.answerSeconds * scale);
        sum += s.answerSeconds * scale;
    }
    const double ideal = std::max(longest, sum / threads);
    double collect = 0, done = 0, cpu = 0, sortMs = 0, exportMs = 0, saveMs = 0, exitMs = 0;
    bool exact = false;
    std::size_t users = 0, polls = 0;
    for (auto _ : state) {
        test::TempFolder folder;
        cSystemClock clock;
        cPosixFileSystem files;
        cLdapDirectory directory(SimpleBind());
        cUserDataCollector collector(directory, clock);
        auto collection = std::make_unique<cDomainControllerCollection>(collector, clock);
        cMemoryCollectionView view;
        collection->SetMainWindow(&view);
        collection->SetConfigPath(folder.File("orvik.cfg"));
        collection->Settings().m_ExportFile = FromUtf8(folder.File("Ambrel.txt"));
        collection->Settings().m_SummaryFile = FromUtf8(folder.File("LastLogonSummary.txt"));
        collection->Settings().m_MaxThreads = threads;
        std::mt19937 random(3);
        std::uniform_real_distribution<double> phase(0, 1);  // where in its first second each started
        for (std::size_t i = 0; i < sites.size(); ++i) {
            collection->AddDomainController(view.Controllers(), forest.Name(i));
            if (run == kBatchListOrder) continue;
            const tTimeValue start = 1700000000;
            const auto took = static_cast<tTimeValue>(std::floor(phase(random) + sites[i].answerSeconds));
            collection->Controllers()[i]->SetPersisted(forest.Name(i), sites[i].users, start, start + took);
        }
        const auto exportAndSave = [&] {
            auto t = Clock::now();
            collection->SortUsers();
            sortMs = bench::SecondsSince(t) * 1000;
            t = Clock::now();
            ExportResults(*collection, files, clock.Now(), nullptr);
            exportMs = bench::SecondsSince(t) * 1000;
            t = Clock::now();
            (void)collection->SaveConfiguration();
            saveMs = bench::SecondsSince(t) * 1000;
        };

        const double cpuBefore = bench::ProcessCpuSeconds();
        const auto started = Clock::now();
        if (run == kWindowLongestFirst) {
            cPostedCalls calls;
            collector.SetWake([&] { calls.Post(); });
            cTickDriver driver(*collection, clock,
                               {[&] {
                                    collect = bench::SecondsSince(started);
                                    exportAndSave();
                                },
                                [&] {
                                    collection->SortUsers();
                                    collection->ShowUsers(u"");
                                },
                                [] {}, [] {}});
            driver.RunStarted();
            collection->StartAll();
            auto nextTick = Clock::now() + std::chrono::seconds(1);
            for (bool completed = false; !completed;) {
                if (calls.Take(nextTick)) {
                    completed = driver.Wake();
                    ++polls;
                }
                if (!completed && Clock::now() >= nextTick) {
                    completed = driver.Tick();
                    ++polls;
                    nextTick += std::chrono::seconds(1);
                }
            }
            collector.SetWake({});
        } else {
            collection->StartAll();
            PollUntilComplete(*collection, collector, cBatchSettings().tickMs, [&] { ++polls; });
            collect = bench::SecondsSince(started);
            exportAndSave();
        }
        done = bench::SecondsSince(started);
        cpu = bench::ProcessCpuSeconds() - cpuBefore;
        users = collection->GetTotalUsers();
        exact = forest.IsExact(collection->Users());
        for (const auto& dc : collection->Controllers()) exact = exact && dc->GetStatus() == kStatusReady;
        const auto t = Clock::now();
        collection.reset();
        exitMs = bench::SecondsSince(t) * 1000;
    }
    static const char* const kRuns[] = {"batch, list order", "batch, longest first",
                                        "batch, longest first, StartTLS +50 ms", "window, longest first"};
    state.SetLabel(kRuns[run]);
    state.counters["ideal_s"] = ideal;
    state.counters["measured_s"] = collect;
    state.counters["ratio"] = collect / ideal;
    state.counters["with_tail_s"] = done;  // and the completion actions: the files are written
    state.counters["with_tail_ratio"] = done / ideal;
    state.counters["sort_ms"] = sortMs;
    state.counters["export_ms"] = exportMs;
    state.counters["save_ms"] = saveMs;
    state.counters["exit_ms"] = exitMs;
    state.counters["users"] = static_cast<double>(users);
    state.counters["cpu_s"] = cpu;  // the whole process: fake controllers, TLS, libldap, merge
    state.counters["polls"] = static_cast<double>(polls);
    state.counters["exact"] = exact ? 1 : 0;
    if (!exact) state.SkipWithError("the merged users are not the expected latest logons");
}
BENCHMARK(BM_Forest150)
    ->ArgNames({"threads", "run"})
    ->ArgsProduct({{4, 16, 64}, {kBatchListOrder, kBatchLongestFirst}})
    ->Args({64, kBatchSlowHandshakes})
    ->ArgsProduct({{4, 16, 64}, {kWindowLongestFirst}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

// What every controller costs before its first page: connect, StartTLS,
// simple bind, root DSE and the domain query, one controller after another.
void BM_ForestFixedCostPerController(benchmark::State& state) {
    std::vector<cSite> sites(kControllers, cSite{kSharedAccounts, 0});
    const cForest forest(sites, 1, 0);
    double perController = 0;
    for (auto _ : state) {
        cLdapDirectory directory(SimpleBind());
        const auto t = Clock::now();
        for (std::size_t i = 0; i < sites.size(); ++i) {
            std::u16string domain;
            if (directory.NetWkstaGetInfo(u"\\\\" + forest.Name(i), 100, domain) != kNerrSuccess)
                state.SkipWithError("a domain query failed");
        }
        perController = bench::SecondsSince(t) * 1000 / static_cast<double>(sites.size());
    }
    state.counters["per_controller_ms"] = perController;
}
BENCHMARK(BM_ForestFixedCostPerController)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

}  // namespace
}  // namespace orvik
