// The LDAP backend's own logic, without a server: time conversion, the
// mapping of failures to the codes administrators know, and how it fails
// when there is no controller to talk to. Runs against real domain
// controllers are in scripts/samba-domain-test.sh.

#include "platform/cLdapDirectory.h"

#include <gtest/gtest.h>
#include <ldap.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/NetApiCodes.h"
#include "platform/NetErrorText.h"

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

TEST(LdapErrors, BindFailuresBecomeLogonCodes) {
    EXPECT_EQ(MapLdapFailure("bind", LDAP_INVALID_CREDENTIALS, "80090308: LdapErr: ... data 52e, v893"),
              kErrorLogonFailure);
    EXPECT_EQ(MapLdapFailure("bind", LDAP_INVALID_CREDENTIALS, "... data 533, v893"), kErrorAccountDisabled);
    EXPECT_EQ(MapLdapFailure("bind", LDAP_INVALID_CREDENTIALS, "... data 775, v893"), kErrorAccountLockedOut);
    EXPECT_EQ(MapLdapFailure("bind", LDAP_STRONG_AUTH_REQUIRED, ""), kErrorAccessDenied);
    EXPECT_EQ(MapLdapFailure("bind", LDAP_LOCAL_ERROR, "no credentials cache"), kSecNoCredentials);
    EXPECT_EQ(MapLdapFailure("starttls", LDAP_CONNECT_ERROR, ""), kSecUntrustedRoot);
    EXPECT_EQ(MapLdapFailure("search", LDAP_TIMEOUT, ""), kErrorTimeout);
    EXPECT_EQ(MapLdapFailure("search", LDAP_SERVER_DOWN, ""), kErrorRpcServerUnavailable);
    EXPECT_EQ(MapLdapFailure("search", LDAP_INSUFFICIENT_ACCESS, ""), kErrorAccessDenied);
    EXPECT_EQ(MapLdapFailure("search", LDAP_OPERATIONS_ERROR, ""), kErrorDsGeneric);
}

std::int32_t Enumerate(cLdapDirectory& directory, const std::u16string& server) {
    std::vector<UserInfo2> entries;
    std::uint32_t read = 0, total = 0, resume = 0;
    return directory.NetUserEnum(server, 2, kFilterNormalAccount, -1, entries, read, total, resume);
}

TEST(LdapUnreachable, NamesThatDoNotResolveAreNotFound) {
    cLdapOptions options;
    options.networkTimeoutSeconds = 2;
    cLdapDirectory directory(options);
    EXPECT_EQ(Enumerate(directory, u"\\\\no-such-host.invalid"), kErrorBadNetPath);
    std::u16string domain;
    EXPECT_EQ(directory.NetWkstaGetInfo(u"no-such-host.invalid", 100, domain), kErrorBadNetPath);
}

TEST(LdapUnreachable, AClosedPortIsAnUnavailableServer) {
    cLdapOptions options;
    options.networkTimeoutSeconds = 2;
    cLdapDirectory directory(options);
    EXPECT_EQ(Enumerate(directory, u"ldap://127.0.0.1:1"), kErrorRpcServerUnavailable);
}

// Against the test domain of scripts/samba-domain.sh only: the DNS name of
// its domain in ORVIK_TEST_DOMAIN (the domain test sets it).
TEST(LdapDomain, ServerEnumerationFindsTheDomainsControllers) {
    const char* domain = std::getenv("ORVIK_TEST_DOMAIN");
    if (domain == nullptr) GTEST_SKIP() << "no test domain";
    cLdapDirectory directory(cLdapOptions{});
    std::vector<std::u16string> names;
    std::uint32_t read = 0, total = 0, resume = 0;
    const std::u16string dnsDomain(domain, domain + std::strlen(domain));
    ASSERT_EQ(directory.NetServerEnum(dnsDomain, 100, kSvTypeDomainCtrl | kSvTypeDomainBakCtrl, -1, names, read, total,
                                      resume),
              kNerrSuccess);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::u16string>{u"dc1.exp.test", u"dc2.exp.test"}));
    EXPECT_EQ(read, 2u);
    EXPECT_NE(directory.NetServerEnum(u"no-such-domain.invalid", 100, 0x18, -1, names, read, total, resume),
              kNerrSuccess);
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
