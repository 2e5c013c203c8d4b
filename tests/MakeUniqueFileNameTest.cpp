#include "output/MakeUniqueFileName.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/SystemFileSystem.h"
#include "support/TempFolder.h"

namespace orvik {
namespace {

TEST(UniqueFileName, SkipsNamesThatAreTaken) {
    const struct {
        std::vector<const char*> taken;
        const char *path, *unique;
    } cases[] = {
        {{"Ambrel.txt", "Ambrel1.txt"}, "Ambrel.txt", "Ambrel2.txt"},
        {{"out-7.csv"}, "out-7.csv", "out-8.csv"},
        {{"run99999999999999999999.txt"}, "run99999999999999999999.txt", "run100000000000000000000.txt"},
        {{"2024.txt"}, "2024.txt", "20241.txt"},  // a name of digits only gets a number
        {{}, "free.txt", "free.txt"},
        {{"a.b.txt"}, "a.b.txt", "a.b1.txt"},              // the extension starts at the last dot
        {{".profile"}, ".profile", "1.profile"},           // even when that is the first character
        {{"v1.2/report"}, "v1.2/report", "v1.2/report1"},  // and belongs to the last name only
    };
    test::TempFolder folder;
    iFileSystem& files = SystemFileSystem();
    for (const auto& c : cases) {
        for (const char* name : c.taken) {
            std::filesystem::create_directories(std::filesystem::path(folder.File(name)).parent_path());
            std::ofstream(folder.File(name)) << "x";
        }
        std::string path = folder.File(c.path);
        EXPECT_EQ(MakeUniqueFileName(path, files), 0);
        EXPECT_EQ(path, folder.File(c.unique));
    }
    std::string empty;
    EXPECT_EQ(MakeUniqueFileName(empty, files), -1);
}

}  // namespace
}  // namespace orvik
