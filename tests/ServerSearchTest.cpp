#include "app/ServerSearch.h"

#include <gtest/gtest.h>

#include <map>

#include "platform/NetApiCodes.h"
#include "platform/NetErrorText.h"
#include "platform/iNetApi.h"

namespace orvik {
namespace {

using Names = std::vector<std::u16string>;

// Domains answered from a table: each domain's pages, every page but the last
// with "more data"; a domain not in the table has no servers found.
class TableNet final : public iNetApi {
public:
    std::int32_t NetUserEnum(const std::u16string&, std::uint32_t, std::uint32_t, std::int32_t, std::vector<UserInfo2>&,
                             std::uint32_t&, std::uint32_t&, std::uint32_t&) override {
        return kErrorAccessDenied;
    }
    std::int32_t NetWkstaGetInfo(const std::u16string&, std::uint32_t, std::u16string&) override {
        return kErrorAccessDenied;
    }
    std::int32_t NetServerEnum(const std::u16string& domain, std::uint32_t level, std::uint32_t type,
                               std::int32_t prefMaxLen, Names& names, std::uint32_t& read, std::uint32_t& total,
                               std::uint32_t& resume) override {
        asked.push_back(domain);
        buffers.push_back(prefMaxLen);
        EXPECT_EQ(level, 100u);
        EXPECT_EQ(type, 0x18u);
        if (auto it = domains.find(domain); it != domains.end()) {
            names = it->second.at(resume);
            read = total = static_cast<std::uint32_t>(names.size());
            return ++resume < it->second.size() ? kErrorMoreData : kNerrSuccess;
        }
        names = {u"never seen"};
        return kErrorNoBrowserServersFound;
    }
    std::map<std::u16string, std::vector<Names>> domains;
    Names asked;
    std::vector<std::int32_t> buffers;
};

// One failing domain gives nothing at all.
TEST(ServerSearch, EveryDomainInOrderAndThePrimaryWhenNoneIsSetButNothingWhenOneFails) {
    TableNet net;
    net.domains[u""] = {{u"PDC"}};
    net.domains[u"A"] = {{u"A1", u"A2"}, {u"A3"}};
    net.domains[u"B"] = {{u"A1", u"B1"}};
    Names names{u"stale"};
    EXPECT_EQ(SearchDomainControllers(net, u"A,,B,", names), 0);
    EXPECT_EQ(net.asked, (Names{u"A", u"A", u"B"}));
    EXPECT_EQ(net.buffers, (std::vector<std::int32_t>{8096, 16192, 8096}));
    EXPECT_EQ(names, (Names{u"A1", u"A2", u"A3", u"A1", u"B1"}));  // the dialog lists a name once
    EXPECT_EQ(SearchDomainControllers(net, u"", names), 0);
    EXPECT_EQ(names, (Names{u"PDC"}));
    net.asked.clear();
    EXPECT_EQ(SearchDomainControllers(net, u"B,NOPE,A", names), -2);
    EXPECT_TRUE(names.empty());
    EXPECT_EQ(net.asked, (Names{u"B", u"NOPE"}));                 // stops at once
    EXPECT_EQ(SearchDomainControllers(net, u"B, B", names), -2);  // the blank is part of the name
}

TEST(ServerSearch, EndlessMoreDataEnds) {
    TableNet net;
    net.domains[u"A"] = std::vector<Names>(100, Names{u"x"});
    Names names;
    EXPECT_EQ(EnumerateServers(net, kControllerServerTypes, u"A", names), -2);
    EXPECT_LT(net.asked.size(), 20u);
}

}  // namespace
}  // namespace orvik
