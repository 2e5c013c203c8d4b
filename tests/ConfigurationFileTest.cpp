// Saving and loading the configuration file on disk: a save never loses the
// file that was there, the file is private to its owner, and a missing file
// is a quiet first start.

#include "settings/ConfigurationFile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "base/TextCompare.h"
#include "engine/cDomainControllerCollection.h"
#include "engine/cMemoryListView.h"
#include "engine/cUserDataCollector.h"
#include "platform/cSimulatedDirectory.h"
#include "support/FlakyFileSystem.h"
#include "support/GoldenFile.h"
#include "support/TempFolder.h"
#include "support/TestClock.h"
#include "support/UserFactory.h"

namespace orvik {
namespace {

class ConfigFileTest : public testing::Test {
protected:
    ConfigFileTest() { collection.SetConfigPath(path); }

    cSimulatedDirectory directory{{}};
    test::TestClock clock;
    cUserDataCollector collector{directory, clock};
    test::FlakyFileSystem files;
    cDomainControllerCollection collection{collector, clock, files};
    cMemoryListView list;
    test::TempFolder folder;
    const std::string path = folder.File("orvik.cfg");
};

TEST_F(ConfigFileTest, AMissingFileIsAQuietFirstStart) {
    collection.AddDomainController(list, u"DC1");
    const tResult<bool> loaded = collection.LoadConfiguration(list);
    ASSERT_TRUE(loaded);
    EXPECT_FALSE(*loaded);
    EXPECT_TRUE(collection.Controllers().empty());
    EXPECT_EQ(list.GetRowCount(), 0);
}

#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
// A file too large for the memory the process may have gives default
// settings and a message, never an ended program.
TEST_F(ConfigFileTest, AFileTooLargeForMemoryIsReported) {
    std::filesystem::resize_file((std::ofstream(path), path), std::uintmax_t{4} << 30);  // sparse: no disk used
    auto loadWithLittleMemory = [&] {
        rlimit limit{};
        limit.rlim_cur = limit.rlim_max = std::size_t{1} << 31;
        ::setrlimit(RLIMIT_AS, &limit);
        const tResult<bool> loaded = collection.LoadConfiguration(list);
        const bool said = !loaded && LoadFailureText(loaded.error()) ==
                                         u"There is not enough memory to read " + FromUtf8(path) + u".";
        std::exit(said && collection.KeepAsidePath() == path + ".unread" ? 7 : 1);
    };
    EXPECT_EXIT(loadWithLittleMemory(), testing::ExitedWithCode(7), "");
}
#endif

TEST_F(ConfigFileTest, ADamagedFileIsReportedAndKeptAsideAtTheNextSave) {
    const auto bad = test::ReadGolden("bad_truncated.cfg");
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bad.data()), static_cast<std::streamsize>(bad.size()));
    const tResult<bool> loaded = collection.LoadConfiguration(list);
    ASSERT_FALSE(loaded);
    EXPECT_EQ(collection.KeepAsidePath(), path + ".damaged");
    ASSERT_TRUE(collection.SaveConfiguration());
    EXPECT_EQ(test::ReadFile(path + ".damaged"), bad);
    ASSERT_TRUE(collection.SaveConfiguration());  // once only: the saved file is ours
    EXPECT_EQ(test::ReadFile(path + ".damaged"), bad);
}

TEST_F(ConfigFileTest, ALinkedFileIsSavedWhereItPointsAndStaysALink) {
    const std::string target = folder.File("real.cfg");
    std::filesystem::create_symlink("real.cfg", path);
    collection.Settings().m_MaxThreads = 9;
    ASSERT_TRUE(collection.SaveConfiguration());
    EXPECT_TRUE(std::filesystem::is_symlink(path));
    EXPECT_EQ(collection.LoadConfiguration(list), true);
    EXPECT_EQ(collection.Settings().m_MaxThreads, 9);
    EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(target)));
}

