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

    dc.UpdateFromJob(Job(kJobFinished, 53));
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
        const char16_t* code;
    } steps[] = {
        {kJobFinished, 53, u"Error", u"Error", 3, u"53"},
        {kJobFinished, 0, u"Ready", u"OK", 1, u"0"},
        {kJobRunning, 234, u"Busy", u"Data collection in progress", 2, u""},  // 234 is no error
        {kJobNew, 0, u"Idle", u"Idle", 0, u"0"},
    };
    cMemoryListView list;
    cDomainController dc(u"DC1");
    const int row = list.InsertRow(0, dc.GetName(), 0);
    for (const auto& step : steps) {
        dc.UpdateFromJob(Job(step.state, step.result));
        dc.FillRow(list, row);
        EXPECT_EQ(list.GetCellText(row, kColStatus), step.listWord);
        EXPECT_EQ(std::u16string(dc.GetStatusText()), step.reportWord);
        EXPECT_EQ(list.GetRow(row).image, step.image);
        EXPECT_EQ(list.GetCellText(row, kColErrorCode), step.code);
        EXPECT_EQ(list.GetCellText(row, kColUserCount), u"2500");
    }
}

TEST(DomainControllerCompare, OrdersByTheKeyThenByNameInTheSameDirection) {
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
    } cases[] = {
        {6, true, u"dcBa"}, {6, false, u"aBcd"},  // Idle, Busy, Ready, Error
        {1, true, u"daBc"}, {1, false, u"cBad"},  // signed counts; equal counts by name
        {0, true, u"aBcd"}, {7, false, u"dcBa"},  // by name, case ignored; an unknown key too
    };
    for (const auto& c : cases) {
        std::stable_sort(dcs.begin(), dcs.end(), [&](const cDomainController& a, const cDomainController& b) {
            return a.Compare(b, c.key, c.ascending) < 0;
        });
        std::u16string order;
        for (const auto& dc : dcs) order += dc.GetName();
        EXPECT_EQ(order, c.order) << c.key << c.ascending;
    }
    EXPECT_EQ(StatusListWord(5), nullptr);
    EXPECT_EQ(std::u16string(StatusReportWord(5)), u"?");
}

}  // namespace
}  // namespace orvik
