#include "output/MakeUniqueFileName.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/SystemFileSystem.h"
#include "support/TempFolder.h"

namespace orvik {
namespace {

TEST(UniqueFileName, NextStemCountsTheTrailingNumberUp) {
    EXPECT_EQ(NextStem("Ambrel"), "Ambrel1");
    EXPECT_EQ(NextStem("Ambrel1"), "Ambrel2");
    EXPECT_EQ(NextStem("data2006"), "data2007");
    EXPECT_EQ(NextStem("log009"), "log10");
    EXPECT_EQ(NextStem("x99"), "x100");
    EXPECT_EQ(NextStem("2024"), "20241");
    EXPECT_EQ(NextStem(""), "1");
    EXPECT_EQ(NextStem("run99999999999999999999999"), "run100000000000000000000000");
}

TEST(UniqueFileName, SkipsNamesThatAreTaken) {
    test::TempFolder folder;
    iFileSystem& files = SystemFileSystem();
    std::ofstream(folder.File("Ambrel.txt")) << "x";
    std::ofstream(folder.File("Ambrel1.txt")) << "x";
    std::string path = folder.File("Ambrel.txt");
    EXPECT_EQ(MakeUniqueFileName(path, files), 0);
    EXPECT_EQ(path, folder.File("Ambrel2.txt"));

    std::ofstream(folder.File("out-7.csv")) << "x";
    path = folder.File("out-7.csv");
    MakeUniqueFileName(path, files);
    EXPECT_EQ(path, folder.File("out-8.csv"));

    path = folder.File("free.txt");
    MakeUniqueFileName(path, files);
    EXPECT_EQ(path, folder.File("free.txt"));

    std::filesystem::create_directory(folder.File("v1.2"));  // the extension is the last name's only
    std::ofstream(folder.File("v1.2/report")) << "x";
    path = folder.File("v1.2/report");
    MakeUniqueFileName(path, files);
    EXPECT_EQ(path, folder.File("v1.2/report1"));

    std::string empty;
    EXPECT_EQ(MakeUniqueFileName(empty, files), -1);
}

}  // namespace
}  // namespace orvik
