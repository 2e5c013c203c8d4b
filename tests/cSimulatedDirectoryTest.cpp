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

TEST(SimulatedDirectory, PagesFollowThePreferredLengthWithoutAPageSize) {
    std::string error;
    const auto d =
        cSimulatedDirectory::FromJson(R"({"controllers": [ { "name": "DC1", "generate": { "count": 10 } } ]})", error);
    ASSERT_TRUE(d) << error;
    const struct {
        std::int32_t prefMaxLen, rc;
        std::uint32_t entries, resume;
    } pages[] = {
        {4 * cSimulatedDirectory::kBytesPerEntry, kErrorMoreData, 4, 4},
        {1, kErrorMoreData, 1, 5},  // at least one entry per page
        {-1, kNerrSuccess, 5, 0},
    };
    std::uint32_t resume = 0;
    for (const auto& p : pages) {
        std::vector<UserInfo2> entries;
        std::uint32_t read = 0, total = 0;
        EXPECT_EQ(d->NetUserEnum(u"DC1", 2, kFilterNormalAccount, p.prefMaxLen, entries, read, total, resume), p.rc);
        EXPECT_EQ(entries.size(), p.entries);
        EXPECT_EQ(read, p.entries);
        EXPECT_EQ(total, 10u);
        EXPECT_EQ(resume, p.resume);
    }
}

}  // namespace
}  // namespace orvik
