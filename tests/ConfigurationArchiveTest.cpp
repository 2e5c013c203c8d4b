// The configuration file byte for byte: what the program writes is compared
// with golden files put together by hand (tests/data/make_golden.py), and
// every form a reader must accept is loaded from them.

#include <gtest/gtest.h>

#include "base/TextCompare.h"
#include "base/iWriteSink.h"
#include "engine/cDomainControllerCollection.h"
#include "engine/cMemoryListView.h"
#include "engine/cUserDataCollector.h"
#include "platform/cSimulatedDirectory.h"
#include "settings/ConfigurationFile.h"
#include "settings/cArchiveReader.h"
#include "settings/cArchiveWriter.h"
#include "support/GoldenFile.h"
#include "support/TestClock.h"
#include "support/UserFactory.h"

namespace orvik {
namespace {

using test::MatchesGolden;
using test::ReadGolden;

class ArchiveTest : public testing::Test {
protected:
    std::vector<std::uint8_t> Save() {
        cMemorySink sink;
        EXPECT_TRUE(collection.SaveToSink(sink));
        return sink.Bytes();
    }
    int Load(const std::vector<std::uint8_t>& bytes) {
        const tResult<> loaded = collection.LoadFromBytes(bytes.data(), bytes.size(), list, "orvik.cfg");
        failure = loaded ? u"" : LoadFailureText(loaded.error());
        return loaded ? 0 : -1;
    }

