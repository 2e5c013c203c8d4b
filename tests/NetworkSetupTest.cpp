#include "app/NetworkSetup.h"

#include "app/CommandLine.h"
#include "support/TypedLine.h"

#include <gtest/gtest.h>

#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <fstream>

#include "base/TextCompare.h"
#include "platform/cLdapDirectory.h"
#include "platform/cSimulatedDirectory.h"
#include "support/RecordingMessages.h"
#include "support/TempFolder.h"

namespace orvik {
namespace {

TEST(NetworkSetup, ASimulationListsItsControllersUnlessDcSaysOtherwise) {
    test::RecordingMessages messages;
    cNetworkSetup setup;
    ASSERT_TRUE(SetUpNetwork(test::TypedLine(u"/SIM:demo"), messages, nullptr, setup));
    EXPECT_NE(dynamic_cast<cSimulatedDirectory*>(setup.net.get()), nullptr);
    EXPECT_EQ(setup.defaultControllers.size(), 5u);

    cNetworkSetup chosen;
    ASSERT_TRUE(SetUpNetwork(test::TypedLine(u"/SIM:demo /DC:LAB-DC1,,CORP-DC1"), messages, nullptr, chosen));
    EXPECT_EQ(chosen.defaultControllers, (std::vector<std::u16string>{u"LAB-DC1", u"CORP-DC1"}));
}

// Real controllers need a password for a simple bind: an empty one is refused, an open password file warned of.
TEST(NetworkSetup, AnEmptyPasswordIsRefusedAndAnOpenPasswordFileWarned) {
    test::TempFolder folder;
    const std::string empty = folder.File("empty"), open = folder.File("open");
    std::ofstream(empty) << "\nsecond line\n";
    std::ofstream(open) << "s3cret\n";
    ::chmod(empty.c_str(), 0600);
    ::chmod(open.c_str(), 0644);
    test::RecordingMessages messages;
    cNetworkSetup setup;
    EXPECT_FALSE(SetUpNetwork(test::TypedLine(u"/USER:admin@exp.test"), messages, nullptr, setup));
    ASSERT_TRUE(SetUpNetwork(test::TypedLine(u"/USER:a@x.test /PWFILE:" + FromUtf8(open)), messages, nullptr, setup));
    EXPECT_NE(dynamic_cast<cLdapDirectory*>(setup.net.get()), nullptr);
    cLdapOptions options;
    EXPECT_FALSE(
        ReadLdapOptions(cCommandLine({u"/USER:admin", u"/PWFILE:" + FromUtf8(empty)}), messages, nullptr, options));
    EXPECT_FALSE(ReadLdapOptions(
        cCommandLine({u"/USER:admin"}), messages, [](const std::string&) { return std::optional<std::string>(""); },
        options));
    EXPECT_FALSE(
        ReadLdapOptions(cCommandLine({u"/USER:admin", u"/PWFILE:", u"/NETTIMEOUT:1"}), messages, nullptr, options));
    messages.texts.clear();
    ASSERT_TRUE(
        ReadLdapOptions(cCommandLine({u"/USER:admin", u"/PWFILE:" + FromUtf8(open)}), messages, nullptr, options));
    EXPECT_EQ(options.password, "s3cret");
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_NE(messages.texts[0].find(u"can be read by others"), std::u16string::npos);
}

TEST(NetworkSetup, OnceAPasswordIsGivenTheProcessWritesNoCoreDump) {
    test::RecordingMessages messages;
    cLdapOptions options;
    ReadLdapOptions(
        cCommandLine({u"/USER:admin"}), messages, [](const std::string&) { return std::optional<std::string>("pw"); },
        options);
    rlimit core{};
    ASSERT_EQ(::getrlimit(RLIMIT_CORE, &core), 0);
    EXPECT_EQ(core.rlim_cur, 0u);
    EXPECT_EQ(::prctl(PR_GET_DUMPABLE), 0);
}

TEST(NetworkSetup, VerificationIsOffOnlyByItsOwnArgument) {
    test::RecordingMessages messages;
    cLdapOptions options;
    ASSERT_TRUE(ReadLdapOptions(cCommandLine({u"/CAFILE:/etc/TLSNOVERIFY/ca.pem"}), messages, nullptr, options));
    EXPECT_TRUE(options.verifyCertificate);
    ASSERT_TRUE(ReadLdapOptions(cCommandLine({u"/TLSNOVERIFY"}), messages, nullptr, options));
    EXPECT_FALSE(options.verifyCertificate);
}

TEST(NetworkSetup, TimeoutsMustBeSensible) {
    test::RecordingMessages messages;
    cNetworkSetup setup;
    EXPECT_FALSE(SetUpNetwork(test::TypedLine(u"/NETTIMEOUT:0"), messages, nullptr, setup));
    EXPECT_FALSE(SetUpNetwork(test::TypedLine(u"/OPTIMEOUT:abc"), messages, nullptr, setup));
    EXPECT_TRUE(SetUpNetwork(test::TypedLine(u"/NETTIMEOUT:5 /OPTIMEOUT:30"), messages, nullptr, setup));
}

}  // namespace
}  // namespace orvik
