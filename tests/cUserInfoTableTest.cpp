#include "engine/cUserInfoTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/TextCompare.h"
#include "engine/cMemoryListView.h"
#include "support/ScopedTimeZone.h"
#include "support/UserFactory.h"

namespace orvik {
namespace {

using test::Batch;
using test::MakeUser;

std::vector<std::u16string> DisplayNames(const cUserInfoTable& t) {
    std::vector<std::u16string> names;
    for (const cUserInfo* u : t.Display()) names.push_back(u->m_UserName);
    return names;
}

TEST(UserMerge, KeepsTheLatestLastLogonWhicheverArrivesFirst) {
    for (auto [first, second] : {std::pair{1000u, 2000u}, std::pair{2000u, 1000u}, std::pair{0u, 2000u}}) {
        cUserInfoTable t;
        t.MergeBatch(Batch(MakeUser(u"jdoe", first)));
        t.MergeBatch(Batch(MakeUser(u"jdoe", second)));
        ASSERT_EQ(t.GetCount(), 1u);
        EXPECT_EQ(t.Merged()[0]->m_LastLogon, 2000u);
    }
}

TEST(UserMerge, LastLogonsCompareUnsigned) {
    cUserInfoTable t;
    t.MergeBatch(Batch(MakeUser(u"jdoe", 4294967295u), MakeUser(u"JDOE", 2147483648u)));
    t.MergeBatch(Batch(MakeUser(u"jdoe", 1)));
    EXPECT_EQ(t.Merged()[0]->m_LastLogon, 4294967295u);
}

TEST(UserMerge, TheFirstReportKeepsItsSpellingAndTexts) {
    cUserInfoTable t;
    t.MergeBatch(Batch(MakeUser(u"JDoe", 10, u"CORP", u"John Doe", u"Sales")));
    t.MergeBatch(Batch(MakeUser(u"jdoe", 20, u"CORP", u"Johnny", u"Marketing")));
    ASSERT_EQ(t.GetCount(), 1u);
    const cUserInfo& u = *t.Merged()[0];
    EXPECT_EQ(u.m_UserName, u"JDoe");
    EXPECT_EQ(u.m_FullName, u"John Doe");
    EXPECT_EQ(u.m_Description, u"Sales");
    EXPECT_EQ(u.m_LastLogon, 20u);
}

TEST(UserMerge, DuplicatesWithinOneBatchMergeInBatchOrder) {
    cUserInfoTable t;
    t.MergeBatch(
        Batch(MakeUser(u"b", 5), MakeUser(u"ADMIN", 1, u"CORP", u"first"), MakeUser(u"admin", 9, u"CORP", u"second")));
    ASSERT_EQ(t.GetCount(), 2u);
    EXPECT_EQ(t.Merged()[0]->m_UserName, u"ADMIN");
    EXPECT_EQ(t.Merged()[0]->m_FullName, u"first");
    EXPECT_EQ(t.Merged()[0]->m_LastLogon, 9u);
}

TEST(UserMerge, DomainsThatDifferOnlyInCaseOrFailedLookupsStaySeparate) {
    cUserInfoTable t;
    t.MergeBatch(Batch(MakeUser(u"jdoe", 1, u"CORP"), MakeUser(u"jdoe", 2, u"corp"), MakeUser(u"jdoe", 3, u"?")));
    EXPECT_EQ(t.GetCount(), 3u);
}

TEST(UserMerge, KeepsRecordsInMergeKeyOrder) {
    cUserInfoTable t;
    t.MergeBatch(Batch(MakeUser(u"m", 0, u"B"), MakeUser(u"z", 0, u"A"), MakeUser(u"a", 0, u"B")));
    t.MergeBatch(Batch(MakeUser(u"C", 0, u"A"), MakeUser(u"x", 0, u"C"), MakeUser(u"b", 0, u"A")));
    std::vector<std::u16string> keys;
    for (const cUserInfo* u : t.Merged()) keys.push_back(u->m_Domain + u"\\" + u->m_UserName);
    EXPECT_EQ(keys, (std::vector<std::u16string>{u"A\\b", u"A\\C", u"A\\z", u"B\\a", u"B\\m", u"C\\x"}));
}

TEST(UserMerge, EmptyAndMissingBatchesChangeNothing) {
    cUserInfoTable t;
    t.MergeBatch(Batch());
    t.MergeBatch(nullptr);
    EXPECT_EQ(t.GetCount(), 0u);
}

TEST(UserMerge, ClearEmptiesBothOrdersAndMergingStartsAfresh) {
    cUserInfoTable t;
    t.MergeBatch(Batch(MakeUser(u"jdoe", 50)));
    t.Sort();
    t.Clear();
    EXPECT_EQ(t.GetCount(), 0u);
    EXPECT_TRUE(t.Display().empty());
    t.MergeBatch(Batch(MakeUser(u"jdoe", 7)));
    EXPECT_EQ(t.Merged()[0]->m_LastLogon, 7u);
}

TEST(UserDisplay, DefaultsToMostRecentFirstAndHeaderClicksFlipOrSwitch) {
    cUserInfoTable t;
    t.MergeBatch(Batch(MakeUser(u"bob", 300), MakeUser(u"amy", 100), MakeUser(u"cid", 200)));
    t.Sort();
    EXPECT_EQ(DisplayNames(t), (std::vector<std::u16string>{u"bob", u"cid", u"amy"}));

    t.SetSortColumn(kColLastLogon);  // same column: oldest first
    t.Sort();
    EXPECT_EQ(DisplayNames(t), (std::vector<std::u16string>{u"amy", u"cid", u"bob"}));

    t.SetSortColumn(kColUserName);  // new column: descending
    t.Sort();
    EXPECT_EQ(DisplayNames(t), (std::vector<std::u16string>{u"cid", u"bob", u"amy"}));
    t.SetSortColumn(kColUserName);
    t.Sort();
    EXPECT_EQ(DisplayNames(t), (std::vector<std::u16string>{u"amy", u"bob", u"cid"}));
}

TEST(UserDisplay, ColumnsOutsideTheListAreIgnoredByHeaderClicks) {
    cUserInfoTable t;
    t.SetSortColumn(5);
    t.SetSortColumn(-1);
    EXPECT_EQ(t.GetSortColumn(), kColLastLogon);
    EXPECT_FALSE(t.IsAscending());
}

TEST(UserDisplay, EqualLastLogonsAreOrderedByNameInTheSameDirection) {
    cUserInfoTable t;
    t.MergeBatch(Batch(MakeUser(u"b", 5), MakeUser(u"C", 5), MakeUser(u"a", 5)));
    t.Sort();
    EXPECT_EQ(DisplayNames(t), (std::vector<std::u16string>{u"C", u"b", u"a"}));
}

TEST(UserDisplay, SameNameInDomainsTheColumnCannotTellApartKeepsMergeOrder) {
    cUserInfoTable t;
    t.MergeBatch(Batch(MakeUser(u"jdoe", 5, u"corp"), MakeUser(u"JDOE", 5, u"CORP"), MakeUser(u"Jdoe", 5, u"?")));
    t.RestoreSortColumn(kColDomain);
    t.Sort();
    // Descending by domain puts "?" last; CORP and corp compare equal
    // ignoring case, so they stay in merge order: CORP before corp.
    std::vector<std::u16string> domains;
    for (const cUserInfo* u : t.Display()) domains.push_back(u->m_Domain);
    EXPECT_EQ(domains, (std::vector<std::u16string>{u"CORP", u"corp", u"?"}));  // descending
}

TEST(UserDisplay, AStoredColumnOutsideTheListSortsLikeTheLastLogon) {
    cUserInfoTable t;
    t.MergeBatch(Batch(MakeUser(u"old", 1), MakeUser(u"new", 9)));
    t.RestoreSortColumn(42);
    t.Sort();
    EXPECT_EQ(DisplayNames(t), (std::vector<std::u16string>{u"new", u"old"}));
    t.SetSortColumn(kColUserName);
    EXPECT_EQ(t.GetSortColumn(), kColUserName);
}

TEST(UserList, ShowsRowsWithNeverForUsersThatNeverLoggedOn) {
    test::ScopedTimeZone tz("UTC0");
    cUserInfoTable t;
    t.MergeBatch(Batch(MakeUser(u"jdoe", 0, u"CORP", u"John Doe", u"Sales"),
                       MakeUser(u"asmith", 981209109, u"LAB", u"Ann Smith", u"IT")));
    t.MergeBatch(Batch(MakeUser(u"JDOE", 0)));
    t.Sort();
    cMemoryListView list;
    t.ShowUsers(list, u"", 500);
    ASSERT_EQ(list.GetRowCount(), 2);
    EXPECT_EQ(list.GetRow(0).cells,
              (std::vector<std::u16string>{u"asmith", u"14:05:09 02/03/01", u"Ann Smith", u"IT", u"LAB"}));
    EXPECT_EQ(list.GetRow(1).cells, (std::vector<std::u16string>{u"jdoe", u"Never", u"John Doe", u"Sales", u"CORP"}));
    EXPECT_EQ(list.GetRow(0).image, 0);
}

TEST(UserList, FilterMatchesNameFullNameOrDescriptionButNotDomain) {
    cUserInfoTable t;
    t.MergeBatch(Batch(MakeUser(u"padmin", 1), MakeUser(u"x", 2, u"CORP", u"Badminton Club"),
                       MakeUser(u"y", 3, u"CORP", u"", u"Domain Admins"), MakeUser(u"z", 4, u"ADMIN")));
    t.Sort();
    cMemoryListView list;
    t.ShowUsers(list, u"ADM", 500);
    std::vector<std::u16string> shown;
    for (int r = 0; r < list.GetRowCount(); ++r) shown.push_back(list.GetCellText(r, 0));
    EXPECT_EQ(shown, (std::vector<std::u16string>{u"y", u"x", u"padmin"}));
    t.ShowUsers(list, u" adm", 500);  // a blank is part of the text
    ASSERT_EQ(list.GetRowCount(), 1);
    EXPECT_EQ(list.GetCellText(0, 0), u"y");
}

TEST(UserList, ShowsAtMostTheLimitOfMatchingRowsFromTheTop) {
    cUserInfoTable t;
    auto batch = std::make_unique<cUserInfoBatch>();
    for (int i = 0; i < 3000; ++i) {
        const std::u16string name = (i % 3 == 0 ? u"svc" : u"usr") + FormatLong(i);
        batch->Append(MakeUser(name, static_cast<std::uint32_t>(i + 1)));
    }
    t.MergeBatch(std::move(batch));
    t.Sort();
    cMemoryListView list;
    t.ShowUsers(list, u"SVC", 500);
    ASSERT_EQ(list.GetRowCount(), 500);
    EXPECT_EQ(list.GetCellText(0, 0), u"svc2997");
    EXPECT_EQ(list.GetCellText(499, 0), u"svc1500");

    t.ShowUsers(list, u"", 20000);
    EXPECT_EQ(list.GetRowCount(), 3000);
}

TEST(UserList, ALimitBelowOneShowsTheDefaultNumberOfRows) {
    cUserInfoTable t;
    auto batch = std::make_unique<cUserInfoBatch>();
    for (int i = 0; i < 600; ++i) batch->Append(MakeUser(u"u" + FormatLong(i), 1));
    t.MergeBatch(std::move(batch));
    t.Sort();
    cMemoryListView list;
    for (std::int32_t limit : {0, -1, -2147483647 - 1}) {
        t.ShowUsers(list, u"", limit);
        EXPECT_EQ(list.GetRowCount(), 500) << limit;
    }
}

TEST(UserList, ReplacesTheRowsThatWereThere) {
    cUserInfoTable t;
    cMemoryListView list;
    list.InsertRow(0, u"stale", 0);
    t.Sort();
    t.ShowUsers(list, u"", 500);
    EXPECT_EQ(list.GetRowCount(), 0);
}

}  // namespace
}  // namespace orvik
