#include "settings/cSetupData.h"

#include "base/Vendor.h"
#include "settings/cArchiveReader.h"
#include "settings/cArchiveWriter.h"

namespace orvik {

cSetupData::cSetupData()
    : m_AutoRefresh(1),
      m_RefreshPeriod(10),
      m_ExportFile(std::u16string(kProductName) + u".txt"),
      m_ExportFormat(u"%USER_NAME%,%LAST_LOGON_TIME%,%FULL_NAME%,%DESCRIPTION%"),
      m_SummaryFile(u"LastLogonSummary.txt"),
      m_DefaultDomains(),
      m_UsersShown(kDefaultUsersShown),
      m_BufferSize(1000),
      m_MaxThreads(4),
      m_HeaderRight(std::u16string(kProductName) + u" data"),
      m_HeaderLeft(kVendorWebAddress),
      m_FooterRight(u"Page %PAGENUMBER%"),
      m_FooterLeft(u"%DATE% - %TIME%"),
      m_RegularFont(u"-11,0,0,0,400,0,0,0,0,3,2,1,34,Arial"),
      m_HeaderFooterFont(u"-11,0,0,0,400,255,0,0,0,3,2,1,34,Arial"),
      m_StrongFont(u"-11,0,0,0,700,0,0,0,0,3,2,1,34,Arial") {}

void cSetupData::CopyFrom(const cSetupData& other) { *this = other; }

void cSetupData::Serialize(cArchiveWriter& ar) const {
    ar.WriteString(m_DefaultDomains);
    ar.WriteString(m_ExportFile);
    ar.WriteString(m_ExportFormat);
    ar.WriteI32(m_UsersShown);
    ar.WriteI32(m_BufferSize);
    ar.WriteI32(m_MaxThreads);
    ar.WriteI32(m_AutoRefresh);
    ar.WriteI32(m_RefreshPeriod);
    ar.WriteString(m_HeaderRight);
    ar.WriteString(m_HeaderLeft);
    ar.WriteString(m_FooterRight);
    ar.WriteString(m_FooterLeft);
    ar.WriteString(m_RegularFont);
    ar.WriteString(m_HeaderFooterFont);
    ar.WriteString(m_StrongFont);
}

void cSetupData::Serialize(cArchiveReader& ar) {
    m_DefaultDomains = ar.ReadString();
    m_ExportFile = ar.ReadString();
    m_ExportFormat = ar.ReadString();
    m_UsersShown = ar.ReadI32();
    m_BufferSize = ar.ReadI32();
    m_MaxThreads = ar.ReadI32();
    m_AutoRefresh = ar.ReadI32();
    m_RefreshPeriod = ar.ReadI32();
    m_HeaderRight = ar.ReadString();
    m_HeaderLeft = ar.ReadString();
    m_FooterRight = ar.ReadString();
    m_FooterLeft = ar.ReadString();
    m_RegularFont = ar.ReadString();
    m_HeaderFooterFont = ar.ReadString();
    m_StrongFont = ar.ReadString();
}

}  // namespace orvik
