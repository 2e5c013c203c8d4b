#include "platform/cSimulatedDirectory.h"

#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>
#include "support/TempFolder.h"

#include "platform/NetApiCodes.h"

namespace orvik {
namespace {

TEST(SimulatedDirectory, RejectsBrokenDescriptionsWithAReason) {
    for (const char* bad : {"", "{", "[]", R"({"controllers": 3})", R"({"controllers": [ { "domain": "X" } ]})",
                            R"({"controllers": [ { "name": "A", "delayMs": -1 } ]})",
                            R"({"controllers": [ { "name": "A", "failCode": 234 } ]})",
                            R"({"controllers": [ { "name": "A", "users": [ { "lastLogon": 4294967296 } ] } ]})",
                            R"({"controllers": [ { "name": "A", "users": [ { "name": 5 } ] } ]})"}) {
        std::string error;
        EXPECT_FALSE(cSimulatedDirectory::FromJson(bad, error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
}

TEST(SimulatedDirectory, OnlyARegularFileOfASaneSizeIsRead) {
    test::TempFolder folder;
    const std::string big = folder.File("big.json");
    std::filesystem::resize_file((std::ofstream(big), big), cSimulatedDirectory::kMaxFileBytes + 1);
    std::string error;
    EXPECT_EQ(cSimulatedDirectory::FromFile("/dev/zero", error), nullptr);
    EXPECT_EQ(error, "/dev/zero is not a regular file");
    EXPECT_EQ(cSimulatedDirectory::FromFile(big, error), nullptr);
    EXPECT_EQ(error, big + " is larger than 64 MB");
}

}  // namespace
}  // namespace orvik
