// Many controllers, many threads, starts, stops and restarts in quick
// succession: run under ThreadSanitizer in CI.

#include <gtest/gtest.h>

#include <random>

#include "base/TextCompare.h"
#include "platform/NetApiCodes.h"
#include "support/CollectionFixture.h"

namespace orvik {
namespace {

class CollectionStress : public test::CollectionFixture {};

TEST_F(CollectionStress, FiftyControllersEightThreadsRepeatedStartStopRestart) {
    std::vector<cSimulatedDirectory::Controller> dcs;
    for (int i = 0; i < 50; ++i) {
        auto dc = test::SimDc(u"DC" + FormatLong(i), 300, static_cast<std::uint32_t>(i), 50);
        if (i % 2 == 0) dc.domain = u"LAB";
        if (i % 7 == 0) {
            dc.failCode = kErrorRpcServerUnavailable;
            dc.failAtCall = 3;
        }
        if (i % 11 == 0) dc.moreDataZeroResume = 2;
        dcs.push_back(dc);
    }
    Build(dcs, false);
    collection->Settings().m_MaxThreads = 8;
    std::mt19937 rng(12);
    for (int round = 0; round < 12; ++round) {
        collection->StartAll();
        const int ticks = static_cast<int>(rng() % 15);
        for (int t = 0; t < ticks && !complete; ++t) {
            collection->Poll(complete);
            clock.SleepMs(1);
        }
        if (round % 3 == 2) {
            ASSERT_TRUE(PollUntilComplete());
            // Two domains of 300 generated users each.
            EXPECT_EQ(collection->GetTotalUsers(), 600u);
        } else {
            collection->StopAndReset();
            EXPECT_EQ(collection->GetTotalUsers(), 0u);
            EXPECT_EQ(Running(), 0);
            for (int row = 0; row < 50; ++row) ASSERT_EQ(Status(row), u"Idle") << row;
        }
    }
    collection->StartAll();
    ASSERT_TRUE(PollUntilComplete());
    for (int row = 0; row < 50; ++row) EXPECT_EQ(Status(row), row % 7 == 0 ? u"Error" : u"Ready") << row;
}

}  // namespace
}  // namespace orvik
