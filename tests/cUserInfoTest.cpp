#include "engine/cUserInfo.h"

#include <gtest/gtest.h>

#include "platform/UserInfo2.h"

namespace orvik {
namespace {

cUserInfo User(std::u16string name, std::uint32_t logon, std::u16string domain = u"CORP", std::u16string full = u"",
               std::u16string description = u"") {
    return cUserInfo(std::move(name), std::move(full), std::move(description), std::move(domain), logon);
}

TEST(UserInfo, IsBuiltFromAnEnumerationEntryUnchanged) {
    const UserInfo2 entry{u" jdoe ", u"John Doe", u"Sales", 0};
    const cUserInfo u(u"?", entry);
    EXPECT_EQ(u.m_UserName, u" jdoe ");
    EXPECT_EQ(u.m_FullName, u"John Doe");
    EXPECT_EQ(u.m_Description, u"Sales");
    EXPECT_EQ(u.m_Domain, u"?");
    EXPECT_EQ(u.m_LastLogon, 0u);
}

TEST(UserInfoMergeKey, UserNamesIgnoreCaseDomainsDoNot) {
    EXPECT_EQ(User(u"JDoe", 1).CompareKey(User(u"jdoe", 2)), 0);
    EXPECT_NE(User(u"jdoe", 1, u"CORP").CompareKey(User(u"jdoe", 1, u"corp")), 0);
    EXPECT_NE(User(u"jdoe", 1, u"CORP").CompareKey(User(u"jdoe", 1, u"?")), 0);
    // The domain decides before the user name.
    EXPECT_EQ(User(u"zz", 1, u"A").CompareKey(User(u"aa", 1, u"B")), -1);
}

TEST(UserInfoDisplayOrder, LastLogonComparesUnsignedThenByName) {
    EXPECT_EQ(User(u"a", 4294967295u).Compare(User(u"b", 1), kColLastLogon, true), 1);
    EXPECT_EQ(User(u"a", 7).Compare(User(u"B", 7), kColLastLogon, true), -1);
    EXPECT_EQ(User(u"a", 7).Compare(User(u"B", 7), kColLastLogon, false), 1);
}

TEST(UserInfoDisplayOrder, TextColumnsIgnoreCaseIncludingTheDomain) {
    EXPECT_EQ(User(u"x", 0, u"corp").Compare(User(u"x", 0, u"CORP"), kColDomain, true), 0);
    EXPECT_EQ(User(u"b", 0, u"D", u"Ann").Compare(User(u"a", 0, u"D", u"ann"), kColFullName, true), 1);
    EXPECT_EQ(User(u"a", 0, u"D", u"", u"IT").Compare(User(u"b", 0, u"D", u"", u"hr"), kColDescription, false), -1);
}

TEST(UserInfoDisplayOrder, AnUnknownColumnOrdersLikeTheLastLogon) {
    const cUserInfo older = User(u"z", 10), newer = User(u"a", 20);
    for (int column : {-1, 5, 1000}) {
        EXPECT_EQ(older.Compare(newer, column, true), older.Compare(newer, kColLastLogon, true)) << column;
        EXPECT_EQ(older.Compare(newer, column, false), 1) << column;
    }
}

TEST(UserInfoMatch, SearchesNameFullNameAndDescriptionNotDomain) {
    EXPECT_TRUE(User(u"jadmin", 0).Matches(u"ADM"));
    EXPECT_TRUE(User(u"x", 0, u"CORP", u"Adam Admiral").Matches(u"adm"));
    EXPECT_TRUE(User(u"x", 0, u"CORP", u"", u"Domain ADMINS").Matches(u"aDm"));
    EXPECT_FALSE(User(u"x", 0, u"ADMIN").Matches(u"ADM"));
    EXPECT_TRUE(User(u"x", 0).Matches(u""));
}

}  // namespace
}  // namespace orvik
