#include "engine/cDomainController.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "base/TextCompare.h"
#include "engine/cCollectionJob.h"
#include "engine/cMemoryListView.h"
#include "support/ScopedTimeZone.h"

namespace orvik {
namespace {

using test::ScopedTimeZone;

std::vector<std::u16string> Cells(const cMemoryListView& list, int row) {
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

TEST(DomainControllerRow, NewAndResetControllersShowIdleWithEmptyFigures) {
    cMemoryListView list;
    cDomainController dc(u"DC1");
    const int row = list.InsertRow(0, dc.GetName(), 0);
    dc.FillRow(list, row);
    const std::vector<std::u16string> idle{u"DC1", u"0", u"-", u"", u"", u"Idle", u"0"};
    EXPECT_EQ(Cells(list, row), idle);
    EXPECT_EQ(list.GetRow(row).image, 0);

    dc.UpdateFromJob(Job(kJobFinished, 53), list, row);
    dc.ResetToIdle();
    dc.FillRow(list, row);
    EXPECT_EQ(Cells(list, row), idle);
    EXPECT_EQ(dc.GetName(), u"DC1");
}

TEST(DomainControllerRow, AControllerReadBackShowsItsStoredFiguresAndIdle) {
    ScopedTimeZone tz("UTC0");
    cMemoryListView list;
    cDomainController dc;
    dc.SetPersisted(u"dc2", 42, 981209109, 981209110);
    const int row = list.InsertRow(0, dc.GetName(), 0);
    dc.FillRow(list, row);
    const std::vector<std::u16string> expected{u"dc2",  u"42", u"14:05:09 02/03/01", u"14:05:10 02/03/01", u"",
                                               u"Idle", u"0"};
    EXPECT_EQ(Cells(list, row), expected);
}

TEST(DomainControllerStatus, FollowsTheJobStateAndResult) {
    const struct {
        std::int32_t state, result;
        const char16_t *listWord, *reportWord;
        int image;
    } steps[] = {
        {kJobFinished, 53, u"Error", u"Error", 3},
        {kJobFinished, 0, u"Ready", u"OK", 1},
        {kJobRunning, 234, u"Busy", u"Data collection in progress", 2},
        {kJobNew, 0, u"Idle", u"Idle", 0},
    };
    cMemoryListView list;
    cDomainController dc(u"DC1");
    const int row = list.InsertRow(0, dc.GetName(), 0);
    for (const auto& step : steps) {
        dc.UpdateFromJob(Job(step.state, step.result), list, row);
        EXPECT_EQ(list.GetCellText(row, kColStatus), step.listWord);
        EXPECT_EQ(std::u16string(dc.GetStatusText()), step.reportWord);
        EXPECT_EQ(list.GetRow(row).image, step.image);
        EXPECT_EQ(list.GetCellText(row, kColErrorCode), FormatLong(step.result));
        EXPECT_EQ(list.GetCellText(row, kColUserCount), u"2500");
    }
}

TEST(DomainControllerStatus, UnknownCodesReportAQuestionMark) {
    EXPECT_EQ(std::u16string(StatusReportWord(0)), u"?");
    EXPECT_EQ(std::u16string(StatusReportWord(5)), u"?");
    EXPECT_EQ(StatusListWord(5), nullptr);
    EXPECT_EQ(StatusImageIndex(-1), -1);
}

std::vector<std::u16string> SortedNames(std::vector<cDomainController>& dcs, int key, bool ascending) {
    std::stable_sort(dcs.begin(), dcs.end(), [&](const cDomainController& a, const cDomainController& b) {
        return a.Compare(b, key, ascending) < 0;
    });
    std::vector<std::u16string> names;
    for (const auto& dc : dcs) names.push_back(dc.GetName());
    return names;
}

TEST(DomainControllerCompare, StatusKeyOrdersIdleBusyReadyError) {
    cMemoryListView list;
    std::vector<cDomainController> dcs{cDomainController(u"a"), cDomainController(u"b"), cDomainController(u"c"),
                                       cDomainController(u"d")};
    list.InsertRow(0, u"", 0);
    dcs[0].UpdateFromJob(Job(kJobFinished, 5), list, 0);   // Error
    dcs[1].UpdateFromJob(Job(kJobFinished, 0), list, 0);   // Ready
    dcs[2].UpdateFromJob(Job(kJobRunning, 234), list, 0);  // Busy
    EXPECT_EQ(SortedNames(dcs, 6, true), (std::vector<std::u16string>{u"d", u"c", u"b", u"a"}));
    EXPECT_EQ(SortedNames(dcs, 6, false), (std::vector<std::u16string>{u"a", u"b", u"c", u"d"}));
}

TEST(DomainControllerCompare, EqualValuesFallBackToNamesInTheSameDirection) {
    std::vector<cDomainController> dcs{cDomainController(u"dc2"), cDomainController(u"DC3"), cDomainController(u"Dc1")};
    EXPECT_EQ(SortedNames(dcs, 1, true), (std::vector<std::u16string>{u"Dc1", u"dc2", u"DC3"}));
    EXPECT_EQ(SortedNames(dcs, 1, false), (std::vector<std::u16string>{u"DC3", u"dc2", u"Dc1"}));
    EXPECT_EQ(cDomainController(u"DC1").Compare(cDomainController(u"dc1"), 0, true), 0);
}

TEST(DomainControllerCompare, NumbersCompareSigned) {
    cDomainController a, b;
    a.SetPersisted(u"a", -5, 0, 0);
    b.SetPersisted(u"b", 3, 0, 0);
    EXPECT_EQ(a.Compare(b, 1, true), -1);
}

TEST(DomainControllerCompare, AnUnknownKeyOrdersByName) {
    cDomainController a, b;
    a.SetPersisted(u"a", 9, 0, 0);
    b.SetPersisted(u"B", 1, 0, 0);
    EXPECT_EQ(a.Compare(b, 7, true), -1);
    EXPECT_EQ(a.Compare(b, -1, false), 1);
}

}  // namespace
}  // namespace orvik
