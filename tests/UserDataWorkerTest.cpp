#include "engine/UserDataWorker.h"

#include <gtest/gtest.h>

#include "engine/cUserDataCollector.h"
#include "platform/NetApiCodes.h"
#include "platform/cSimulatedDirectory.h"
#include "support/DeferredLauncher.h"
#include "support/RecordingNetApi.h"
#include "support/SimDc.h"
#include "support/TestClock.h"

namespace orvik {
namespace {

// Runs one controller's worker to its end on the test's thread.
class WorkerTest : public testing::Test {
protected:
    void Run(cSimulatedDirectory::Controller controller, std::int32_t buffer = 4096) {
        directory = std::make_unique<cSimulatedDirectory>(std::vector{std::move(controller)});
        recorder = std::make_unique<test::RecordingNetApi>(*directory);
        collector = std::make_unique<cUserDataCollector>(*recorder, clock, launcher.AsLauncher());
        job = RunAgain(buffer);
        std::unique_ptr<cUserInfoBatch> batch;
        while (collector->PopResult(batch) == 0) batches.push_back(std::move(batch));
    }
    // Another run of the same controller; its job as last reported.
    cCollectionJob RunAgain(std::int32_t buffer) {
        collector->StartJob(std::make_unique<cCollectionJob>(directory->ControllerNames()[0], buffer));
        launcher.RunAll();
        std::vector<cCollectionJob> jobs;
        collector->CollectChangedJobs(seen, jobs);
        EXPECT_FALSE(jobs.empty());
        return jobs.empty() ? cCollectionJob{} : jobs.back();
    }

    test::TestClock clock{1000};
    test::DeferredLauncher launcher;
    std::unique_ptr<cSimulatedDirectory> directory;
    std::unique_ptr<test::RecordingNetApi> recorder;
    std::unique_ptr<cUserDataCollector> collector;
    std::uint32_t seen = 0;
    cCollectionJob job;
    std::vector<std::unique_ptr<cUserInfoBatch>> batches;
};

TEST_F(WorkerTest, PagesOfAThousandGiveThreeReportsAndEveryAccount) {
    Run(test::SimDc(u"DC1", 2500, 1, 1000));
    const auto& calls = recorder->calls;
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].server, u"\\\\DC1");
    EXPECT_EQ(calls[1].resumeIn, 1000u);
    ASSERT_EQ(batches.size(), 3u);
    EXPECT_EQ(batches[2]->Size(), 500u);
    EXPECT_EQ(job.userCount, 2500);
    EXPECT_EQ(job.state, kJobFinished);
    EXPECT_EQ(job.resultCode, 0);
    EXPECT_EQ(batches[0]->Records()[0]->m_Domain, u"CORP");
}

TEST_F(WorkerTest, MoreDataWithAZeroResumeHandleRetriesWithTwiceTheBuffer) {
    auto dc = test::SimDc(u"DC1", 10);
    dc.moreDataZeroResume = 2;
    Run(dc, 5000);
    const auto& calls = recorder->calls;
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].prefMaxLen, 5000);
    EXPECT_EQ(calls[1].prefMaxLen, 10000);
    EXPECT_EQ(calls[2].prefMaxLen, 20000);
    EXPECT_EQ(batches.size(), 1u);  // nothing reported for the attempts that did not fit
    EXPECT_EQ(job.userCount, 10);
}

// Twelve answers without a resume handle: more than one run's nine attempts, fewer than two runs'.
TEST_F(WorkerTest, EndlessMoreDataWithAZeroResumeHandleStopsAtTheBufferLimitAndTheNextRunStartsAfresh) {
    auto dc = test::SimDc(u"DC1", 10);
    dc.moreDataZeroResume = 12;
    Run(dc, 1 << 20);
    const auto& calls = recorder->calls;
    ASSERT_EQ(calls.size(), 9u);  // 1 MiB doubled up to 256 MiB
    EXPECT_EQ(calls.back().prefMaxLen, kMaxEnumBufferBytes);
    EXPECT_EQ(job.state, kJobFinished);
    EXPECT_EQ(job.resultCode, kErrorMoreData);
    EXPECT_EQ(job.userCount, 0);
    EXPECT_TRUE(batches.empty());
    EXPECT_EQ(collector->GetRunningCount(), 0);
    const cCollectionJob again = RunAgain(1 << 20);
    EXPECT_EQ(again.resultCode, kErrorMoreData);
    EXPECT_EQ(again.userCount, 0);
}

TEST_F(WorkerTest, AFailedDomainLookupFilesUsersUnderAQuestionMark) {
    auto dc = test::SimDc(u"DC1", 3);
    dc.domainError = kErrorAccessDenied;
    Run(dc);
    ASSERT_EQ(batches.size(), 1u);
    for (const auto& u : batches[0]->Records()) EXPECT_EQ(u->m_Domain, u"?");
    EXPECT_EQ(job.resultCode, 0);
}

}  // namespace
}  // namespace orvik
