#include "engine/cDomainController.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/cCollectionJob.h"
#include "engine/cMemoryListView.h"
#include "support/ScopedTimeZone.h"

namespace orvik {
namespace {

// The controller's row as the list shows it.
std::vector<std::u16string> Row(cDomainController& dc) {
    cMemoryListView list;
    const int row = list.InsertRow(0, dc.GetName(), 0);
    dc.FillRow(list, row);
    std::vector<std::u16string> cells;
    for (int c = 0; c <= kColErrorCode; ++c) cells.push_back(list.GetCellText(row, c));
    return cells;
}

cCollectionJob Job(std::int32_t state, std::int32_t result) {
    cCollectionJob job(u"DC1", 1024000);
    job.state = state;
    job.resultCode = result;
    job.userCount = 2500;
    job.startTime = 1000;
    job.lastCallTime = 1030;
    job.endTime = 1090;
    return job;
}

// A new controller, one reset after a run and one read back from the file show Idle and their stored figures.
TEST(DomainControllerRow, IdleControllersShowTheirStoredFigures) {
    test::ScopedTimeZone tz("UTC0");
    cDomainController fresh(u"DC1"), reset(u"DC1"), read;
    reset.UpdateFromJob(Job(kJobFinished, 53));
    reset.ResetToIdle();
    read.SetPersisted(u"dc2", 42, 981209109, 981209110);
    const std::vector<std::u16string> idle{u"DC1", u"0", u"-", u"", u"", u"Idle", u"0"};
    EXPECT_EQ(Row(fresh), idle);
    EXPECT_EQ(Row(reset), idle);
    EXPECT_EQ(Row(read), (std::vector<std::u16string>{u"dc2", u"42", u"14:05:09 02/03/01", u"14:05:10 02/03/01", u"",
                                                      u"Idle", u"0"}));
}

TEST(DomainControllerStatus, FollowsTheJobStateAndResult) {
    const struct {
        std::int32_t state, result;
        const char16_t *listWord, *reportWord, *code;
    } steps[] = {
        {kJobFinished, 53, u"Error", u"Error", u"53"},
        {kJobFinished, 0, u"Ready", u"OK", u"0"},
        {kJobRunning, 234, u"Busy", u"Data collection in progress", u""},  // 234 is no error
        {kJobNew, 0, u"Idle", u"Idle", u"0"},
    };
    cDomainController dc(u"DC1");
    for (const auto& step : steps) {
        SCOPED_TRACE(step.state);
        dc.UpdateFromJob(Job(step.state, step.result));
        const auto cells = Row(dc);
        EXPECT_EQ(cells[kColStatus], step.listWord);
        EXPECT_EQ(std::u16string(dc.GetStatusText()), step.reportWord);
        EXPECT_EQ(cells[kColErrorCode], step.code);
        EXPECT_EQ(cells[kColUserCount], u"2500");
    }
}

}  // namespace
}  // namespace orvik
