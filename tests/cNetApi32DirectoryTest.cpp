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
    std::uint32_t userStatus = 0;  // a failure to return instead of a page
    std::u16string lastServer = u"(not asked)";
    std::uint32_t lastFilter = 0, lastPrefMaxLen = 0, lastServerType = 0;
    int buffersOut = 0, calls = 0;
    char16_t corp[5] = u"CORP", dc1[4] = u"DC1", dc2[4] = u"DC2";

    template <typename T>
    std::uint8_t* Give(const T* entries, std::size_t count) {
        ++buffersOut;
        void* copy = std::malloc(sizeof(T) * (count + 1));  // never empty, as a real buffer
        std::memcpy(copy, entries, sizeof(T) * count);
        return static_cast<std::uint8_t*>(copy);
    }
    void Asked(const char16_t* server) {
        ++calls;
        lastServer = server ? server : u"(local)";
    }

    cNetApi32Calls Table() {
        cNetApi32Calls t;
        t.userEnum = [this](const char16_t* server, std::uint32_t, std::uint32_t filter, std::uint8_t** buffer,
                            std::uint32_t prefMaxLen, std::uint32_t* read, std::uint32_t* total,
                            std::uint32_t* resume) {
            Asked(server);
            lastFilter = filter;
            lastPrefMaxLen = prefMaxLen;
            if (userStatus != 0) return userStatus;
            const std::size_t from = *resume, count = std::min<std::size_t>(2, users.size() - from);
            *buffer = Give(users.data() + from, count);
            *read = static_cast<std::uint32_t>(count);
            *total = static_cast<std::uint32_t>(users.size());
            *resume = from + count < users.size() ? static_cast<std::uint32_t>(from + count) : 0;
            return *resume != 0 ? 234u : 0u;
        };
        t.wkstaGetInfo = [this](const char16_t* server, std::uint32_t, std::uint8_t** buffer) {
            Asked(server);
            const cNetWkstaInfo100 info{500, dc1, corp, 10, 0};
            *buffer = Give(&info, 1);
            return 0u;
        };
        t.serverEnum = [this](const char16_t* server, std::uint32_t, std::uint8_t** buffer, std::uint32_t,
                              std::uint32_t* read, std::uint32_t* total, std::uint32_t type, const char16_t* domain,
                              std::uint32_t*) {
            Asked(server);
            lastServer += u"/" + std::u16string(domain);
            lastServerType = type;
            const cNetServerInfo100 servers[] = {{500, dc1}, {500, dc2}};
            *buffer = Give(servers, 2);
            *read = *total = 2;
            return 0u;
        };
        t.bufferFree = [this](void* buffer) {
            --buffersOut;
            std::free(buffer);
            return 0u;
        };
        return t;
    }
};

cNetUserInfo2 User(char16_t* name, char16_t* fullName, char16_t* comment, std::uint32_t lastLogon) {
    cNetUserInfo2 u{};
    u.name = name;
    u.fullName = fullName;
    u.comment = comment;
    u.usrComment = fullName;  // the user's own comment is not the description
    u.lastLogon = lastLogon;
    return u;
}

TEST(NetApi32Directory, PagesOfAccountsMapTheirFieldsAndFreeEveryBuffer) {
    char16_t ann[] = u"ann", bob[] = u"bob", cy[] = u"cy", full[] = u"Ann Lee", note[] = u"desk 4";
    FakeCalls fake;
    fake.users = {User(ann, full, note, 1700000000), User(bob, nullptr, nullptr, 0), User(cy, nullptr, nullptr, 7)};
    cNetApi32Directory net(fake.Table());
    std::vector<UserInfo2> page;
    std::uint32_t read = 0, total = 0, resume = 0;
    ASSERT_EQ(net.NetUserEnum(u"DC1", 2, kFilterNormalAccount, kMaxPreferredLength, page, read, total, resume),
              kErrorMoreData);
    EXPECT_EQ(fake.lastServer, u"DC1");
    EXPECT_EQ(fake.lastFilter, kFilterNormalAccount);
    EXPECT_EQ(fake.lastPrefMaxLen, 0xFFFFFFFFu);
    ASSERT_EQ(read, 2u);
    EXPECT_EQ(total, 3u);
    EXPECT_EQ(page[0].name + page[0].fullName + page[0].comment, u"annAnn Leedesk 4");
    EXPECT_EQ(page[0].lastLogon, 1700000000u);
    EXPECT_EQ(page[1].name + page[1].fullName + page[1].comment, u"bob");
    ASSERT_EQ(net.NetUserEnum(u"", 2, kFilterNormalAccount, 4096, page, read, total, resume), kNerrSuccess);
    EXPECT_EQ(fake.lastServer, u"(local)");
    ASSERT_EQ(page.size(), 1u);
    EXPECT_EQ(page[0].name, u"cy");
    EXPECT_EQ(page[0].lastLogon, 7u);
    EXPECT_EQ(resume, 0u);
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
    EXPECT_EQ(fake.calls, 1);
    net.CancelCalls(u"DC9", false);
    net.NetUserEnum(u"DC9", 2, kFilterNormalAccount, 4096, page, read, total, resume);
    EXPECT_EQ(fake.calls, 2);
}

TEST(NetApi32Directory, DomainAndControllersAreReadFromLevel100) {
    FakeCalls fake;
    cNetApi32Directory net(fake.Table());
    std::u16string domain;
    ASSERT_EQ(net.NetWkstaGetInfo(u"DC1", 100, domain), kNerrSuccess);
    EXPECT_EQ(domain, u"CORP");
    std::vector<std::u16string> names;
    std::uint32_t read = 0, total = 0, resume = 0;
    ASSERT_EQ(net.NetServerEnum(u"CORP", 100, kSvTypeDomainCtrl | kSvTypeDomainBakCtrl, kMaxPreferredLength, names,
                                read, total, resume),
              kNerrSuccess);
    EXPECT_EQ(fake.lastServer, u"(local)/CORP");
    EXPECT_EQ(fake.lastServerType, 0x18u);
    EXPECT_EQ(names, (std::vector<std::u16string>{u"DC1", u"DC2"}));
    EXPECT_EQ(read, 2u);
    EXPECT_EQ(net.NetWkstaGetInfo(u"DC1", 101, domain), kErrorInvalidLevel);
    EXPECT_EQ(fake.buffersOut, 0);
}

}  // namespace
}  // namespace orvik
