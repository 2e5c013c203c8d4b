#include "engine/cDomainControllerCollection.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <thread>

#include "base/TextCompare.h"
#include "engine/UserDataWorker.h"
#include "platform/NetApiCodes.h"
#include "support/CollectionFixture.h"

namespace orvik {
namespace {

using test::SimDc;

class CollectionTest : public test::CollectionFixture {
protected:
    // The controllers started `threads` at a time, each held in its second
    // call: the first page is reported and queued, the worker is busy.
    void StartHeldInItsSecondCall(std::vector<cSimulatedDirectory::Controller> dcs, int threads) {
        Build(std::move(dcs));
        collection->Settings().m_MaxThreads = threads;
        gate.HoldFromCall(2);
        collection->StartAll();
        ASSERT_TRUE(gate.WaitForWaiting(1));
    }
};

std::vector<cSimulatedDirectory::Controller> Numbered(int count, std::uint32_t users) {
    std::vector<cSimulatedDirectory::Controller> dcs;
    for (int i = 0; i < count; ++i) dcs.push_back(SimDc(u"DC" + FormatLong(i), users, static_cast<std::uint32_t>(i)));
    return dcs;
}

TEST_F(CollectionTest, TenControllersWithFourThreadsStartInOrderAsSlotsFree) {
    Build(Numbered(10, 20));
    collection->StartAll();
    EXPECT_EQ(Running(), 4);
    for (int row = 0; row < 10; ++row) EXPECT_EQ(Status(row), row < 4 ? u"Busy" : u"Idle") << row;

    gate.Open(u"DC2");
    ASSERT_TRUE(PollUntil([&] { return Status(2) == u"Ready"; }));
    ASSERT_TRUE(PollUntil([&] { return Status(4) == u"Busy"; }));
    EXPECT_EQ(Status(5), u"Idle");
    EXPECT_FALSE(complete);

    for (int i = 0; i < 9; ++i) gate.Open(u"DC" + FormatLong(i));
    ASSERT_TRUE(PollUntil([&] { return Status(9) == u"Busy" && Running() == 1; }));
    for (int i = 0; i < 5; ++i) {
        collection->Poll(complete);
        EXPECT_FALSE(complete);
    }
    gate.Open(u"DC9");
    while (Running() != 0) clock.SleepMs(1);
    collection->Poll(complete);
    EXPECT_TRUE(complete);  // the first tick after the tenth worker ended
    for (int row = 0; row < 10; ++row) EXPECT_EQ(Status(row), u"Ready") << row;
    collection->Poll(complete);
    EXPECT_TRUE(complete);  // and every tick after it
    EXPECT_EQ(collection->GetTotalUsers(), 20u);
}

// One at a time (a thread limit below one counts as one), so the order shows.
TEST_F(CollectionTest, TheLongestPreviousRunStartsFirstAfterThoseWithout) {
    Build(Numbered(4, 5));
    collection->Settings().m_MaxThreads = 0;
    const tTimeValue lastCalls[] = {1001, 1003, 0, 1009};  // each started at 1000; DC2 never ran
    for (std::size_t i = 0; i < 4; ++i)
        collection->Controllers()[i]->SetPersisted(u"DC" + FormatLong(i), 5, lastCalls[i] ? 1000 : 0, lastCalls[i]);
    collection->StartAll();
    const auto busy = [&] {
        for (int row = 0; row < 4; ++row)
            if (Status(row) == u"Busy") return Cell(row, kColController);
        return std::u16string();
    };
    std::vector<std::u16string> started;
    for (int i = 0; i < 4; ++i) {
        started.push_back(busy());
        gate.Open(started.back());
        ASSERT_TRUE(PollUntil([&] { return complete || (!busy().empty() && busy() != started.back()); }));
    }
    EXPECT_EQ(started, (std::vector<std::u16string>{u"DC2", u"DC3", u"DC1", u"DC0"}));
    EXPECT_EQ(Cell(0, kColController), u"DC0");  // the list keeps its order
}

TEST_F(CollectionTest, ARunWithoutAViewKeepsEveryControllersFiguresInItsRecord) {
    auto failing = SimDc(u"DC2", 30);
    failing.failCode = kErrorRpcServerUnavailable;
    failing.failAtCall = 1;
    Build({SimDc(u"DC1", 50), failing}, false);
    collection->SetMainWindow(nullptr);
    clock.Set(1700000000);
    collection->StartAll();
    ASSERT_TRUE(PollUntilComplete());
    const auto& dcs = collection->Controllers();
    EXPECT_EQ(dcs[0]->GetStatus(), kStatusReady);
    EXPECT_EQ(dcs[0]->GetUserCount(), 50);
    EXPECT_EQ(dcs[0]->GetStartTime(), 1700000000u);
    EXPECT_NE(dcs[0]->GetEndTime(), 0u);
    EXPECT_EQ(dcs[1]->GetStatus(), kStatusError);
    EXPECT_EQ(dcs[1]->GetErrorCode(), kErrorRpcServerUnavailable);
    collection->StopAndReset();
    EXPECT_EQ(dcs[0]->GetStatus(), kStatusIdle);
}

TEST_F(CollectionTest, AWorkerThatCannotStartShowsAnErrorAndTheRunCompletes) {
    Build(Numbered(2, 10), false, [](std::function<void()>) { return false; });
    collection->StartAll();
    ASSERT_TRUE(PollUntilComplete());
    EXPECT_EQ(Status(0), u"Error");
    EXPECT_EQ(Cell(0, kColErrorCode), u"164");
    EXPECT_EQ(Status(1), u"Error");
}

TEST_F(CollectionTest, ResetWaitsForTheCallInProgressThenDropsItsPagesAndTheStartRequest) {
    StartHeldInItsSecondCall({SimDc(u"DC1", 30, 1, 10), SimDc(u"DC2", 30, 2, 10)}, 1);
    collection->BeginReset();
    EXPECT_FALSE(collection->AreWorkersStopped());  // the call in progress is waited for
    gate.OpenAll();
    WaitUntil([&] { return collection->AreWorkersStopped(); });
    collection->FinishReset();
    for (int i = 0; i < 20; ++i) {
        collection->Poll(complete);
        EXPECT_FALSE(complete);
    }
    EXPECT_EQ(collection->GetTotalUsers(), 0u);  // neither the queued page nor the one in progress
    for (int row = 0; row < 2; ++row) {
        EXPECT_EQ(Status(row), u"Idle") << row;  // DC2 was never started
        EXPECT_EQ(Cell(row, kColUserCount), u"0") << row;
    }
    EXPECT_EQ(Running(), 0);
}

TEST_F(CollectionTest, ARunCompletesOnlyInTheTickThatMergedItsLastPage) {
    auto dc = SimDc(u"DC1", 3);
    dc.pageSize = 1;
    Build({dc}, false);
    clock.SetElapsedStep(1000);  // every page uses up a tick's merge time
    collection->StartAll();
    WaitUntil([&] { return Running() == 0; });  // all three pages queued, no worker left
    for (std::size_t merged = 1; merged <= 3; ++merged) {
        collection->Poll(complete);
        EXPECT_EQ(collection->GetTotalUsers(), merged);
        EXPECT_EQ(complete, merged == 3) << merged;
    }
}

TEST_F(CollectionTest, ABusyControllerRemovedAndAddedBackStartsAgainOnlyAfterItsOldWorker) {
    StartHeldInItsSecondCall({SimDc(u"DC1", 500, 1, 250)}, 4);
    collection->Poll(complete);
    ASSERT_EQ(Status(0), u"Busy");
    collection->RemoveDomainController(view.Controllers(), u"DC1");
    collection->AddDomainController(view.Controllers(), u"dc1");
    view.Controllers().SetSelected(0, true);
    collection->StartSelected();
    EXPECT_EQ(Running(), 1);  // the old worker still runs; the new one waits for it
    gate.OpenAll();
    ASSERT_TRUE(PollUntilComplete());
    EXPECT_EQ(Status(0), u"Ready");
    EXPECT_EQ(Cell(0, kColUserCount), u"500");
    EXPECT_EQ(collection->GetTotalUsers(), 500u);
}

TEST_F(CollectionTest, StartSelectedSkipsBusyControllersAndAddsToTheUsers) {
    Build(Numbered(3, 5));
    collection->Settings().m_MaxThreads = 1;
    collection->StartAll();
    ASSERT_EQ(Status(0), u"Busy");
    view.Controllers().SetSelected(0, true);
    view.Controllers().SetSelected(2, true);
    collection->StartSelected();  // DC0 is Busy: only DC2 is asked for, after DC0 frees the slot
    gate.OpenAll();
    ASSERT_TRUE(PollUntilComplete());
    EXPECT_EQ(Status(0), u"Ready");
    EXPECT_EQ(gate.Enumerations(u"DC0"), 1);
    EXPECT_EQ(Status(1), u"Idle");  // the earlier request was replaced
    EXPECT_EQ(Status(2), u"Ready");
    EXPECT_EQ(collection->GetTotalUsers(), 5u);
}

// A name is one controller whatever its case.
TEST_F(CollectionTest, SetDomainControllersKeepsTheSpellingAndFiguresOfThoseThatStay) {
    Build({SimDc(u"dc1", 5), SimDc(u"DC3", 5)}, false);
    collection->StartAll();
    ASSERT_TRUE(PollUntilComplete());
    collection->AddDomainController(view.Controllers(), u"DC1");
    ASSERT_EQ(view.Controllers().GetRowCount(), 2);
    collection->SetDomainControllers(view.Controllers(), {u"DC1", u"dc2", u"DC2"});
    std::vector<std::u16string> names;
    collection->GetControllerNames(names);
    EXPECT_EQ(names, (std::vector<std::u16string>{u"dc1", u"dc2"}));
    ASSERT_EQ(view.Controllers().GetRowCount(), 2);
    EXPECT_EQ(Cell(0, 0), u"dc1");
    EXPECT_EQ(Status(0), u"Ready");
    EXPECT_EQ(Cell(0, kColUserCount), u"5");
    EXPECT_EQ(Cell(1, 0), u"dc2");
    EXPECT_EQ(Status(1), u"Idle");
}

TEST(PageBuffer, FollowsTheSettingWithinSaneBounds) {
    for (auto [kb, bytes] : {std::pair{0, 1024}, {1000, 1024000}, {-7, 1024}, {2147483647, kMaxEnumBufferBytes}})
        EXPECT_EQ(PageBufferBytes(kb), bytes) << kb;
}

}  // namespace
}  // namespace orvik
