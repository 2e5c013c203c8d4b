#include "platform/cNetApi32Directory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "platform/NetApiCodes.h"

namespace orvik {
namespace {

// The four calls as Windows answers them: buffers laid out as its entries,
// each to be freed once; the accounts come two to a page.
struct FakeCalls {
    std::vector<cNetUserInfo2> users;
    std::uint32_t userStatus = 0;       // a failure to return instead of a page
    std::vector<std::u16string> asked;  // the server of each call ("" for the local computer), and what it asked
    std::uint32_t filter = 0, prefMaxLen = 0, serverType = 0;
    int buffersOut = 0;
    char16_t corp[5] = u"CORP", dc1[4] = u"DC1", dc2[4] = u"DC2";

    template <typename T>
    std::uint32_t Give(const T* entries, std::size_t count, std::uint8_t** buffer) {
        ++buffersOut;
        *buffer = static_cast<std::uint8_t*>(std::malloc(sizeof(T) * (count + 1)));  // never empty, as a real one
        std::memcpy(*buffer, entries, sizeof(T) * count);
        return 0;
    }
    cNetApi32Calls Table() {
        cNetApi32Calls t;
        t.userEnum = [this](const char16_t* server, std::uint32_t, std::uint32_t f, std::uint8_t** buffer,
                            std::uint32_t pref, std::uint32_t* read, std::uint32_t* total, std::uint32_t* resume) {
            asked.push_back(server ? server : u"");
            filter = f;
            prefMaxLen = pref;
            if (userStatus != 0) return userStatus;
            const std::size_t from = *resume, count = std::min<std::size_t>(2, users.size() - from);
            *read = static_cast<std::uint32_t>(count);
            *total = static_cast<std::uint32_t>(users.size());
            *resume = from + count < users.size() ? static_cast<std::uint32_t>(from + count) : 0;
            Give(users.data() + from, count, buffer);
            return *resume != 0 ? 234u : 0u;
        };
        t.wkstaGetInfo = [this](const char16_t*, std::uint32_t, std::uint8_t** buffer) {
            const cNetWkstaInfo100 info{500, dc1, corp, 10, 0};
            return Give(&info, 1, buffer);
        };
        t.serverEnum = [this](const char16_t* server, std::uint32_t, std::uint8_t** buffer, std::uint32_t,
                              std::uint32_t* read, std::uint32_t* total, std::uint32_t type, const char16_t* domain,
                              std::uint32_t*) {
            asked.push_back(std::u16string(server ? server : u"") + u"/" + domain);
            serverType = type;
            const cNetServerInfo100 servers[] = {{500, dc1}, {500, dc2}};
            *read = *total = 2;
            return Give(servers, 2, buffer);
        };
        t.bufferFree = [this](void* buffer) {
            --buffersOut;
            std::free(buffer);
            return 0u;
        };
        return t;
    }
};

cNetUserInfo2 User(char16_t* name, std::uint32_t lastLogon, char16_t* fullName = nullptr, char16_t* comment = nullptr) {
    cNetUserInfo2 u{};
    u.name = name;
    u.fullName = fullName;
    u.comment = comment;
    u.usrComment = fullName;  // the user's own comment is not the description
    u.lastLogon = lastLogon;
    return u;
}

TEST(NetApi32Directory, PagesOfAccountsTheDomainAndItsControllersMapTheirFieldsAndFreeEveryBuffer) {
    char16_t ann[] = u"ann", bob[] = u"bob", cy[] = u"cy", full[] = u"Ann Lee", note[] = u"desk 4";
    FakeCalls fake;
    fake.users = {User(ann, 1700000000, full, note), User(bob, 0), User(cy, 7)};
    cNetApi32Directory net(fake.Table());
    std::vector<UserInfo2> page;
    std::uint32_t read = 0, total = 0, resume = 0;
    ASSERT_EQ(net.NetUserEnum(u"DC1", 2, kFilterNormalAccount, kMaxPreferredLength, page, read, total, resume),
              kErrorMoreData);
    EXPECT_EQ(fake.filter, kFilterNormalAccount);
    EXPECT_EQ(fake.prefMaxLen, 0xFFFFFFFFu);
    ASSERT_EQ(read, 2u);
    EXPECT_EQ(total, 3u);
    EXPECT_EQ(page[0].name + page[0].fullName + page[0].comment, u"annAnn Leedesk 4");
    EXPECT_EQ(page[0].lastLogon, 1700000000u);
    EXPECT_EQ(page[1].name + page[1].fullName + page[1].comment, u"bob");
    ASSERT_EQ(net.NetUserEnum(u"", 2, kFilterNormalAccount, 4096, page, read, total, resume), kNerrSuccess);
    ASSERT_EQ(page.size(), 1u);
    EXPECT_EQ(page[0].name, u"cy");
    EXPECT_EQ(page[0].lastLogon, 7u);
    EXPECT_EQ(resume, 0u);
    // The domain and its controllers, from level 100 only.
    std::u16string domain;
    ASSERT_EQ(net.NetWkstaGetInfo(u"DC1", 100, domain), kNerrSuccess);
    EXPECT_EQ(domain, u"CORP");
    EXPECT_EQ(net.NetWkstaGetInfo(u"DC1", 101, domain), kErrorInvalidLevel);
    std::vector<std::u16string> names;
    ASSERT_EQ(net.NetServerEnum(u"CORP", 100, kSvTypeDomainCtrl | kSvTypeDomainBakCtrl, kMaxPreferredLength, names,
                                read, total, resume),
              kNerrSuccess);
    EXPECT_EQ(fake.serverType, 0x18u);
    EXPECT_EQ(names, (std::vector<std::u16string>{u"DC1", u"DC2"}));
    EXPECT_EQ(read, 2u);
    // The local computer by no name, and asking for the domain's controllers.
    EXPECT_EQ(fake.asked, (std::vector<std::u16string>{u"DC1", u"", u"/CORP"}));
    EXPECT_EQ(fake.buffersOut, 0);
}

TEST(NetApi32Directory, AFailedCallReturnsItsCodeWithoutEntries) {
    FakeCalls fake;
    fake.userStatus = kErrorRpcServerUnavailable;
    cNetApi32Directory net(fake.Table());
    std::vector<UserInfo2> page(1);  // what an earlier page left
    std::uint32_t read = 9, total = 9, resume = 0;
    EXPECT_EQ(net.NetUserEnum(u"DC9", 2, kFilterNormalAccount, 4096, page, read, total, resume),
              kErrorRpcServerUnavailable);
    EXPECT_TRUE(page.empty());
    EXPECT_EQ(read + total, 0u);
    // A cancelled server is not asked at all until the cancel is lifted.
    net.CancelCalls(u"DC9", true);
    EXPECT_NE(net.NetUserEnum(u"DC9", 2, kFilterNormalAccount, 4096, page, read, total, resume), kNerrSuccess);
    EXPECT_EQ(fake.asked.size(), 1u);
    net.CancelCalls(u"DC9", false);
    net.NetUserEnum(u"DC9", 2, kFilterNormalAccount, 4096, page, read, total, resume);
    EXPECT_EQ(fake.asked.size(), 2u);
}

}  // namespace
}  // namespace orvik
