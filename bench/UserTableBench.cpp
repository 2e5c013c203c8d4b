// Speed and memory of the user merge table at forest scale: 500,000 users
// reported by 20 controllers, merged in pages of 5,000 on the window thread.

#include <benchmark/benchmark.h>

#include <chrono>

#include <malloc.h>
#include "Baselines.h"

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "base/TextCompare.h"
#include "engine/cMemoryListView.h"
#include "engine/cUserInfoBatch.h"
#include "engine/cUserInfoTable.h"
#include "support/LiteralUserTable.h"

namespace orvik {
namespace {

constexpr std::size_t kBatchSize = 5000;

struct Account {
    std::u16string name, full, description;
};

// Accounts with realistic text lengths, in a random (not key) order, the way
// a controller enumerates them.
std::vector<Account> MakeAccounts(std::size_t count, std::uint32_t seed) {
    static const char* kGiven[] = {"anna", "ben",   "carla", "david", "eva",   "frank", "greta", "hugo",
                                   "ida",  "jonas", "karin", "lars",  "maria", "nils",  "olga",  "peter"};
    static const char* kFamily[] = {"berg", "dahl",   "falk", "holm", "lindqvist",
                                    "moe",  "nyberg", "ek",   "sand", "strom"};
    static const char* kDepartments[] = {"Sales Europe", "Finance and Controlling", "IT Operations",
                                         "Research Laboratory 2", "Customer Support"};
    std::mt19937 rng(seed);
    std::vector<Account> accounts;
    accounts.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string given = kGiven[rng() % 16];
        const std::string family = kFamily[rng() % 10];
        Account a;
        a.name = Widen(given.substr(0, 1) + family + std::to_string(i));
        std::string full = given + " " + family;
        full[0] = static_cast<char>(full[0] - 32);
        a.full = Widen(full);
        a.description = Widen(kDepartments[rng() % 5]);
        accounts.push_back(std::move(a));
    }
    std::shuffle(accounts.begin(), accounts.end(), rng);
    return accounts;
}

std::unique_ptr<cUserInfoBatch> MakeBatch(const std::vector<Account>& accounts, std::size_t first, std::size_t count,
                                          std::mt19937& rng) {
    auto batch = std::make_unique<cUserInfoBatch>();
    batch->Records().reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const Account& a = accounts[(first + i) % accounts.size()];
        batch->Emplace(a.name, a.full, a.description, std::u16string(u"CORP"),
                       static_cast<std::uint32_t>(1700000000 + rng() % 30000000));
    }
    return batch;
}

// Streams of `users` accounts from `controllers` controllers, their pages
// interleaved as they would arrive from workers running side by side. Each
// controller starts its enumeration at a different place, so new users keep
// arriving at scattered positions for a while.
template <typename Table>
void MergeStreams(Table& table, benchmark::State& state, const std::vector<Account>& accounts, int controllers,
                  double* mergeSeconds = nullptr) {
    std::mt19937 rng(99);
    const std::size_t users = accounts.size();
    const std::size_t pages = (users + kBatchSize - 1) / kBatchSize;
    for (std::size_t page = 0; page < pages; ++page) {
        for (int c = 0; c < controllers; ++c) {
            state.PauseTiming();
            const std::size_t offset = (static_cast<std::size_t>(c) * users / static_cast<std::size_t>(controllers));
            const std::size_t count = std::min(kBatchSize, users - page * kBatchSize);
            auto batch = MakeBatch(accounts, offset + page * kBatchSize, count, rng);
            state.ResumeTiming();
            const auto start = std::chrono::steady_clock::now();
            table.MergeBatch(std::move(batch));
            if (mergeSeconds != nullptr) *mergeSeconds += bench::SecondsSince(start);
        }
    }
}

const std::vector<Account>& Forest() {
    static const std::vector<Account> accounts = MakeAccounts(500000, 1);
    return accounts;
}

