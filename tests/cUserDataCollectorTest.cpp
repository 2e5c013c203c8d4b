#include "engine/cUserDataCollector.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

#include "platform/NetApiCodes.h"
#include "platform/cSimulatedDirectory.h"
#include "support/DeferredLauncher.h"
#include "support/TestClock.h"
#include "support/UserFactory.h"

namespace orvik {
namespace {

class CollectorTest : public testing::Test {
protected:
    cSimulatedDirectory directory{{}};
    test::TestClock clock{1000};
    test::DeferredLauncher launcher;
    cUserDataCollector collector{directory, clock, launcher.AsLauncher()};

    void Start(const std::u16string& name) { collector.StartJob(std::make_unique<cCollectionJob>(name, 4096)); }
    std::vector<cCollectionJob> Changed(std::uint32_t& lastSeen) {
        std::vector<cCollectionJob> out;
        collector.CollectChangedJobs(lastSeen, out);
        return out;
    }
    // A worker's copy of the listed job at `index`, as it would hold it.
    cCollectionJob Copy(std::int32_t index, std::int32_t state, std::int32_t users, std::int32_t total,
                        tTimeValue lastCall, std::int32_t result = kErrorMoreData) {
        cCollectionJob w;
        std::tie(w.index, w.state, w.userCount, w.totalHint, w.lastCallTime, w.resultCode) =
            std::tuple(index, state, users, total, lastCall, result);
        return w;
    }
};

TEST_F(CollectorTest, ANameIsRefusedWhileItsWorkerLivesAndReplacedInPlaceOnceItEnded) {
    Start(u"dc1");
    Start(u"DC2");
    EXPECT_EQ(collector.StartJob(std::make_unique<cCollectionJob>(u"DC1", 4096)), -1);
    EXPECT_EQ(collector.GetRunningCount(), 2);

    cCollectionJob w = Copy(0, kJobFinished, 5, 5, 1001, 0);
    collector.ReportJob(w, nullptr);
    EXPECT_EQ(collector.StartJob(std::make_unique<cCollectionJob>(u"DC1", 4096)), 0);
    std::uint32_t seen = 0;
    auto jobs = Changed(seen);
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_EQ(jobs[0].name, u"DC1");
    EXPECT_EQ(jobs[0].index, 0);
    EXPECT_EQ(jobs[0].userCount, 0);
    EXPECT_EQ(jobs[1].name, u"DC2");
    EXPECT_EQ(collector.GetRunningCount(), 2);
}

TEST_F(CollectorTest, AFinishingReportWithAPageLeavesTheCollectorBusyUntilThePageIsTaken) {
    Start(u"DC1");
    EXPECT_FALSE(collector.IsIdle());
    clock.Set(1500);
    cCollectionJob w = Copy(0, kJobFinished, 1, 1, 1001, 0);
    collector.ReportJob(w, test::Batch(test::MakeUser(u"a", 5)));
    std::uint32_t seen = 0;
    EXPECT_EQ(Changed(seen).at(0).endTime, 1500);  // a finished job ends now
    // The running count alone says "done" while the last page still waits.
    EXPECT_EQ(collector.GetRunningCount(), 0);
    EXPECT_FALSE(collector.IsIdle());
    std::unique_ptr<cUserInfoBatch> page;
    ASSERT_EQ(collector.PopResult(page), 0);
    EXPECT_TRUE(collector.IsIdle());
    EXPECT_EQ(collector.PopResult(page), -1);
}

TEST_F(CollectorTest, EstimatesTheEndFromTheRateSoFarWithoutOverflow) {
    const struct {
        std::int32_t users, total;
        tTimeValue lastCall, end;
    } reports[] = {
        {300, 600, 1030, 1090},                                                      // 300 more at 10 a second
        {300, 0, 1030, 0},                                                           // no total: no estimate
        {1, 2000000000, 1000 + 30 * 86400, std::numeric_limits<tTimeValue>::max()},  // 30 days for one
        {100000, 1000000, 1000 + 3600, 4600 + 3600LL * 1000000 / 100000},            // 3.6e9 needs 64 bits
    };
    for (const auto& r : reports) {
        Start(u"DC" + std::u16string(1, char16_t(u'0' + (&r - reports))));
        cCollectionJob w = Copy(static_cast<std::int32_t>(&r - reports), kJobRunning, r.users, r.total, r.lastCall);
        EXPECT_EQ(collector.ReportJob(w, nullptr), 0);
        std::uint32_t seen = 0;
        EXPECT_EQ(Changed(seen).at(static_cast<std::size_t>(&r - reports)).endTime, r.end) << r.users;
    }
}

TEST_F(CollectorTest, AfterAStopTheNextReportIsDroppedAndUnseen) {
    Start(u"DC1");
    std::uint32_t seen = 0;
    Changed(seen);
    collector.StopAllJobs();
    cCollectionJob w = Copy(0, kJobRunning, 100, 100, 1010);
    EXPECT_EQ(collector.ReportJob(w, test::Batch(test::MakeUser(u"a", 1))), 0);
    EXPECT_TRUE(w.stopFlag);
    EXPECT_EQ(w.state, kJobFinished);
    EXPECT_EQ(collector.GetRunningCount(), 0);
    std::unique_ptr<cUserInfoBatch> batch;
    EXPECT_EQ(collector.PopResult(batch), -1);
    EXPECT_TRUE(Changed(seen).empty());
}

}  // namespace
}  // namespace orvik
