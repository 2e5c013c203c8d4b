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
using test::Rows;

struct U {
    std::u16string name;
    std::uint32_t logon;
    std::u16string domain = u"CORP", full = u"";
};

std::unique_ptr<cUserInfoBatch> ToBatch(const std::vector<U>& users) {
    auto batch = std::make_unique<cUserInfoBatch>();
    for (const U& u : users) batch->Append(MakeUser(u.name, u.logon, u.domain, u.full));
    return batch;
}

TEST(UserMerge, KeepsOneRecordPerAccountWithTheLatestLogonAndTheFirstSpelling) {
    const struct {
        const char* what;
        std::vector<std::vector<U>> batches;
        std::vector<std::u16string> merged;
    } cases[] = {
        // The latest logon of any spelling, as unsigned; the differential test has the rest at random.
        {"unsigned", {{{u"jdoe", 4294967295u}, {u"JDOE", 2147483648u}}, {{u"jdoe", 1}}}, {u"CORP\\jdoe 4294967295"}},
        {"first spelling and texts",
         {{{u"JDoe", 10, u"CORP", u"John Doe"}}, {{u"jdoe", 20, u"CORP", u"Johnny"}}},
         {u"CORP\\JDoe 20 John Doe"}},
        {"duplicates in one batch",
         {{{u"b", 5}, {u"ADMIN", 1, u"CORP", u"first"}, {u"admin", 9, u"CORP", u"second"}}},
         {u"CORP\\ADMIN 9 first", u"CORP\\b 5"}},
        {"domains differing in case and failed lookups stay apart",
         {{{u"jdoe", 1, u"CORP"}, {u"jdoe", 2, u"corp"}, {u"jdoe", 3, u"?"}}},
         {u"?\\jdoe 3", u"CORP\\jdoe 1", u"corp\\jdoe 2"}},
        {"merge key order",
         {{{u"m", 0, u"B"}, {u"z", 0, u"A"}, {u"a", 0, u"B"}}, {{u"C", 0, u"A"}, {u"x", 0, u"C"}, {u"b", 0, u"A"}}},
         {u"A\\b 0", u"A\\C 0", u"A\\z 0", u"B\\a 0", u"B\\m 0", u"C\\x 0"}},
    };
    for (const auto& c : cases) {
        cUserInfoTable t;
        for (const auto& batch : c.batches) t.MergeBatch(ToBatch(batch));
        t.MergeBatch(nullptr);
        EXPECT_EQ(Rows(t.Merged()), c.merged) << c.what;
    }
}

TEST(UserDisplay, HeaderClicksFlipTheColumnOrSwitchToANewOneDescending) {
    const std::vector<U> three{{u"bob", 300}, {u"amy", 100}, {u"cid", 200}};
    const struct {
        const char* what;
        int restored;             // a stored sort column, or -1 for the default
        std::vector<int> clicks;  // header clicks after it
        std::vector<U> users;
        std::vector<std::u16string> shown;
    } cases[] = {
        {"most recent first", -1, {}, three, {u"bob", u"cid", u"amy"}},
        {"same column: oldest first", -1, {kColLastLogon}, three, {u"amy", u"cid", u"bob"}},
        {"new column: descending", -1, {kColUserName}, three, {u"cid", u"bob", u"amy"}},
        {"clicked twice: ascending", -1, {kColUserName, kColUserName}, three, {u"amy", u"bob", u"cid"}},
        {"columns outside the list", -1, {5, -1}, {{u"old", 1}, {u"new", 9}}, {u"new", u"old"}},
        {"a stored column outside the list", 42, {}, {{u"old", 1}, {u"new", 9}}, {u"new", u"old"}},
        {"equal logons by name, same direction", -1, {}, {{u"b", 5}, {u"C", 5}, {u"a", 5}}, {u"C", u"b", u"a"}},
        // "CORP" and "corp" are equal ignoring case: they stay in merge order.
        {"domains the column cannot tell apart",
         kColDomain,
         {},
         {{u"jdoe", 5, u"corp"}, {u"JDOE", 5, u"CORP"}, {u"Jdoe", 5, u"?"}},
         {u"JDOE", u"jdoe", u"Jdoe"}},
    };
    for (const auto& c : cases) {
        cUserInfoTable t;
        t.MergeBatch(ToBatch(c.users));
        if (c.restored >= 0) t.RestoreSortColumn(c.restored);
        for (int column : c.clicks) t.SetSortColumn(column);
        t.Sort();
        std::vector<std::u16string> shown;
        for (const cUserInfo* u : t.Display()) shown.push_back(u->m_UserName);
        EXPECT_EQ(shown, c.shown) << c.what;
    }
}

TEST(UserList, ShowsEveryCellAndFiltersOnNameFullNameOrDescriptionButNotDomain) {
    test::ScopedTimeZone tz("UTC0");
    cUserInfoTable t;
    t.MergeBatch(Batch(MakeUser(u"jdoe", 0, u"CORP", u"John Doe", u"Sales"),
                       MakeUser(u"asmith", 981209109, u"LAB", u"Ann Smith", u"IT"), MakeUser(u"padmin", 1),
                       MakeUser(u"x", 2, u"CORP", u"Badminton Club"), MakeUser(u"y", 3, u"CORP", u"", u"Domain Admins"),
                       MakeUser(u"z", 4, u"ADMIN")));
    t.Sort();
    cMemoryListView list;
    list.InsertRow(0, u"stale", 0);
    t.ShowUsers(list, u"", 500);
    ASSERT_EQ(list.GetRowCount(), 6);
    EXPECT_EQ(list.GetRow(0).cells,
              (std::vector<std::u16string>{u"asmith", u"14:05:09 02/03/01", u"Ann Smith", u"IT", u"LAB"}));
    EXPECT_EQ(list.GetRow(5).cells, (std::vector<std::u16string>{u"jdoe", u"Never", u"John Doe", u"Sales", u"CORP"}));
    EXPECT_EQ(list.GetRow(0).image, 0);
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
    // How many are shown of how many is said under the list.
    EXPECT_EQ(ShownUsersText(t.ShowUsers(list, u"SVC", 500), u','),
              u"500 of 1,000 users matching 'SVC' shown, 3,000 users in all");
    ASSERT_EQ(list.GetRowCount(), 500);
    EXPECT_EQ(list.GetCellText(0, 0), u"svc2997");
    EXPECT_EQ(list.GetCellText(499, 0), u"svc1500");
    EXPECT_EQ(ShownUsersText(t.ShowUsers(list, u"", 2999), u'.'), u"2.999 of 3.000 users shown");
    EXPECT_EQ(ShownUsersText(t.ShowUsers(list, u"xyz", 500), u','), u"No user matches 'xyz'");
}

}  // namespace
}  // namespace orvik
