#include "engine/cDomainController.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "engine/cCollectionJob.h"
#include "engine/cMemoryListView.h"

namespace orvik {
namespace {

// The controller's row as the list shows it: its cells and its picture.
cMemoryListView::Row Row(cDomainController& dc) {
    cMemoryListView list;
    dc.FillRow(list, list.InsertRow(0, dc.GetName(), 0));
    return list.GetRow(0);
}

cCollectionJob Job(std::int32_t state, std::int32_t result) {
    cCollectionJob job(u"DC1", 1024000);
    std::tie(job.state, job.resultCode, job.userCount, job.startTime, job.lastCallTime, job.endTime) =
        std::tuple(state, result, 2500, 1000, 1030, 1090);
    return job;
}

TEST(DomainControllerStatus, FollowsTheJobStateAndResult) {
    const struct {
        std::int32_t state, result;
        const char16_t *listWord, *reportWord, *code;
        int picture;
    } steps[] = {
        {kJobFinished, 53, u"Error", u"Error", u"53", 3},
        {kJobFinished, 0, u"Ready", u"OK", u"0", 1},
        {kJobRunning, 234, u"Busy", u"Data collection in progress", u"", 2},  // 234 is no error
        {kJobNew, 0, u"Idle", u"Idle", u"0", 0},
    };
    cDomainController dc(u"DC1");
    for (const auto& step : steps) {
        SCOPED_TRACE(step.state);
        dc.UpdateFromJob(Job(step.state, step.result));
        const auto row = Row(dc);
        EXPECT_EQ(row.cells.at(kColStatus), step.listWord);
        EXPECT_EQ(std::u16string(dc.GetStatusText()), step.reportWord);
        EXPECT_EQ(row.cells.at(kColErrorCode), step.code);
        EXPECT_EQ(row.cells.at(kColUserCount), u"2500");
        EXPECT_EQ(row.image, step.picture);
    }
}

// Statuses in the order Idle, Busy, Ready, Error; counts signed; equal keys by name, case ignored, in the same
// direction.
TEST(DomainControllerCompare, OrdersByTheKeyThenByName) {
    std::vector<cDomainController> dcs{cDomainController(u"d"), cDomainController(u"c"), cDomainController(u"B"),
                                       cDomainController(u"a")};
    dcs[3].UpdateFromJob(Job(kJobFinished, 5));   // Error
    dcs[2].UpdateFromJob(Job(kJobFinished, 0));   // Ready
    dcs[1].UpdateFromJob(Job(kJobRunning, 234));  // Busy
    dcs[0].SetPersisted(u"d", -5, 0, 0);          // Idle, a count below zero
    const struct {
        int key;
        bool ascending;
        const char16_t* order;
    } cases[] = {{kSortStatus, true, u"dcBa"},
                 {kSortUserCount, true, u"daBc"},
                 {kSortUserCount, false, u"cBad"},
                 {kSortName, true, u"aBcd"}};
    for (const auto& c : cases) {
        std::stable_sort(dcs.begin(), dcs.end(),
                         [&](const auto& a, const auto& b) { return a.Compare(b, c.key, c.ascending) < 0; });
        std::u16string order;
        for (const auto& dc : dcs) order += dc.GetName();
        EXPECT_EQ(order, c.order) << c.key << c.ascending;
    }
}

}  // namespace
}  // namespace orvik
