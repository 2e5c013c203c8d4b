#include "settings/cSetupData.h"

#include "settings/Vendor.h"

namespace orvik {

cSetupData::cSetupData()
    : m_AutoRefresh(1),
      m_RefreshPeriod(10),
      m_ExportFile(u"Ambrel.txt"),
      m_ExportFormat(u"%USER_NAME%,%LAST_LOGON_TIME%,%FULL_NAME%,%DESCRIPTION%"),
      m_SummaryFile(u"LastLogonSummary.txt"),
      m_DefaultDomains(),
      m_UsersShown(kDefaultUsersShown),
      m_BufferSize(1000),
      m_MaxThreads(4),
      m_HeaderRight(u"Ambrel data"),
      m_HeaderLeft(kVendorWebAddress),
      m_FooterRight(u"Page %PAGENUMBER%"),
      m_FooterLeft(u"%DATE% - %TIME%"),
      m_RegularFont(u"-11,0,0,0,400,0,0,0,0,3,2,1,34,Arial"),
      m_HeaderFooterFont(u"-11,0,0,0,400,255,0,0,0,3,2,1,34,Arial"),
      m_StrongFont(u"-11,0,0,0,700,0,0,0,0,3,2,1,34,Arial") {}

void cSetupData::CopyFrom(const cSetupData& other) {
    if (this == &other) return;
    m_AutoRefresh = other.m_AutoRefresh;
    m_RefreshPeriod = other.m_RefreshPeriod;
    m_ExportFile = other.m_ExportFile;
    m_ExportFormat = other.m_ExportFormat;
    m_SummaryFile = other.m_SummaryFile;
    m_DefaultDomains = other.m_DefaultDomains;
    m_UsersShown = other.m_UsersShown;
    m_BufferSize = other.m_BufferSize;
    m_MaxThreads = other.m_MaxThreads;
    m_HeaderRight = other.m_HeaderRight;
    m_HeaderLeft = other.m_HeaderLeft;
    m_FooterRight = other.m_FooterRight;
    m_FooterLeft = other.m_FooterLeft;
    m_RegularFont = other.m_RegularFont;
    m_HeaderFooterFont = other.m_HeaderFooterFont;
    m_StrongFont = other.m_StrongFont;
}

}  // namespace orvik
