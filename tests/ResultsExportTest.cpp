// The export file and the summary block, byte for byte against golden files,
// and every way writing them can fail.

#include "output/ResultsExport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "base/TextCompare.h"
#include "engine/cCollectionJob.h"
#include "engine/cDomainController.h"
#include "engine/cMemoryListView.h"
#include "engine/cUserInfoTable.h"
#include "platform/SystemFileSystem.h"
#include "settings/cSetupData.h"
#include "support/FlakyFileSystem.h"
#include "support/GoldenFile.h"
#include "support/RecordingMessages.h"
#include "support/ScopedTimeZone.h"
#include "support/TempFolder.h"
#include "support/UserFactory.h"

namespace orvik {
namespace {

using test::ReadFile;

class ExportTest : public testing::Test {
protected:
    ExportTest() {
        users.MergeBatch(
            test::Batch(test::MakeUser(u"jdoe", 4294967295u, u"CORP", u"John Doe", u"Sales, EMEA"),
                        test::MakeUser(u"Ren\u00e9", 981209109, u"CORP", u"%DESCRIPTION% owner", u"IT"),
                        test::MakeUser(u"zhang", 0, u"LAB", u"\u5f20\u4f1f",
                                       // where code page 1252 is not Latin-1
                                       u"\u20ac \u2018\u2019\u201c\u201d \u0080\u0081\u009f\u0178\u00ff\u0100")));
        users.Sort();
        setup.m_ExportFile = FromUtf8(folder.File("Ambrel.txt"));
        setup.m_SummaryFile = FromUtf8(folder.File("LastLogonSummary.txt"));
        AddController(u"DC1", kJobFinished, 2, 981209109, 981209169);
        AddController(u"a-very-long-controller-name.corp.example", kJobRunning, 1, 981209109, 981209110);
        AddController(u"DC-NEVER", kJobNew, 0, 0, 0);
    }
    void AddController(const std::u16string& name, std::int32_t state, std::int32_t count, tTimeValue start,
                       tTimeValue last) {
        controllers.push_back(std::make_unique<cDomainController>(name));
        const int row = list.InsertRow(list.GetRowCount(), name, 0);
        list.SetItemData(row, controllers.back().get());
        cCollectionJob job(name, 1024);
        job.state = state;
        job.userCount = count;
        job.startTime = start;
        job.lastCallTime = last;
        if (state != kJobNew) controllers.back()->UpdateFromJob(job);
    }
    int Export(iFileSystem& files) {
        outcome = ExportResults(users, setup, list, files, 981212709, &messages);
        used = outcome ? outcome->exportFile : "";
        return ExportFailure(outcome) == nullptr ? 0 : -1;
    }
    std::string SummaryPath() const { return folder.File("LastLogonSummary.txt"); }

