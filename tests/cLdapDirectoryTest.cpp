// The LDAP backend's own logic, without a server: time conversion, the
// mapping of failures to the codes administrators know, and how it fails
// when there is no controller to talk to; names looked up against a name
// server of the test's own. Runs against real domain controllers are in
// scripts/samba-domain-test.sh.

#include "platform/cLdapDirectory.h"

#include <gtest/gtest.h>
#include <ldap.h>

#include <algorithm>
#include <chrono>

#include "platform/NetApiCodes.h"
#include "platform/NetErrorText.h"
#include "support/DnsStub.h"
#include "support/IsolatedNetwork.h"

namespace orvik {
namespace {

TEST(LdapTime, FileTimesBecomeSecondsSince1970Rounded) {
    EXPECT_EQ(FileTimeToSeconds(""), 0u);
    EXPECT_EQ(FileTimeToSeconds("0"), 0u);
    EXPECT_EQ(FileTimeToSeconds("9223372036854775807"), 0u);  // "never"
    EXPECT_EQ(FileTimeToSeconds("116444736000000000"), 0u);   // exactly 1970
    EXPECT_EQ(FileTimeToSeconds(std::to_string((1700000000ULL + 11644473600ULL) * 10000000ULL)), 1700000000u);
    EXPECT_EQ(FileTimeToSeconds(std::to_string((1700000000ULL + 11644473600ULL) * 10000000ULL + 5011000ULL)),
              1700000001u);  // x.5011 s rounds up
    EXPECT_EQ(FileTimeToSeconds(std::to_string((4294967295ULL + 11644473600ULL + 100) * 10000000ULL)), 4294967295u);
    EXPECT_EQ(FileTimeToSeconds("12x"), 0u);
}

// The mapping itself is tested with wldap32's codes (cWldap32DirectoryTest).
TEST(LdapErrors, LibldapsOwnCodesCountAsTheirLdapCApiNumbers) {
    EXPECT_EQ(MapLdapFailure("bind", LDAP_LOCAL_ERROR, "no credentials cache"), kSecNoCredentials);
    EXPECT_EQ(MapLdapFailure("starttls", LDAP_CONNECT_ERROR, ""), kSecUntrustedRoot);
    EXPECT_EQ(MapLdapFailure("search", LDAP_TIMEOUT, ""), kErrorTimeout);
    EXPECT_EQ(MapLdapFailure("search", LDAP_SERVER_DOWN, ""), kErrorRpcServerUnavailable);
}

std::int32_t Enumerate(cLdapDirectory& directory, const std::u16string& server) {
    std::vector<UserInfo2> entries;
    std::uint32_t read = 0, total = 0, resume = 0;
    return directory.NetUserEnum(server, 2, kFilterNormalAccount, -1, entries, read, total, resume);
}

// The system's resolver asks the test's name server, which says there is no
// such name, or keeps silent: either way the name is not found, at once or
// after one network timeout. A closed port is an unavailable server.
TEST(LdapUnreachable, NamesThatDoNotResolveAreNotFoundWithinOneTimeoutAndAClosedPortIsUnavailable) {
    ORVIK_EXPECT_ISOLATED([] {
        for (bool silent : {false, true}) {
            test::DnsStub dns(
                [&](const test::tBytes& q, bool) { return silent ? test::tBytes{} : test::Reply(q, {}, 3); }, 53);
            cLdapOptions options;
            options.networkTimeoutSeconds = 1;
            cLdapDirectory directory(options);
            const auto start = std::chrono::steady_clock::now();
            std::u16string domain;  // the domain query, then the enumeration, as a worker makes them
            EXPECT_EQ(directory.NetWkstaGetInfo(u"dc9.stub.test", 100, domain), kErrorBadNetPath);
            EXPECT_EQ(Enumerate(directory, u"\\\\dc9.stub.test"), kErrorBadNetPath);
            EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1500)) << silent;
            EXPECT_EQ(Enumerate(directory, u"ldap://127.0.0.1:1"), kErrorRpcServerUnavailable);
        }
    });
}

// The system's name server is the test's, which knows the SRV records of
// one domain: two controllers, one of them by a name no host can have.
TEST(LdapDomain, ServerEnumerationReadsTheDomainsSrvRecords) {
    ORVIK_EXPECT_ISOLATED([] {
        const test::tBytes asked = test::Name({"_ldap", "_tcp", "dc", "_msdcs", "stub", "test"});
        test::DnsStub dns(
            [&](const test::tBytes& q, bool) {
                if (test::tBytes(q.begin() + 12, q.end() - 4) != asked) return test::Reply(q, {}, 3);
                return test::Reply(q, {test::Srv(test::Name({"dc1", "stub", "test"})),
                                       test::Srv(test::Name({"dc 2", "stub", "test"}))});
            },
            53);
        cLdapDirectory directory(cLdapOptions{});
        std::vector<std::u16string> names;
        std::uint32_t read = 0, total = 0, resume = 0;
        EXPECT_EQ(directory.NetServerEnum(u"stub.test", 100, kSvTypeDomainCtrl, -1, names, read, total, resume),
                  kNerrSuccess);
        EXPECT_EQ(names, std::vector<std::u16string>{u"dc1.stub.test"});
        EXPECT_EQ(read, 1u);
        EXPECT_EQ(directory.TakeNotices(),
                  std::vector<std::u16string>{
                      u"stub.test: 1 domain controller names in DNS are no host names and were left out."});
        EXPECT_EQ(directory.NetServerEnum(u"other.test", 100, kSvTypeDomainCtrl, -1, names, read, total, resume),
                  kErrorNoBrowserServersFound);
        EXPECT_EQ(directory.TakeNotices(),
                  std::vector<std::u16string>{u"The DNS lookup of _ldap._tcp.dc._msdcs.other.test (SRV) found no "
                                              u"such name: the domain has no domain controllers in DNS."});
    });
}

TEST(LdapDomain, ThePrimaryDomainIsTheResolversFirstSearchDomain) {
    const struct {
        const char* conf;
        const char* domain;
    } cases[] = {
        {"nameserver 10.0.0.1\nsearch corp.example lab.example\n", "corp.example"},
        {"domain corp.example.\n", "corp.example"},
        {"search a.example\ndomain b.example\n", "b.example"},  // the last line counts
        {"# search x.example\n  search\tcorp.example # comment\n", "corp.example"},
        {"nameserver 10.0.0.1\n", ""},
        {"search corp.example\nsearch\n", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(PrimaryDomainFromResolvConf(c.conf), c.domain) << c.conf;
}

}  // namespace
}  // namespace orvik
