// The LDAP backend against controllers that misbehave: silent, half an
// answer, a paging cookie without end, odd lastLogon values, a certificate
// nobody vouches for. Each controller costs at most one timeout and ends
// with the code an administrator can look up; the password never reaches a
// server that was not verified.

#include <gtest/gtest.h>

#include <chrono>
#include <set>

#include "base/TextCompare.h"
#include "engine/UserDataWorker.h"
#include "engine/cUserDataCollector.h"
#include "platform/NetApiCodes.h"
#include "platform/NetErrorText.h"
#include "platform/cLdapDirectory.h"
#include "support/DeferredLauncher.h"
#include "support/DnsStub.h"
#include "support/FakeLdapServer.h"
#include "support/IsolatedNetwork.h"
#include "support/TestClock.h"

namespace orvik {
namespace {

using test::FakeLdapServer;

FakeLdapServer::cOptions Mode(FakeLdapServer::eMode mode) {
    FakeLdapServer::cOptions options;
    options.mode = mode;
    return options;
}

cLdapOptions SimpleBind(bool trustTheServer = true) {
    cLdapOptions o;
    o.auth = cLdapOptions::eAuth::kSimple;
    o.bindName = "admin@fake.test";
    o.password = "s3cret";
    if (trustTheServer) o.caFile = FakeLdapServer::CertificateFile();
    o.networkTimeoutSeconds = 2;
    o.operationTimeoutSeconds = 1;
    return o;
}

struct cRun {
    cCollectionJob job;
    std::vector<UserInfo2> users;
    double seconds = 0;
};

// One controller's whole worker (domain query, then the enumeration) on this thread.
cRun RunWorker(iNetApi& net, const std::string& address) {
    test::TestClock clock;
    test::DeferredLauncher launcher;
    cUserDataCollector collector(net, clock, launcher.AsLauncher());
    collector.StartJob(std::make_unique<cCollectionJob>(FromUtf8(address), 1 << 20));
    const auto start = std::chrono::steady_clock::now();
    launcher.RunAll();
    cRun run;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::uint32_t seen = 0;
    std::vector<cCollectionJob> jobs;
    collector.CollectChangedJobs(seen, jobs);
    run.job = jobs.back();
    std::unique_ptr<cUserInfoBatch> batch;
    while (collector.PopResult(batch) == 0) {
        for (const auto& u : batch->Records()) {
            run.users.push_back({u->m_UserName, u->m_FullName, u->m_Description, u->m_LastLogon});
        }
    }
    return run;
}

TEST(LdapHostile, ASilentOrHalfAnsweringControllerCostsOneTimeout) {
    for (auto mode : {FakeLdapServer::eMode::kSilent, FakeLdapServer::eMode::kHalfStartTls}) {
        FakeLdapServer server(Mode(mode));
        cLdapDirectory directory(SimpleBind());
        const cRun run = RunWorker(directory, server.Address());
        EXPECT_EQ(run.job.resultCode, kErrorTimeout);
        EXPECT_EQ(server.Connections(), 1);  // the enumeration did not try again
        EXPECT_LT(run.seconds, 1.9);         // one operation timeout of 1 s, not two
    }
}

// The name server answers each question once: the controller's name is
// looked up once, and the connection made then is the one libldap uses.
TEST(LdapHostile, ANameServerThatAnswersOnlyOnceIsEnough) {
    ORVIK_EXPECT_ISOLATED([] {
        std::set<test::tBytes> answered;
        test::DnsStub dns(
            [&](const test::tBytes& q, bool) {
                if (!answered.insert(test::tBytes(q.begin() + 12, q.end())).second) return test::tBytes{};
                const bool a = q[q.size() - 3] == 1;  // the type asked for: an IPv4 address
                return a ? test::Reply(q, {test::Record(1, {127, 0, 0, 1})}) : test::Reply(q, {});
            },
            53);
        FakeLdapServer::cOptions options;
        options.users = {{"alice", "133000000000000000"}};
        FakeLdapServer server(options);
        cLdapOptions unverified = SimpleBind();
        unverified.verifyCertificate = false;  // the certificate is made out to 127.0.0.1, not to this name
        cLdapDirectory directory(unverified);
        const std::string address = server.Address();
        const cRun run = RunWorker(directory, "dc1.stub.test" + address.substr(address.rfind(':')));
        EXPECT_EQ(run.job.resultCode, kNerrSuccess) << ToUtf8(NetErrorText(run.job.resultCode));
        EXPECT_EQ(run.users.size(), 1u);
        EXPECT_LT(run.seconds, 1.5);
    });
}

TEST(LdapHostile, PagingCookiesThatNeverEndStopTheEnumeration) {
    const struct {
        FakeLdapServer::eCookie cookie;
        std::size_t users;  // on the server
        std::int32_t code;
        int searches;
        std::size_t collected;
    } cases[] = {
        // The same page under the same cookie: stopped at the second page, the first stands.
        {FakeLdapServer::eCookie::kRepeats, 1, kErrorDsProtocolError, 2, 1},
        // One cookie for every page (as Samba does) is no loop while the pages differ.
        {FakeLdapServer::eCookie::kOneCookie, 3, kNerrSuccess, 3, 3},
        // New cookies on pages without accounts: stopped after their limit.
        {FakeLdapServer::eCookie::kNewEmpty, 0, kErrorDsProtocolError, cLdapDirectory::kMaxEmptyPages, 0},
    };
    for (const auto& c : cases) {
        FakeLdapServer::cOptions options;
        options.cookie = c.cookie;
        for (std::size_t i = 0; i < c.users; ++i) options.users.push_back({"user" + std::to_string(i), ""});
        FakeLdapServer server(options);
        cLdapDirectory directory(SimpleBind());
        const cRun run = RunWorker(directory, server.Address());
        EXPECT_EQ(run.job.resultCode, c.code) << c.searches;
        EXPECT_EQ(server.UserSearches(), c.searches);
        EXPECT_EQ(run.users.size(), c.collected) << c.searches;
    }
}

TEST(LdapHostile, LastLogonValuesThatAreNoTimeCountAsNeverAndAreTold) {
    FakeLdapServer::cOptions options;
    options.users = {
        {"minus", "-5"}, {"plus", "+133000000000000000"}, {"word", "soon"}, {"ok", "133000000000000000"}, {"none", ""}};
    FakeLdapServer server(options);
    cLdapDirectory directory(SimpleBind());
    const cRun run = RunWorker(directory, server.Address());
    ASSERT_EQ(run.job.resultCode, kNerrSuccess);
    ASSERT_EQ(run.users.size(), 5u);
    for (const UserInfo2& u : run.users) {
        EXPECT_EQ(u.lastLogon, u.name == u"ok" ? 1655526400u : 0u) << ToUtf8(u.name);
    }
    const auto notices = directory.TakeNotices();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0],
              FromUtf8(server.Address()) + u": 3 lastLogon values were not a logon time and count as never.");
    EXPECT_TRUE(directory.TakeNotices().empty());
}