TEST_F(ConfigFileTest, AFolderOrAPipeInTheFilesPlaceIsReportedWithoutWaiting) {
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    for (auto [place, reason] : {std::pair{folder.Path(), u"Is a directory"}, {path, u"Invalid argument"}}) {
        collection.SetConfigPath(place);
        const tResult<bool> loaded = collection.LoadConfiguration(list);
        ASSERT_FALSE(loaded);
        EXPECT_EQ(LoadFailureText(loaded.error()), FromUtf8(place) + u" could not be opened. (" + reason + u")");
    }
}

TEST_F(ConfigFileTest, TemporaryFilesOfAProcessThatIsGoneAreRemovedAtTheNextSave) {
    const std::string stale = path + ".tmp999999999.Ab12Cd", live = path + ".tmp" + std::to_string(::getpid()) + ".x";
    std::ofstream(stale) << "half";
    std::ofstream(live) << "in progress";
    ASSERT_TRUE(collection.SaveConfiguration());
    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_TRUE(std::filesystem::exists(live));
}

TEST_F(ConfigFileTest, ASaveThatFailsPartWayKeepsTheOldFile) {
    collection.AddDomainController(list, u"OLD");
    ASSERT_TRUE(collection.SaveConfiguration());
    const auto before = test::ReadFile(path);

    collection.AddDomainController(list, u"NEW");
    auto users = std::make_unique<cUserInfoBatch>();
    for (int i = 0; i < 5000; ++i) users->Append(test::MakeUser(u"user" + FormatLong(i), 1));
    collection.Users().MergeBatch(std::move(users));
    for (std::size_t allowed : {std::size_t{0}, std::size_t{1}, std::size_t{100}, std::size_t{70000}}) {
        SCOPED_TRACE(allowed);
        files.replaceAllows = allowed;
        EXPECT_FALSE(collection.SaveConfiguration());
        EXPECT_EQ(test::ReadFile(path), before);
        // No temporary file left behind.
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
    }
}

TEST_F(ConfigFileTest, TheDefaultFolderIsCreatedOnFirstSave) {
    const std::string made = folder.File("home/.config/orvik/orvik.cfg");
    collection.SetConfigPath(made, true);
    ASSERT_TRUE(collection.SaveConfiguration());
    struct stat st {};
    ASSERT_EQ(::stat(folder.File("home/.config/orvik").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    ASSERT_EQ(::stat(made.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);  // the file is its owner's only
    // A given path's folder is not made up, nor one where a file stands; an empty path is no file.
    std::ofstream(folder.File("not-a-folder")) << "x";
    for (const char* given : {"elsewhere/orvik.cfg", "not-a-folder/orvik.cfg", ""}) {
        collection.SetConfigPath(*given ? folder.File(given) : "");
        EXPECT_FALSE(collection.SaveConfiguration()) << given;
    }
}

TEST(ConfigPath, FollowsTheUsersConfigurationFolder) {
    const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
    const char* oldHome = std::getenv("HOME");
    const std::string xdg = oldXdg ? oldXdg : "", home = oldHome ? oldHome : "";
    ::setenv("XDG_CONFIG_HOME", "/x/cfg", 1);
    EXPECT_EQ(DefaultConfigPath(), "/x/cfg/orvik/orvik.cfg");
    ::setenv("XDG_CONFIG_HOME", "relative", 1);  // not absolute: ignored
    ::setenv("HOME", "/home/ann", 1);
    EXPECT_EQ(DefaultConfigPath(), "/home/ann/.config/orvik/orvik.cfg");
    ::unsetenv("XDG_CONFIG_HOME");
    ::unsetenv("HOME");
    EXPECT_EQ(DefaultConfigPath(), "orvik.cfg");
    if (oldXdg) ::setenv("XDG_CONFIG_HOME", xdg.c_str(), 1);
    if (oldHome) ::setenv("HOME", home.c_str(), 1);
}

}  // namespace
}  // namespace orvik