    cSimulatedDirectory directory{{}};
    test::TestClock clock;
    cUserDataCollector collector{directory, clock};
    cDomainControllerCollection collection{collector, clock};
    cMemoryListView list;
    std::u16string failure;
};

// 0x7FFF is the long form's tag: the last index of the short form is 0x7FFE.
TEST(ArchiveClassReference, TheShortFormEndsJustBelowTheLongFormsTag) {
    const struct {
        std::uint32_t index;
        std::vector<std::uint8_t> reference;
    } cases[] = {{0x7FFE, {0xFE, 0xFF}}, {0x7FFF, {0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0x80}}};
    for (const auto& c : cases) {
        // Class "A" takes index 1 and each object the next one, until "B" takes c.index.
        cMemorySink sink;
        cArchiveWriter writer(sink);
        for (std::uint32_t i = 2; i < c.index; ++i) writer.WriteObjectClass("A", 1);
        writer.WriteObjectClass("B", 2);
        writer.WriteObjectClass("B", 2);
        ASSERT_TRUE(writer.Finish());
        const auto& bytes = sink.Bytes();
        EXPECT_EQ(std::vector<std::uint8_t>(bytes.end() - static_cast<std::ptrdiff_t>(c.reference.size()), bytes.end()),
                  c.reference);
        cArchiveReader reader(bytes.data(), bytes.size());
        for (std::uint32_t i = 2; i < c.index; ++i) reader.ReadObjectClass("A");
        EXPECT_EQ(reader.ReadObjectClass("B"), 2);
        EXPECT_EQ(reader.ReadObjectClass("B"), 2);
    }
}

TEST(ArchiveString, MayEndExactlyAtTheEndOfTheFileButNotPastIt) {
    const struct {
        std::vector<std::uint8_t> bytes;
        const char16_t* text;  // nullptr: past the end
    } cases[] = {
        {{3, 'a', 'b', 'c'}, u"abc"},
        {{3, 'a', 'b'}, nullptr},
        {{0xFF, 0xFE, 0xFF, 2, 'a', 0, 'b', 0}, u"ab"},
        {{0xFF, 0xFE, 0xFF, 2, 'a', 0, 'b'}, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.size());
        cArchiveReader reader(c.bytes.data(), c.bytes.size());
        try {
            EXPECT_EQ(reader.ReadString(), c.text ? c.text : u"(read past the end)");
        } catch (const cArchiveError& e) {
            EXPECT_TRUE(c.text == nullptr && e.kind == eArchiveError::kEndOfFile);
        }
    }
}

// Each file loads, and the next save writes its golden file: the same bytes
// for every file the program writes (the long string, count and class
// reference forms too), the current form for older ones.
TEST_F(ArchiveTest, EveryFileLoadsAndTheNextSaveWritesItsGolden) {
    const std::pair<const char*, const char*> files[] = {
        {"empty.cfg", "empty.cfg"},
        {"single_dc1.cfg", "single_dc1.cfg"},
        {"two_dcs_three_users.cfg", "two_dcs_three_users.cfg"},
        {"no_controllers.cfg", "no_controllers.cfg"},
        {"long_strings.cfg", "long_strings.cfg"},
        {"many_users.cfg", "many_users.cfg"},
        {"big_class_index.cfg", "big_class_index.cfg"},
        {"schema1_users.cfg", "schema1_users_resaved.cfg"},  // users without domains get empty ones
        {"ansi_strings.cfg", "ansi_strings_resaved.cfg"},    // 8-bit strings without the marker
        {"trailing_bytes.cfg", "two_dcs_three_users.cfg"},   // bytes after the last item are ignored
    };
    for (auto [file, golden] : files) {
        SCOPED_TRACE(file);
        ASSERT_EQ(Load(ReadGolden(file)), 0) << ToUtf8(failure);
        EXPECT_TRUE(MatchesGolden(Save(), golden));
    }
}

// Each field is read from its own place (a save writes it back there, above).
TEST_F(ArchiveTest, EachFieldIsReadFromItsPlace) {
    ASSERT_EQ(Load(ReadGolden("two_dcs_three_users.cfg")), 0);
    const cDomainController& dc = *collection.Controllers().at(0);
    EXPECT_EQ(std::tuple(dc.GetUserCount(), dc.GetStartTime(), dc.GetLastCallTime()),
              std::tuple(3, tTimeValue{1700000000}, tTimeValue{1700000042}));
    EXPECT_TRUE(collection.Settings() == cSetupData());
    std::u16string users;
    for (const auto& u : collection.Users().Merged())
        users += u->m_UserName + u"|" + u->m_FullName + u"|" + u->m_Description + u"|" + u->m_Domain + u"\n";
    EXPECT_EQ(users, u"asmith|Ann Smith|Finance|CORP\nJDoe|John Doe|Sales|CORP\njdoe|John Doe (lab)||LAB\n");
}

TEST_F(ArchiveTest, DamagedFilesFailWithTheirOwnTextAndLeaveNothingBehind) {
    const struct {
        const char* file;
        const char16_t* text;
    } cases[] = {
        {"bad_truncated.cfg", u"An attempt was made to access orvik.cfg past its end."},
        {"bad_huge_count.cfg", u"An attempt was made to access orvik.cfg past its end."},
        {"bad_huge_string.cfg", u"An attempt was made to access orvik.cfg past its end."},
        {"bad_wrong_class.cfg", u"orvik.cfg contained an unexpected object."},
        {"bad_null_object.cfg", u"orvik.cfg contained an unexpected object."},
        {"bad_unknown_class_index.cfg", u"orvik.cfg has a bad format."},
    };
    const auto defaults = Save();  // no controllers, no users, default settings and sort choices
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        ASSERT_EQ(Load(ReadGolden("two_dcs_three_users.cfg")), 0);
        collection.Settings().m_MaxThreads = 77;
        collection.Settings().m_SummaryFile = u"kept.txt";
        EXPECT_EQ(Load(ReadGolden(c.file)), -1);
        EXPECT_EQ(failure, c.text);
        EXPECT_EQ(list.GetRowCount(), 0);
        EXPECT_EQ(Save(), defaults);
        EXPECT_EQ(collection.Settings().m_SummaryFile, u"kept.txt");
    }
}

// A file no save writes: one controller under two spellings (the first is
// kept; each controller has its row of the list, in the file's order) and users neither ordered nor unique (merged,
// the newest logons first, as the direction is not kept). The summary file,
// which no file holds, stays.
TEST_F(ArchiveTest, AControllerTwiceAndUsersOutOfMergeOrderAreMergedOnLoad) {
    collection.Settings().m_SummaryFile = u"kept.txt";
    cMemorySink sink;
    cArchiveWriter ar(sink);
    ar.WriteCount(3);
    for (const char16_t* name : {u"CORP-DC1", u"corp-dc1", u"DC2"}) {
        ar.WriteObjectClass(cDomainController::kClassName, cDomainController::kSchema);
        cDomainController(name).Serialize(ar);
    }
    cSetupData().Serialize(ar);
    ar.WriteCount(3);
    for (auto [name, logon] : {std::pair{u"zed", 5u}, {u"amy", 1u}, {u"ZED", 9u}}) {
        ar.WriteObjectClass(cUserInfo::kClassName, cUserInfo::kSchema);
        test::MakeUser(name, logon)->Serialize(ar);
    }
    for (int i = 0; i < 3; ++i) ar.WriteU32(i == 1 ? 1 : 0);
    ASSERT_TRUE(ar.Finish());
    ASSERT_EQ(Load(sink.Bytes()), 0);
    ASSERT_EQ(list.GetRowCount(), 2);
    EXPECT_EQ(list.GetItemData(1), collection.Controllers().at(1).get());
    EXPECT_EQ(list.GetCellText(0, 0), u"CORP-DC1");
    EXPECT_EQ(list.GetCellText(1, 0), u"DC2");
    EXPECT_EQ(collection.Settings().m_SummaryFile, u"kept.txt");
    EXPECT_FALSE(collection.Users().IsAscending());
    const auto& users = collection.Users().Merged();
    ASSERT_EQ(users.size(), 2u);
    EXPECT_EQ(users[0]->m_UserName, u"amy");
    EXPECT_EQ(users[1]->m_UserName, u"zed");
    EXPECT_EQ(users[1]->m_LastLogon, 9u);
}

}  // namespace
}  // namespace orvik