    test::ScopedTimeZone tz{"UTC0"};
    test::TempFolder folder;
    cUserInfoTable users;
    cSetupData setup;
    cMemoryListView list;
    std::vector<std::unique_ptr<cDomainController>> controllers;
    test::RecordingMessages messages;
    iFileSystem& files = SystemFileSystem();
    std::string used;
    tResult<cExportOutcome> outcome = cExportOutcome{};
};

// One line per user in display order, ending in CR LF; a variable's name in another case stays literal.
// Every export goes to a new file, which the summary names, and the setting stays.
TEST_F(ExportTest, EachFormatWritesOneLinePerUserToANewFile) {
    ASSERT_EQ(Export(files), 0);
    EXPECT_EQ(used, folder.File("Ambrel.txt"));
    EXPECT_TRUE(test::MatchesGolden(ReadFile(used), "export_default.txt"));
    setup.m_ExportFormat =
        u"%DOMAIN%|%USER_NAME%|%FULL_NAME%|%LAST_LOGON_TIME%|%LAST_LOGON_TIME_NUMBER_VALUE%|%DESCRIPTION%|%Domain%";
    ASSERT_EQ(Export(files), 0);
    EXPECT_TRUE(test::MatchesGolden(ReadFile(used), "export_all_variables.txt"));
    EXPECT_EQ(used, folder.File("Ambrel1.txt"));
    EXPECT_EQ(setup.m_ExportFile, FromUtf8(folder.File("Ambrel.txt")));
    const auto summary = ReadFile(SummaryPath());
    EXPECT_NE(std::string(summary.begin(), summary.end()).find("text file: " + used + ".\r\n"), std::string::npos);
    setup.m_ExportFormat = u"";
    ASSERT_EQ(Export(files), 0);
    EXPECT_EQ(ReadFile(used), (std::vector<std::uint8_t>{'\r', '\n', '\r', '\n', '\r', '\n'}));
}

TEST_F(ExportTest, AnEmptyTableGivesAnEmptyFileAndStillASummary) {
    users.Clear();
    users.Sort();
    ASSERT_EQ(Export(files), 0);
    EXPECT_TRUE(ReadFile(used).empty());
    EXPECT_FALSE(ReadFile(SummaryPath()).empty());
    std::filesystem::remove(SummaryPath());
    setup.m_SummaryFile.clear();  // no summary file name: no summary
    ASSERT_EQ(Export(files), 0);
    EXPECT_FALSE(std::filesystem::exists(SummaryPath()));
}

// An empty export file name is said; a file that cannot be made is not (the caller says it); neither writes a summary.
TEST_F(ExportTest, AnExportFileThatIsNotWrittenGetsNoSummary) {
    test::FlakyFileSystem flaky;
    flaky.refused = folder.File("Ambrel.txt");
    EXPECT_EQ(Export(flaky), -1);
    EXPECT_TRUE(messages.texts.empty());
    setup.m_ExportFile.clear();
    EXPECT_EQ(Export(files), -1);
    EXPECT_EQ(messages.texts, std::vector<std::u16string>{u"Export file name not specified."});
    EXPECT_EQ(messages.captions[0], u"Export error");
    EXPECT_FALSE(std::filesystem::exists(SummaryPath()));
}

TEST_F(ExportTest, AFailedWriteKeepsTheWholeLinesWrittenSoFarAndWritesNoSummary) {
    auto batch = std::make_unique<cUserInfoBatch>();  // lines for more than one 64 KiB buffer
    for (int i = 0; i < 2000; ++i)
        batch->Append(test::MakeUser(u"u" + FormatLong(i), 1, u"D", std::u16string(50, 'x')));
    users.MergeBatch(std::move(batch));
    users.Sort();
    const std::string name = folder.File("Ambrel.txt");
    setup.m_SummaryFile.clear();
    ASSERT_EQ(Export(files), 0);
    const auto complete = ReadFile(name);
    setup.m_SummaryFile = FromUtf8(SummaryPath());
    // Within the first line and the first buffer, and after the first buffer reached the disk.
    for (std::size_t allows : {std::size_t{0}, std::size_t{20}, std::size_t{100000}, complete.size() - 1}) {
        SCOPED_TRACE(allows);
        std::filesystem::remove(name);
        test::FlakyFileSystem flaky;
        flaky.createAllows = allows;
        EXPECT_EQ(Export(flaky), -1);
        // The lines that reached the disk whole (none: npos + 1 is 0), and not a byte of the next one.
        const std::size_t whole = std::string(complete.begin(), complete.begin() + allows).rfind('\n') + 1;
        EXPECT_EQ(used, "");  // the name of a complete export only
        ASSERT_FALSE(outcome);
        EXPECT_EQ(outcome.error().path, name);
        EXPECT_EQ(outcome.error().reason, std::errc::no_space_on_device);
        EXPECT_TRUE(ReadFile(name) == std::vector<std::uint8_t>(complete.begin(), complete.begin() + whole));
        EXPECT_FALSE(std::filesystem::exists(SummaryPath()));
    }
}

// The block pads its columns and names the statuses; a block that cannot be
// written whole leaves the file as it was, and the next block follows the earlier ones.
TEST_F(ExportTest, ASummaryBlockIsWrittenWholeOrNotAtAll) {
    test::FlakyFileSystem flaky;
    flaky.refused = SummaryPath();
    EXPECT_EQ(Export(flaky), -1);
    EXPECT_TRUE(test::MatchesGolden(ReadFile(used), "export_default.txt"));

    ASSERT_TRUE(WriteSummaryBlock(files, SummaryPath(), u"Ambrel.txt", list, 981212709));
    for (std::size_t allows : {std::size_t{10}, std::size_t{100}}) {  // within and after the first line
        test::FlakyFileSystem partial;
        partial.appendAllows = allows;
        EXPECT_EQ(Export(partial), -1);
        EXPECT_TRUE(test::MatchesGolden(ReadFile(SummaryPath()), "summary_block.txt"));
    }
    ASSERT_TRUE(WriteSummaryBlock(files, SummaryPath(), u"Ambrel.txt", list, 981212709));
    auto twice = test::ReadGolden("summary_block.txt");
    const auto once = twice;
    twice.insert(twice.end(), once.begin(), once.end());
    EXPECT_EQ(ReadFile(SummaryPath()), twice);
}

TEST_F(ExportTest, ALineBreakInsideAValueKeepsTheUserOnOneLine) {
    users.MergeBatch(test::Batch(test::MakeUser(u"multi", 5, u"CORP", u"Jo\r\nSmith", u"first\nsecond")));
    users.Sort();
    setup.m_ExportFormat = u"%USER_NAME%;%FULL_NAME%;%DESCRIPTION%";
    ASSERT_EQ(Export(files), 0);
    const auto bytes = ReadFile(used);
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4);
    EXPECT_NE(text.find("multi;Jo  Smith;first second\r\n"), std::string::npos) << text;
}

#ifndef _WIN32  // a link: POSIX only (a pipe in its place: BatchTest.OutputThatCouldNotBeWrittenIsSaidSo)
TEST_F(ExportTest, ALinkInTheSummarysPlaceIsNeverWritten) {
    const std::string target = folder.File("root-only.txt");
    std::filesystem::create_symlink(target, SummaryPath());
    EXPECT_EQ(Export(files), -1);
    EXPECT_FALSE(std::filesystem::exists(target));
}
#endif

TEST_F(ExportTest, ACharacterWithoutAByteIsWrittenAsAQuestionMarkInAWholeBlock) {
    const struct {
        std::u16string exportFile, controller;
        std::string shown;
    } cases[] = {
        {u"\u00dcbersicht-\u0141\u00f3d\u017a.txt", u"DC1", "file: \334bersicht-?\363d?.txt.\r\n"},
        {u"Ambrel.txt", u"\u0414\u041a1", ",??1" + std::string(13, ' ') + ","},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(SummaryPath());
        controllers[0] = std::make_unique<cDomainController>(c.controller);
        list.SetItemData(0, controllers[0].get());
        EXPECT_FALSE(WriteSummaryBlock(files, SummaryPath(), c.exportFile, list, 981212709));
        const auto bytes = ReadFile(SummaryPath());
        const std::string text(bytes.begin(), bytes.end());
        EXPECT_NE(text.find(c.shown), std::string::npos) << text;
        EXPECT_EQ(text.substr(text.size() - 4), "\r\n\r\n");
    }
}

}  // namespace
}  // namespace orvik
