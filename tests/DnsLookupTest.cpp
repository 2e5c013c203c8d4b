// DNS answers as they come off the wire, and lookups against name servers
// on loopback ports that answer, refuse, send too much or keep silent.

#include "platform/DnsLookup.h"

#include <gtest/gtest.h>

#include <chrono>

#include "support/DnsStub.h"

namespace orvik {
namespace {

using namespace test;

// "_ldap._tcp.x.test" at offset 12, so "x.test" at 23; the first record's target at 53.
const tBytes kQuestion = Name({"_ldap", "_tcp", "x", "test"}) + Be16(33) + Be16(1);
constexpr unsigned char kXTest = 23, kFirstTarget = 53;

tBytes Message(const std::vector<tBytes>& records) {
    return Reply(tBytes{0x12, 0x34, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0} + kQuestion, records);
}

TEST(SrvAnswer, EveryTargetThatIsAHostNameAndNothingElse) {
    const tBytes dc1 = Srv(Name({"dc1", "x", "test"}));
    const struct {
        const char* what;
        std::vector<tBytes> records;
        std::vector<std::string> hosts;
        int oddNames;
    } cases[] = {
        {"compressed target", {dc1, Srv(tBytes{3, 'd', 'c', '2', 0xC0, kXTest})}, {"dc1.x.test", "dc2.x.test"}, 0},
        {"data shorter than the fixed part", {Record(33, {}), dc1}, {"dc1.x.test"}, 0},
        {"fixed part without a name", {Record(33, {0, 0, 0, 0, 1, 133}), dc1}, {"dc1.x.test"}, 0},
        {"target running past the data", {Record(33, tBytes{0, 0, 0, 0, 1, 133, 3, 'd', 'c'}), dc1}, {"dc1.x.test"}, 0},
        {"no such service", {Srv(Name({})), dc1}, {"dc1.x.test"}, 0},
        {"not a host name",
         {Srv(Name({"dc 1", "x", "test"})), Srv(Name({"d\xC3\xA9", "x", "test"})), Srv(Name({"a.b", "x", "test"})), dc1,
          Srv(Name({"_dc-2", "x", "test"}))},
         {"dc1.x.test", "_dc-2.x.test"},
         3},
        {"another type", {Record(1, {127, 0, 0, 1}), dc1}, {"dc1.x.test"}, 0},
        {"pointer to itself", {Srv(tBytes{0xC0, kFirstTarget}), dc1}, {"dc1.x.test"}, 0},
        {"cut short", {dc1, tBytes(dc1.begin(), dc1.end() - 3)}, {"dc1.x.test"}, 0},
    };
    for (const auto& c : cases) {
        const tBytes m = Message(c.records);
        const cSrvTargets t = ParseSrvAnswer(m.data(), m.size());
        EXPECT_EQ(t.hosts, c.hosts) << c.what;
        EXPECT_EQ(t.oddNames, c.oddNames) << c.what;
    }
}

TEST(DnsLookup, ThreeSilentNameServersCostOneTimeout) {
    const auto silence = [](const tBytes&, bool) { return tBytes{}; };
    DnsStub a(silence), b(silence), c(silence);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(LookUpSrv("_ldap._tcp.x.test", std::chrono::seconds(1), {a.Address(), b.Address(), c.Address()}));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1500));
    EXPECT_EQ(a.Queries() + b.Queries() + c.Queries(), 3);  // every server was asked
}

TEST(DnsLookup, TheFirstServerWithAResultAnswersOverTcpWhenItDoesNotFitADatagram) {
    DnsStub refusing([](const tBytes& q, bool) { return Reply(q, {}, 5); });
    DnsStub silent([](const tBytes&, bool) { return tBytes{}; });
    DnsStub answering([](const tBytes& q, bool tcp) {
        return tcp ? Reply(q, {Srv(Name({"dc1", "x", "test"})), Srv(Name({"dc2", "x", "test"}))})
                   : Reply(q, {}, 0, true);
    });
    const auto found = LookUpSrv("_ldap._tcp.x.test", std::chrono::milliseconds(1500),
                                 {refusing.Address(), silent.Address(), answering.Address()});
    ASSERT_TRUE(found);
    EXPECT_EQ(found->hosts, (std::vector<std::string>{"dc1.x.test", "dc2.x.test"}));
}

}  // namespace
}  // namespace orvik
