#include "platform/cSimulatedDirectory.h"

#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>
#include "support/TempFolder.h"

#include "platform/NetApiCodes.h"

namespace orvik {
namespace {

std::unique_ptr<cSimulatedDirectory> Load(std::string_view json) {
    std::string error;
    auto d = cSimulatedDirectory::FromJson(json, error);
    EXPECT_TRUE(d) << error;
    return d;
}

struct Page {
    std::int32_t rc;
    std::vector<UserInfo2> entries;
    std::uint32_t total;
};

Page Enum(cSimulatedDirectory& d, const std::u16string& server, std::uint32_t& resume, std::int32_t pref = -1) {
    Page p;
    std::uint32_t read = 0;
    p.rc = d.NetUserEnum(server, 2, kFilterNormalAccount, pref, p.entries, read, p.total, resume);
    EXPECT_EQ(read, p.entries.size());
    return p;
}

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
    auto d = Load(R"({"controllers": [ { "name": "DC1", "generate": { "count": 10 } } ]})");
    std::uint32_t resume = 0;
    Page p = Enum(*d, u"DC1", resume, 4 * cSimulatedDirectory::kBytesPerEntry);
    EXPECT_EQ(p.rc, kErrorMoreData);
    EXPECT_EQ(p.entries.size(), 4u);
    EXPECT_EQ(p.total, 10u);
    EXPECT_EQ(resume, 4u);
    p = Enum(*d, u"DC1", resume, 1);  // at least one entry per page
    EXPECT_EQ(p.entries.size(), 1u);
    p = Enum(*d, u"DC1", resume, -1);
    EXPECT_EQ(p.rc, kNerrSuccess);
    EXPECT_EQ(p.entries.size(), 5u);
    EXPECT_EQ(resume, 0u);
}

}  // namespace
}  // namespace orvik
