// The LDAP backend against controllers that misbehave: silent at any step,
// half an answer, a connection dropped between the calls, a paging cookie
// without end, odd lastLogon values, a certificate nobody vouches for. Each
// controller costs at most one timeout and ends with the code an
// administrator can look up, the others go on meanwhile, a stop ends every
// call at once, and the process lives on; the password never reaches a
// server that was not verified.

#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <thread>

#include "base/TextCompare.h"
#include "engine/UserDataWorker.h"
#include "engine/cDomainControllerCollection.h"
#include "engine/cMemoryCollectionView.h"
#include "engine/cUserDataCollector.h"
#include "platform/NetApiCodes.h"
#include "platform/NetErrorText.h"
#include "platform/cLdapDirectory.h"
#include "platform/iClock.h"
#include "support/DeferredLauncher.h"
#include "support/DnsStub.h"
#include "support/FakeLdapServer.h"
#include "support/IsolatedNetwork.h"
#include "support/TestClock.h"

namespace orvik {
namespace {

using test::FakeLdapServer;

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

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

struct cRun {
    cCollectionJob job;
    std::vector<std::string> users;  // name=lastLogon
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
    run.seconds = SecondsSince(start);
    std::uint32_t seen = 0;
    std::vector<cCollectionJob> jobs;
    collector.CollectChangedJobs(seen, jobs);
    run.job = jobs.back();
    std::unique_ptr<cUserInfoBatch> batch;
    while (collector.PopResult(batch) == 0) {
        for (const auto& u : batch->Records())
            run.users.push_back(ToUtf8(u->m_UserName) + "=" + std::to_string(u->m_LastLogon));
    }
    return run;
}

// Each address's worker on a thread of its own, all at once, as the program runs them.
std::vector<cRun> RunWorkersAtOnce(iNetApi& net, const std::vector<std::string>& addresses) {
    std::vector<cRun> runs(addresses.size());
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < addresses.size(); ++i) {
        threads.emplace_back([&, i] { runs[i] = RunWorker(net, addresses[i]); });
    }
    for (auto& t : threads) t.join();
    return runs;
}

TEST(LdapHostile, ControllersThatStopAnsweringOrHangUpCostOneTimeoutBesideAHealthyOne) {
    using M = FakeLdapServer::eMode;
    const struct {
        M mode;
        std::int32_t code;  // of each of two such controllers, run at once beside a healthy one
        int connections;    // each of them saw
    } cases[] = {
        {M::kSilent, kErrorTimeout, 1},
        {M::kHalfStartTls, kErrorTimeout, 1},
        {M::kStallHandshake, kErrorTimeout, 1},  // neither waits behind the other's handshake
        {M::kStallBind, kErrorTimeout, 1},
        {M::kStallSearch, kErrorTimeout, 1},
        {M::kHalfSearch, kErrorTimeout, 1},
        // The connection of the domain query, dropped before the enumeration, is opened once more.
        {M::kCloseAfterDomain, kNerrSuccess, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        FakeLdapServer::cOptions options;
        options.users = {{"healthy", ""}};
        FakeLdapServer healthy(options);
        options.mode = c.mode;
        options.users = {{"hostile", ""}};
        FakeLdapServer first(options), second(options);
        cLdapDirectory directory(SimpleBind());
        const auto runs = RunWorkersAtOnce(directory, {healthy.Address(), first.Address(), second.Address()});
        for (std::size_t i = 0; i < runs.size(); ++i) {
            const std::int32_t code = i == 0 ? kNerrSuccess : c.code;
            EXPECT_EQ(runs[i].job.resultCode, code);
            EXPECT_EQ(runs[i].users.size(), code == kNerrSuccess ? 1u : 0u);
            EXPECT_LT(runs[i].seconds, 1.5);  // one operation timeout of 1 s
        }
        EXPECT_EQ(first.Connections(), c.connections);
        EXPECT_EQ(second.Connections(), c.connections);
    }
}

TEST(LdapHostile, ResetAndClosingEndAtOnceWhateverSilentControllersKeepBack) {
    FakeLdapServer::cOptions silent;
    silent.mode = FakeLdapServer::eMode::kSilent;
    FakeLdapServer a(silent), b(silent), c(silent);
    cLdapOptions options = SimpleBind();
    options.operationTimeoutSeconds = 10;
    cLdapDirectory directory(options);
    cSystemClock clock;  // a wait that sleeps is a wait that counts
    auto collector = std::make_unique<cUserDataCollector>(directory, clock);
    auto collection = std::make_unique<cDomainControllerCollection>(*collector, clock);
    cMemoryCollectionView view;
    collection->SetMainWindow(&view);
    for (auto* s : {&a, &b, &c}) collection->AddDomainController(view.Controllers(), FromUtf8(s->Address()));
    // Starts run number `run` and waits until every controller holds its worker in the first step.
    auto startAndHold = [&](int run) {
        collection->StartAll();
        for (int i = 0; i < 10000 && a.Connections() + b.Connections() + c.Connections() < 3 * run; ++i) {
            clock.SleepMs(2);
        }
        ASSERT_EQ(a.Connections() + b.Connections() + c.Connections(), 3 * run);
    };

    startAndHold(1);
    auto start = std::chrono::steady_clock::now();
    collection->StopAndReset();
    EXPECT_LT(SecondsSince(start), 1.0);
    startAndHold(2);
    start = std::chrono::steady_clock::now();
    EXPECT_TRUE(collection->StopForExit(30000));
    collection.reset();
    collector.reset();
    EXPECT_LT(SecondsSince(start), 1.0);
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

// A paging cookie without end stops the enumeration; a directory service error
// brings the server's own reason.
TEST(LdapHostile, PagingCookiesThatNeverEndStopTheEnumerationAndErrorsTellTheServersReason) {
    using C = FakeLdapServer::eCookie;
    const std::string diagnostic = "00002024: SvcErr: DSID-0C090A9A, problem 5003 (WILL_NOT_PERFORM)";
    const struct {
        C cookie;
        std::size_t users;  // on the server
        std::int32_t code;
        int searches;
        std::size_t collected;
        int error;  // of the user search
        std::string notice;
    } cases[] = {
        // The same page under the same cookie: stopped at the second page, the first stands.
        {C::kRepeats, 1, kErrorDsProtocolError, 2, 1, 0, ""},
        // One cookie for every page (as Samba does) is no loop while the pages differ.
        {C::kOneCookie, 3, kNerrSuccess, 3, 3, 0, ""},
        // New cookies on pages without accounts: stopped after their limit.
        {C::kNewEmpty, 0, kErrorDsProtocolError, cLdapDirectory::kMaxEmptyPages, 0, 0, ""},
        {C::kEnds, 1, kErrorDsGeneric, 1, 0, 80,  // "other"
         ": the search failed: Other (e.g., implementation specific) error (" + diagnostic + ")"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.searches);
        FakeLdapServer::cOptions options;
        options.cookie = c.cookie;
        options.searchError = c.error;
        options.searchDiagnostic = diagnostic;
        for (std::size_t i = 0; i < c.users; ++i) options.users.push_back({"user" + std::to_string(i), ""});
        FakeLdapServer server(options);
        cLdapDirectory directory(SimpleBind());
        const cRun run = RunWorker(directory, server.Address());
        EXPECT_EQ(run.job.resultCode, c.code);
        EXPECT_EQ(server.UserSearches(), c.searches);
        EXPECT_EQ(run.users.size(), c.collected);
        EXPECT_EQ(directory.TakeNotices(), c.notice.empty() ? std::vector<std::u16string>{}
                                                            : std::vector{FromUtf8(server.Address() + c.notice)});
    }
}

// An unverified certificate gives one code and the server never the password; a
// verified one gives the accounts it sends, their lastLogon values that are no
// time counting as never and told of.
TEST(LdapHostile, OnlyAVerifiedServerGetsThePasswordOverEitherKindOfTlsAndGivesEveryUserAccount) {
    for (bool ldaps : {false, true}) {
        for (bool trusted : {false, true}) {  // the system's store knows nothing of the test authority
            SCOPED_TRACE(testing::Message() << (ldaps ? "ldaps" : "StartTLS") << (trusted ? " trusted" : ""));
            FakeLdapServer::cOptions options;
            options.ldaps = ldaps;
            options.users = {
                {"alice", "133000000000000000"}, {"minus", "-5"}, {"plus", "+133000000000000000"}, {"word", "soon"}};
            FakeLdapServer server(options);
            cLdapDirectory directory(SimpleBind(trusted));
            const cRun run = RunWorker(directory, server.Address());
            if (!trusted) {
                EXPECT_EQ(run.job.resultCode, kSecUntrustedRoot);
                EXPECT_TRUE(server.Passwords().empty());
                continue;
            }
            EXPECT_EQ(run.job.resultCode, kNerrSuccess) << ToUtf8(NetErrorText(run.job.resultCode));
            EXPECT_EQ(run.users, (std::vector<std::string>{"alice=1655526400", "minus=0", "plus=0", "word=0"}));
            EXPECT_EQ(directory.TakeNotices(),
                      std::vector<std::u16string>{FromUtf8(server.Address()) +
                                                  u": 3 lastLogon values were not a logon time and count as never."});
            EXPECT_TRUE(directory.TakeNotices().empty());
            EXPECT_EQ(server.Passwords(), std::vector<std::string>{"s3cret"});
            EXPECT_EQ(server.Connections(), 1);  // the domain query's connection served the enumeration
        }
    }
}

}  // namespace
}  // namespace orvik