const std::vector<Account>& Small() {
    static const std::vector<Account> accounts = MakeAccounts(100000, 2);
    return accounts;
}

void BM_MergeTwentyControllers500kUsers(benchmark::State& state) {
    for (auto _ : state) {
        cUserInfoTable table;
        MergeStreams(table, state, Forest(), 20);
        benchmark::DoNotOptimize(table.GetCount());
        state.PauseTiming();
        table.Clear();
        state.ResumeTiming();
    }
    state.counters["records"] = 20.0 * 500000;
}
BENCHMARK(BM_MergeTwentyControllers500kUsers)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

void BM_MergeTwentyControllers100kUsers(benchmark::State& state) {
    double fast = 0;
    for (auto _ : state) {
        cUserInfoTable table;
        fast = 0;
        MergeStreams(table, state, Small(), 20, &fast);
        const auto start = std::chrono::steady_clock::now();
        table.Sort();
        fast += bench::SecondsSince(start);
        benchmark::DoNotOptimize(table.GetCount());
    }
    // The same 2,000,000 reports through a std::unordered_map and one std::sort.
    std::vector<bench::cPlainUser> reports;
    std::mt19937 rng(99);
    for (int c = 0; c < 20; ++c) {
        for (const Account& a : Small()) {
            reports.push_back({a.name, a.full, a.description, u"CORP", static_cast<std::uint32_t>(rng())});
        }
    }
    const double baseline = bench::MergeBaselineSeconds(reports);
    state.counters["baseline_ms"] = baseline * 1000;
    state.counters["merge_and_sort_ms"] = fast * 1000;
    state.counters["ratio"] = fast / baseline;
}
BENCHMARK(BM_MergeTwentyControllers100kUsers)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_LiteralMergeTwentyControllers100kUsers(benchmark::State& state) {
    for (auto _ : state) {
        test::LiteralUserTable table;
        MergeStreams(table, state, Small(), 20);
        benchmark::DoNotOptimize(table.merged.size());
    }
}
BENCHMARK(BM_LiteralMergeTwentyControllers100kUsers)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// One page of 5,000 (half of them new users at scattered places) into a table of 500,000.
void BM_MergeOneBatchInto500k(benchmark::State& state) {
    cUserInfoTable table;
    const auto& accounts = Forest();
    std::mt19937 rng(5);
    for (std::size_t first = 0; first < accounts.size(); first += kBatchSize) {
        table.MergeBatch(MakeBatch(accounts, first, kBatchSize, rng));
    }
    std::size_t fresh = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto batch = std::make_unique<cUserInfoBatch>();
        for (std::size_t i = 0; i < kBatchSize; ++i) {
            if (i % 2 == 0) {
                const Account& a = accounts[rng() % accounts.size()];
                batch->Emplace(a.name, a.full, a.description, std::u16string(u"CORP"), 1800000000u);
            } else {
                batch->Emplace(u"new" + FormatLong(static_cast<std::int64_t>(rng())) + FormatLong(fresh++), u"New User",
                               u"", std::u16string(u"CORP"), 1800000000u);
            }
        }
        state.ResumeTiming();
        table.MergeBatch(std::move(batch));
    }
    state.counters["table"] = static_cast<double>(table.GetCount());
}
BENCHMARK(BM_MergeOneBatchInto500k)->Unit(benchmark::kMillisecond)->Iterations(40)->UseRealTime();

cUserInfoTable& ForestTable() {
    static cUserInfoTable* table = [] {
        auto* t = new cUserInfoTable;
        std::mt19937 rng(3);
        const auto& accounts = Forest();
        for (std::size_t first = 0; first < accounts.size(); first += kBatchSize) {
            t->MergeBatch(MakeBatch(accounts, first, kBatchSize, rng));
        }
        return t;
    }();
    return *table;
}

