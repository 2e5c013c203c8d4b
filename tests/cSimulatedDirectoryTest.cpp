#include "platform/cSimulatedDirectory.h"

#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>
#include "support/TempFolder.h"

#include "platform/DemoDirectory.h"
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

TEST(SimulatedDirectory, ReadsTheDescribedFieldsAndComments) {
    auto d = Load(R"({ "controllers": [   // comments are allowed
        { "name": "DC1", "domain": "CORP",
          "users": [ { "name": "jdoe", "fullName": "John Doe", "description": "Sales", "lastLogon": 4294967295 } ] } ] })");
    std::uint32_t resume = 0;
    Page p = Enum(*d, u"\\\\dc1", resume);
    ASSERT_EQ(p.rc, kNerrSuccess);
    ASSERT_EQ(p.entries.size(), 1u);
    EXPECT_EQ(p.entries[0].name, u"jdoe");
    EXPECT_EQ(p.entries[0].fullName, u"John Doe");
    EXPECT_EQ(p.entries[0].comment, u"Sales");
    EXPECT_EQ(p.entries[0].lastLogon, 4294967295u);
    std::u16string domain;
    EXPECT_EQ(d->NetWkstaGetInfo(u"DC1", 100, domain), kNerrSuccess);
    EXPECT_EQ(domain, u"CORP");
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

TEST(SimulatedDirectory, AnUnknownServerIsNotFound) {
    auto d = Load(R"({"controllers": [ { "name": "DC1", "domain": "CORP" } ]})");
    std::uint32_t resume = 0;
    EXPECT_EQ(Enum(*d, u"\\\\DC9", resume).rc, kErrorBadNetPath);
    std::u16string domain;
    EXPECT_EQ(d->NetWkstaGetInfo(u"DC9", 100, domain), kErrorBadNetPath);
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

TEST(SimulatedDirectory, CountsCallsPerEnumerationAndStartsAgainAfterAnAbandonedOne) {
    auto d = Load(R"({"controllers": [ { "name": "DC1", "pageSize": 2, "failCode": 53, "failAtCall": 3,
                                         "generate": { "count": 10 } } ]})");
    std::uint32_t resume = 0;
    EXPECT_EQ(Enum(*d, u"DC1", resume).rc, kErrorMoreData);
    resume = 0;  // abandoned after one page: the next call starts a new enumeration
    EXPECT_EQ(Enum(*d, u"DC1", resume).rc, kErrorMoreData);
    EXPECT_EQ(Enum(*d, u"DC1", resume).rc, kErrorMoreData);
    EXPECT_EQ(Enum(*d, u"DC1", resume).rc, 53);
    resume = 0;
    EXPECT_EQ(Enum(*d, u"DC1", resume).rc, kErrorMoreData);  // after a failure, call 1 again
}

TEST(SimulatedDirectory, GeneratedUsersOverlapByNumberAndDifferByController) {
    auto d = Load(R"({"controllers": [ { "name": "A", "generate": { "count": 50, "seed": 1 } },
                                         { "name": "B", "generate": { "count": 50, "seed": 2, "first": 25 } } ]})");
    std::uint32_t ra = 0, rb = 0;
    Page a = Enum(*d, u"A", ra), b = Enum(*d, u"B", rb);
    EXPECT_EQ(a.entries[25].name, b.entries[0].name);
    int differing = 0;
    for (int i = 0; i < 25; ++i) differing += a.entries[25 + i].lastLogon != b.entries[i].lastLogon;
    EXPECT_GT(differing, 20);
}

TEST(SimulatedDirectory, ListsTheControllersOfADomain) {
    auto d = Load(R"({"controllers": [ { "name": "\\\\DC1", "domain": "CORP" }, { "name": "LAB1", "domain": "LAB" },
                                         { "name": "DC2", "domain": "corp" } ]})");
    std::vector<std::u16string> names;
    std::uint32_t read = 0, total = 0, resume = 0;
    EXPECT_EQ(d->NetServerEnum(u"", 100, kSvTypeDomainCtrl | kSvTypeDomainBakCtrl, -1, names, read, total, resume),
              kNerrSuccess);
    EXPECT_EQ(names, (std::vector<std::u16string>{u"DC1", u"DC2"}));
    EXPECT_EQ(d->NetServerEnum(u"LAB", 100, 0x18, 64, names, read, total, resume), kNerrSuccess);
    EXPECT_EQ(names, (std::vector<std::u16string>{u"LAB1"}));
    EXPECT_NE(d->NetServerEnum(u"NOPE", 100, 0x18, -1, names, read, total, resume), kNerrSuccess);
}

TEST(SimulatedDirectory, TheBuiltInDemoLoads) {
    auto d = Load(DemoDirectoryJson());
    EXPECT_EQ(d->ControllerNames().size(), 5u);
}

}  // namespace
}  // namespace orvik
