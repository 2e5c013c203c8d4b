#include "settings/cSetupData.h"

#include <gtest/gtest.h>

#include "base/Vendor.h"

namespace orvik {
namespace {

TEST(SetupData, HoldsEveryDefaultCharacterForCharacter) {
    const cSetupData s;
    EXPECT_EQ(s.m_AutoRefresh, 1);
    EXPECT_EQ(s.m_RefreshPeriod, 10);
    EXPECT_EQ(s.m_ExportFile, u"Ambrel.txt");
    EXPECT_EQ(s.m_ExportFormat, u"%USER_NAME%,%LAST_LOGON_TIME%,%FULL_NAME%,%DESCRIPTION%");
    EXPECT_EQ(s.m_SummaryFile, u"LastLogonSummary.txt");
    EXPECT_EQ(s.m_DefaultDomains, u"");
    EXPECT_EQ(s.m_UsersShown, 500);
    EXPECT_EQ(s.m_BufferSize, 1000);
    EXPECT_EQ(s.m_MaxThreads, 4);
    EXPECT_EQ(s.m_HeaderRight, u"Ambrel data");
    EXPECT_EQ(s.m_HeaderLeft, kVendorWebAddress);
    EXPECT_EQ(s.m_FooterRight, u"Page %PAGENUMBER%");
    EXPECT_EQ(s.m_FooterLeft, u"%DATE% - %TIME%");
    EXPECT_EQ(s.m_RegularFont, u"-11,0,0,0,400,0,0,0,0,3,2,1,34,Arial");
    EXPECT_EQ(s.m_HeaderFooterFont, u"-11,0,0,0,400,255,0,0,0,3,2,1,34,Arial");
    EXPECT_EQ(s.m_StrongFont, u"-11,0,0,0,700,0,0,0,0,3,2,1,34,Arial");
}

TEST(SetupData, UsersShownBelowOneFallsBackToTheDefault) {
    for (auto [stored, shown] : {std::pair{0, 500}, {-7, 500}, {1, 1}, {32767, 32767}})
        EXPECT_EQ(UsersShownLimit(stored), shown) << stored;
}

}  // namespace
}  // namespace orvik