// Sorts the table once per iteration: the table remembers that it is sorted,
// so the order is given up outside the timing first.
void SortEveryTime(cUserInfoTable& table, benchmark::State& state, double& seconds) {
    seconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        table.RestoreSortColumn(table.GetSortColumn());
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        table.Sort();
        seconds += bench::SecondsSince(start);
        benchmark::DoNotOptimize(table.Display().data());
    }
    seconds /= static_cast<double>(state.iterations());
}

void BM_Sort500k(benchmark::State& state) {
    cUserInfoTable& table = ForestTable();
    const int column = static_cast<int>(state.range(0));
    const bool ascending = state.range(1) != 0;
    while (table.GetSortColumn() != column || table.IsAscending() != ascending) table.SetSortColumn(column);
    double fast = 0;
    SortEveryTime(table, state, fast);
    // The literal table's insertion sort takes minutes at this size: one std::stable_sort instead.
    const double baseline = bench::CompareSortSeconds(table.Merged(), column, ascending);
    state.counters["stable_sort_ms"] = baseline * 1000;
    state.counters["ratio"] = fast / baseline;
}
BENCHMARK(BM_Sort500k)
    ->ArgNames({"column", "ascending"})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Args({2, 1})
    ->Args({3, 0})
    ->Args({4, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_Sort100k(benchmark::State& state) {
    cUserInfoTable table;
    std::mt19937 rng(4);
    const auto& accounts = Small();
    for (std::size_t first = 0; first < accounts.size(); first += kBatchSize) {
        table.MergeBatch(MakeBatch(accounts, first, kBatchSize, rng));
    }
    const int column = static_cast<int>(state.range(0));
    if (column != table.GetSortColumn()) table.SetSortColumn(column);
    double fast = 0;
    SortEveryTime(table, state, fast);
    // The same users through the literal table's sort, once.
    test::LiteralUserTable literal;
    rng.seed(4);
    for (std::size_t first = 0; first < accounts.size(); first += kBatchSize) {
        literal.MergeBatch(MakeBatch(accounts, first, kBatchSize, rng));
    }
    const auto start = std::chrono::steady_clock::now();
    literal.Sort(column, table.IsAscending());
    const double baseline = bench::SecondsSince(start);
    state.counters["literal_ms"] = baseline * 1000;
    state.counters["ratio"] = fast / baseline;
}
BENCHMARK(BM_Sort100k)->ArgName("column")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

// With a search text the fill stops at 500 rows but counts every match (for
// the line under the list), so that case grows with the table.
void BM_ShowUsersLimit500(benchmark::State& state) {
    cUserInfoTable& table = ForestTable();
    table.Sort();
    cMemoryListView list;
    const bool filtered = state.range(0) != 0;
    for (auto _ : state) {
        table.ShowUsers(list, filtered ? u"BERG" : u"", 500);
        benchmark::DoNotOptimize(list.GetRowCount());
    }
    state.counters["rows"] = list.GetRowCount();
}
BENCHMARK(BM_ShowUsersLimit500)->ArgName("filter")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();

// Heap bytes that the table holds per merged user: records, their texts, the
// merge order, the display order and the key index, measured as the growth of
// the allocator's in-use bytes (mallinfo2) from an empty table to a merged and
// sorted one, after the batches are gone.
void BM_MemoryPerUser500k(benchmark::State& state) {
    const auto& accounts = Forest();
    std::mt19937 rng(8);
    for (auto _ : state) {
        const std::size_t before = mallinfo2().uordblks;
        auto table = std::make_unique<cUserInfoTable>();
        for (int c = 0; c < 2; ++c) {
            for (std::size_t first = 0; first < accounts.size(); first += kBatchSize) {
                table->MergeBatch(MakeBatch(accounts, first, kBatchSize, rng));
            }
        }
        table->Sort();
        const std::size_t after = mallinfo2().uordblks;
        state.counters["bytes_per_user"] = static_cast<double>(after - before) / static_cast<double>(table->GetCount());
    }
}
BENCHMARK(BM_MemoryPerUser500k)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace orvik
