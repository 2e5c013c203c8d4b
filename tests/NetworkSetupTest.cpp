#include "app/NetworkSetup.h"

#include <gtest/gtest.h>

#include <fstream>

#include "engine/TextCompare.h"
#include "platform/cLdapDirectory.h"
#include "platform/cSimulatedDirectory.h"
#include "support/RecordingMessages.h"
#include "support/TempFolder.h"

namespace orvik {
namespace {

TEST(NetworkSetup, ASimulationListsItsControllersUnlessDcSaysOtherwise) {
    test::RecordingMessages messages;
    cNetworkSetup setup;
    ASSERT_TRUE(SetUpNetwork(u"/SIM:demo", messages, nullptr, setup));
    EXPECT_NE(dynamic_cast<cSimulatedDirectory*>(setup.net.get()), nullptr);
    EXPECT_EQ(setup.defaultControllers.size(), 5u);

    cNetworkSetup chosen;
    ASSERT_TRUE(SetUpNetwork(u"/SIM:demo /DC:LAB-DC1,,CORP-DC1", messages, nullptr, chosen));
    EXPECT_EQ(chosen.defaultControllers, (std::vector<std::u16string>{u"LAB-DC1", u"CORP-DC1"}));
}

TEST(NetworkSetup, RealControllersNeedAPasswordForASimpleBind) {
    test::RecordingMessages messages;
    cNetworkSetup setup;
    EXPECT_FALSE(SetUpNetwork(u"/USER:admin@exp.test", messages, nullptr, setup));
    ASSERT_EQ(messages.texts.size(), 1u);

    test::TempFolder folder;
    std::ofstream(folder.File("pw")) << "s3cret\n";
    const std::u16string args = u"/USER:admin@exp.test /PWFILE:" + FromUtf8(folder.File("pw"));
    ASSERT_TRUE(SetUpNetwork(args, messages, nullptr, setup));
    EXPECT_NE(dynamic_cast<cLdapDirectory*>(setup.net.get()), nullptr);

    cNetworkSetup asked;
    bool prompted = false;
    ASSERT_TRUE(SetUpNetwork(u"/USER:admin@exp.test", messages,
                             [&](const std::string& user) -> std::optional<std::string> {
                                 prompted = user == "admin@exp.test";
                                 return std::string("pw");
                             },
                             asked));
    EXPECT_TRUE(prompted);
}

TEST(NetworkSetup, TimeoutsMustBeSensible) {
    test::RecordingMessages messages;
    cNetworkSetup setup;
    EXPECT_FALSE(SetUpNetwork(u"/NETTIMEOUT:0", messages, nullptr, setup));
    EXPECT_FALSE(SetUpNetwork(u"/OPTIMEOUT:abc", messages, nullptr, setup));
    EXPECT_TRUE(SetUpNetwork(u"/NETTIMEOUT:5 /OPTIMEOUT:30", messages, nullptr, setup));
}

}  // namespace
}  // namespace orvik
