// The wldap32 directory's own logic against a fake of its calls: the steps
// of a connection, paging, the mapping of entries and of failures. Runs
// against real controllers under Wine are in the Windows checks.
#include "platform/cWldap32Directory.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "base/TextCompare.h"
#include "platform/LdapMapping.h"
#include "platform/NetApiCodes.h"
#include "platform/NetErrorText.h"

namespace orvik {
namespace {

// A controller of the domain EXP whose calls are written down; `fail` makes a step fail with a code.
struct FakeWldap {
    std::vector<std::vector<std::u16string>> accounts;
    std::map<std::string, std::uint32_t> fail;
    std::u16string diagnostic;
    bool loops = false;  // answers every page with the first one's cookie and accounts
    std::vector<std::string> log;
    int handles = 0;

    std::uint32_t Step(const std::string& what, const std::string& stage) {
        log.push_back(what);
        const auto it = fail.find(stage);
        return it == fail.end() ? 0u : it->second;
    }
    cWldap32Calls Table() {
        cWldap32Calls t;
        t.init = [this](const std::u16string& host, bool ldaps) -> void* {
            if (Step("init " + ToUtf8(host) + (ldaps ? " ldaps" : ""), "init") != 0) return nullptr;
            return &++handles;
        };
        t.setOption = [this](void*, eWldapOption o, std::uint32_t v) {
            const std::string option = "option " + std::to_string(static_cast<int>(o));
            return Step(option + "=" + std::to_string(v), option);
        };
        t.connect = [this](void*, std::uint32_t s) { return Step("connect " + std::to_string(s), "connect"); };
        t.startTls = [this](void*) { return Step("starttls", "starttls"); };
        t.bind = [this](void*, const std::u16string* name, const std::u16string* pw, std::uint32_t s) {
            return Step("bind " + (name ? ToUtf8(*name) + ":" + ToUtf8(*pw) : "negotiate") + " " + std::to_string(s),
                        "bind");
        };
        t.search = [this](void*, const cWldapSearch& q, cWldapPage& page) {
            const std::size_t from = q.cookie.empty() || loops ? 0 : std::stoul(q.cookie);
            if (const auto rc = Step(
                    "search " + std::to_string(q.scope) + " " + std::to_string(from) + " " + std::to_string(q.seconds),
                    q.scope == 2 ? "search" : "domain")) {
                page.diagnostic = diagnostic;
                return rc;
            }
            if (q.scope == 0) page.entries = {{u"DC=exp,DC=test", u"CN=Configuration,DC=exp,DC=test"}};
            if (q.scope == 1 && q.base == u"CN=Partitions,CN=Configuration,DC=exp,DC=test") page.entries = {{u"EXP"}};
            if (q.scope != 2) return 0u;
            const std::size_t to = std::min(accounts.size(), from + q.pageSize);
            page.entries.assign(accounts.begin() + from, accounts.begin() + to);
            if (to < accounts.size()) page.cookie = std::to_string(to);
            page.estimate = static_cast<std::uint32_t>(accounts.size());
            return 0u;
        };
        t.serverError = [this](void*) { return diagnostic; };
        t.unbind = [this](void*) { log.push_back("unbind"); };
        return t;
    }
};

cLdapOptions SimpleBind(bool verify = true) {
    cLdapOptions options;
    options.auth = cLdapOptions::eAuth::kSimple;
    options.bindName = "admin@exp.test";
    options.password = "pw";
    options.verifyCertificate = verify;
    return options;
}

std::int32_t Enumerate(iNetApi& net, std::vector<UserInfo2>& page, std::uint32_t& resume) {
    std::uint32_t read = 0, total = 0;
    return net.NetUserEnum(u"\\\\dc1.exp.test", 2, kFilterNormalAccount, 2 * kLdapBytesPerEntry, page, read, total,
                           resume);
}

TEST(Wldap32Directory, SignedInUserReadsTheDomainThenPagesOfAccountsOnTheSameConnection) {
    FakeWldap fake;
    fake.accounts = {{u"ann", u"Ann Lee", u"desk 4", u"133444736000000000"},  // 1700000000 s after 1970
                     {u"bob", u"", u"", u""},
                     {u"cy", u"", u"", u"-5"}};
    {
        cLdapOptions options;
        options.networkTimeoutSeconds = 7;
        options.operationTimeoutSeconds = 30;
        cWldap32Directory net(fake.Table(), options);
        std::u16string domain;
        ASSERT_EQ(net.NetWkstaGetInfo(u"dc1.exp.test", 100, domain), kNerrSuccess);
        EXPECT_EQ(domain, u"EXP");
        std::vector<UserInfo2> page;
        std::uint32_t resume = 0;
        ASSERT_EQ(Enumerate(net, page, resume), kErrorMoreData);
        ASSERT_EQ(page.size(), 2u);
        EXPECT_EQ(page[0].name + page[0].fullName + page[0].comment, u"annAnn Leedesk 4");
        EXPECT_EQ(page[0].lastLogon, 1700000000u);
        EXPECT_EQ(page[1].name + page[1].fullName + page[1].comment, u"bob");
        ASSERT_EQ(Enumerate(net, page, resume), kNerrSuccess);
        ASSERT_EQ(page.size(), 1u);
        EXPECT_EQ(page[0].lastLogon, 0u);
        EXPECT_EQ(resume, 0u);
        EXPECT_EQ(
            net.TakeNotices(),
            std::vector<std::u16string>{u"dc1.exp.test: 1 lastLogon values were not a logon time and count as never."});
    }
    EXPECT_EQ(fake.log, (std::vector<std::string>{"init dc1.exp.test", "option 0=3", "option 1=0", "option 2=30",
                                                  "option 3=1", "connect 7", "bind negotiate 30", "search 0 0 30",
                                                  "search 1 0 30", "search 2 0 30", "search 2 2 30", "unbind"}));
}

// A password is sent only inside TLS to a checked server; the signed-in user's session is signed and sealed, but
// not inside ldaps, where servers refuse it, and never left unsigned.
TEST(Wldap32Directory, TheBindComesOnlyOverAProtectedConnection) {
    struct Case {
        std::u16string server;
        bool password, verify;           // simple bind; /TLSNOVERIFY not given
        std::string refused;             // an option the client cannot set
        std::vector<std::string> steps;  // up to the first search
        std::int32_t code;
    } cases[] = {
        {u"dc1.exp.test", true, true, "", {"option 4=1", "connect 10", "starttls", "bind admin@exp.test:pw 60"}, 0},
        {u"ldaps://dc1.exp.test", true, true, "", {"option 4=1", "connect 10", "bind admin@exp.test:pw 60"}, 0},
        {u"dc1.exp.test", true, true, "option 4", {"option 4=1"}, kSecUntrustedRoot},
        {u"dc1.exp.test",
         true,
         false,
         "option 4",
         {"option 4=0", "connect 10", "starttls", "bind admin@exp.test:pw 60"},
         0},
        {u"ldaps://dc1.exp.test", false, true, "", {"connect 10", "bind negotiate 60"}, 0},
        {u"dc1.exp.test", false, true, "option 3", {"option 3=1"}, kSecNoCredentials},
    };
    for (const Case& c : cases) {
        FakeWldap fake;
        if (!c.refused.empty()) fake.fail[c.refused] = ldapcode::kNotSupported;
        cWldap32Directory net(fake.Table(), c.password ? SimpleBind(c.verify) : cLdapOptions{});
        std::u16string domain;
        EXPECT_EQ(net.NetWkstaGetInfo(c.server, 100, domain), c.code);
        EXPECT_EQ(fake.log[0], c.server == u"dc1.exp.test" ? "init dc1.exp.test" : "init dc1.exp.test ldaps");
        // Options 0 to 2 (version, referrals, time limit) are set on every connection.
        std::erase_if(fake.log, [](const std::string& s) { return s.rfind("option ", 0) == 0 && s[7] < '3'; });
        const auto end = std::find_if(fake.log.begin(), fake.log.end(),
                                      [](const std::string& s) { return s.starts_with("search") || s == "unbind"; });
        EXPECT_EQ(std::vector(fake.log.begin() + 1, end), c.steps) << ToUtf8(c.server) << c.verify << c.refused;
    }
}

TEST(Wldap32Directory, FailuresBecomeTheCodesAdministratorsKnow) {
    struct Case {
        std::string stage;
        std::uint32_t ldap;
        std::u16string diagnostic;
        std::int32_t code;
    } cases[] = {
        {"init", 0x51, u"", kErrorBadNetPath},
        {"connect", ldapcode::kServerDown, u"", kErrorRpcServerUnavailable},
        {"starttls", ldapcode::kConnectError, u"", kSecUntrustedRoot},
        {"bind", ldapcode::kInvalidCredentials, u"80090308: LdapErr: DSID-0C09041C, data 52e, v4563",
         kErrorLogonFailure},
        {"bind", ldapcode::kInvalidCredentials, u"... data 533, v4563", kErrorAccountDisabled},
        {"bind", ldapcode::kInvalidCredentials, u"... data 775, v4563", kErrorAccountLockedOut},
        {"bind", ldapcode::kStrongAuthRequired, u"", kErrorAccessDenied},
        {"search", ldapcode::kInsufficientAccess, u"", kErrorAccessDenied},
        {"search", ldapcode::kOperationsError, u"", kErrorDsGeneric},
    };
    for (const Case& c : cases) {
        FakeWldap fake;
        fake.accounts = {{u"ann", u"", u"", u""}};
        fake.fail[c.stage] = c.ldap;
        fake.diagnostic = c.diagnostic;
        cWldap32Directory net(fake.Table(), SimpleBind());
        std::vector<UserInfo2> page;
        std::uint32_t resume = 0;
        EXPECT_EQ(Enumerate(net, page, resume), c.code) << c.stage << " " << c.ldap;
        EXPECT_TRUE(page.empty());
    }
}

TEST(Wldap32Directory, AServerThatRepeatsItsPageOrAStoppedOneEndsTheEnumeration) {
    FakeWldap fake;
    fake.accounts = {{u"ann", u"", u"", u""}, {u"bob", u"", u"", u""}, {u"cy", u"", u"", u""}};
    fake.loops = true;
    cWldap32Directory net(fake.Table(), {});
    std::vector<UserInfo2> page;
    std::uint32_t resume = 0;
    ASSERT_EQ(Enumerate(net, page, resume), kErrorMoreData);
    EXPECT_EQ(Enumerate(net, page, resume), kErrorDsProtocolError);
    EXPECT_TRUE(page.empty());
    net.CancelCalls(u"dc1.exp.test", true);
    const std::size_t steps = fake.log.size();
    resume = 0;
    EXPECT_EQ(Enumerate(net, page, resume), kErrorTimeout);
    EXPECT_EQ(fake.log.size(), steps);  // not asked at all
}

}  // namespace
}  // namespace orvik