TEST(LdapHostile, AnUnverifiedCertificateGivesOneCodeAndNeverThePassword) {
    for (bool ldaps : {false, true}) {
        FakeLdapServer::cOptions options;
        options.ldaps = ldaps;
        FakeLdapServer server(options);
        cLdapDirectory directory(SimpleBind(false));  // the system's store knows nothing of the test authority
        const cRun run = RunWorker(directory, server.Address());
        EXPECT_EQ(run.job.resultCode, kSecUntrustedRoot) << (ldaps ? "ldaps" : "StartTLS");
        EXPECT_TRUE(server.Passwords().empty());
    }
}

TEST(LdapHostile, AVerifiedServerGetsThePasswordOverEitherKindOfTls) {
    for (bool ldaps : {false, true}) {
        FakeLdapServer::cOptions options;
        options.ldaps = ldaps;
        options.users = {{"alice", "133000000000000000"}};
        FakeLdapServer server(options);
        cLdapDirectory directory(SimpleBind());
        const cRun run = RunWorker(directory, server.Address());
        EXPECT_EQ(run.job.resultCode, kNerrSuccess) << ToUtf8(NetErrorText(run.job.resultCode));
        EXPECT_EQ(run.users.size(), 1u);
        EXPECT_EQ(server.Passwords(), std::vector<std::string>{"s3cret"});
        EXPECT_EQ(server.Connections(), 1);  // the domain query's connection served the enumeration
    }
}

}  // namespace
}  // namespace orvik
