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

cSetupData Changed() {
    cSetupData s;
    s.m_AutoRefresh = 0;
    s.m_RefreshPeriod = 1800;
    s.m_ExportFile = u"e";
    s.m_ExportFormat = u"f";
    s.m_SummaryFile = u"s";
    s.m_DefaultDomains = u"A,B";
    s.m_UsersShown = 32767;
    s.m_BufferSize = 10;
    s.m_MaxThreads = 1000;
    s.m_HeaderRight = u"hr";
    s.m_HeaderLeft = u"hl";
    s.m_FooterRight = u"fr";
    s.m_FooterLeft = u"fl";
    s.m_RegularFont = u"r";
    s.m_HeaderFooterFont = u"h";
    s.m_StrongFont = u"b";
    return s;
}

bool SameFields(const cSetupData& a, const cSetupData& b) {
    return a.m_AutoRefresh == b.m_AutoRefresh && a.m_RefreshPeriod == b.m_RefreshPeriod &&
           a.m_ExportFile == b.m_ExportFile && a.m_ExportFormat == b.m_ExportFormat &&
           a.m_SummaryFile == b.m_SummaryFile && a.m_DefaultDomains == b.m_DefaultDomains &&
           a.m_UsersShown == b.m_UsersShown && a.m_BufferSize == b.m_BufferSize && a.m_MaxThreads == b.m_MaxThreads &&
           a.m_HeaderRight == b.m_HeaderRight && a.m_HeaderLeft == b.m_HeaderLeft &&
           a.m_FooterRight == b.m_FooterRight && a.m_FooterLeft == b.m_FooterLeft &&
           a.m_RegularFont == b.m_RegularFont && a.m_HeaderFooterFont == b.m_HeaderFooterFont &&
           a.m_StrongFont == b.m_StrongFont;
}

TEST(SetupData, CopyFromCopiesAllSixteenFieldsIncludingTheSummaryFile) {
    const cSetupData source = Changed();
    cSetupData target;
    target.CopyFrom(source);
    EXPECT_TRUE(SameFields(target, source));
    EXPECT_EQ(target.m_SummaryFile, u"s");
}

TEST(SetupData, UsersShownBelowOneFallsBackToTheDefault) {
    EXPECT_EQ(UsersShownLimit(0), 500);
    EXPECT_EQ(UsersShownLimit(-7), 500);
    EXPECT_EQ(UsersShownLimit(1), 1);
    EXPECT_EQ(UsersShownLimit(32767), 32767);
}

}  // namespace
}  // namespace orvik
