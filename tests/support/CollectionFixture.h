#pragma once
// A controller collection over a simulated directory with real worker
// threads, gated controllers and an in-memory window.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "engine/cDomainControllerCollection.h"
#include "engine/cMemoryCollectionView.h"
#include "engine/cUserDataCollector.h"
#include "platform/cSimulatedDirectory.h"
#include "support/ControllerGate.h"
#include "support/SimDc.h"
#include "support/TestClock.h"

namespace orvik::test {

class CollectionFixture : public testing::Test {
protected:
    void Build(std::vector<cSimulatedDirectory::Controller> controllers, bool gated = true,
               cUserDataCollector::tLauncher launcher = {}) {
        directory = std::make_unique<cSimulatedDirectory>(std::move(controllers));
        if (gated) gate.Attach(*directory);
        collector = std::make_unique<cUserDataCollector>(*directory, clock, std::move(launcher));
        collection = std::make_unique<cDomainControllerCollection>(*collector, clock);
        collection->SetMainWindow(&view);
        for (const auto& name : directory->ControllerNames()) collection->AddDomainController(view.Controllers(), name);
    }

    void TearDown() override {
        gate.OpenAll();
        EXPECT_TRUE(!collection || collection->StopForExit(30000));
    }

    // Polls as the timer would, only faster, until `done` holds (false after 20 s).
    bool PollUntil(const std::function<bool()>& done) {
        for (int i = 0; i < 10000; ++i) {
            collection->Poll(complete);
            if (done()) return true;
            clock.SleepMs(2);
        }
        return false;
    }
    // Waits, without polling, until `done` holds (fails the test after 20 s).
    void WaitUntil(const std::function<bool()>& done) {
        for (int i = 0; i < 10000 && !done(); ++i) clock.SleepMs(2);
        ASSERT_TRUE(done());
    }
    bool PollUntilComplete() {
        return PollUntil([&] { return complete; });
    }

    std::u16string Cell(int row, int column) { return view.Controllers().GetCellText(row, column); }
    std::u16string Status(int row) { return Cell(row, kColStatus); }
    int Running() { return collector->GetRunningCount(); }

    TestClock clock{1000};
    ControllerGate gate;
    cMemoryCollectionView view;
    std::unique_ptr<cSimulatedDirectory> directory;
    std::unique_ptr<cUserDataCollector> collector;
    std::unique_ptr<cDomainControllerCollection> collection;
    bool complete = false;
};

}  // namespace orvik::test
