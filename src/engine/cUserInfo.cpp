#include "engine/cUserInfo.h"

#include "base/TextCompare.h"
#include "platform/UserInfo2.h"
#include "settings/cArchiveReader.h"
#include "settings/cArchiveWriter.h"

namespace orvik {

cUserInfo::cUserInfo(std::u16string domain, const UserInfo2& entry)
    : m_UserName(entry.name),
      m_FullName(entry.fullName),
      m_Description(entry.comment),
      m_Domain(std::move(domain)),
      m_LastLogon(entry.lastLogon) {}

cUserInfo::cUserInfo(std::u16string userName, std::u16string fullName, std::u16string description,
                     std::u16string domain, std::uint32_t lastLogon)
    : m_UserName(std::move(userName)),
      m_FullName(std::move(fullName)),
      m_Description(std::move(description)),
      m_Domain(std::move(domain)),
      m_LastLogon(lastLogon) {}

int cUserInfo::CompareKey(const cUserInfo& other) const noexcept {
    const int r = CompareExact(m_Domain, other.m_Domain);
    return r != 0 ? r : CompareNoCase(m_UserName, other.m_UserName);
}

bool cUserInfo::SameKey(const cUserInfo& other) const noexcept {
    return m_Domain == other.m_Domain && EqualNoCase(m_UserName, other.m_UserName);
}

int cUserInfo::Compare(const cUserInfo& other, int column, bool ascending) const noexcept {
    int r = 0;
    switch (column) {
        case kColUserName: break;
        case kColFullName: r = CompareNoCase(m_FullName, other.m_FullName); break;
        case kColDescription: r = CompareNoCase(m_Description, other.m_Description); break;
        case kColDomain: r = CompareNoCase(m_Domain, other.m_Domain); break;
        default:  // kColLastLogon, and any unknown column
            r = m_LastLogon < other.m_LastLogon ? -1 : (m_LastLogon > other.m_LastLogon ? 1 : 0);
            break;
    }
    if (r == 0) r = CompareNoCase(m_UserName, other.m_UserName);
    return ascending ? r : -r;
}

bool cUserInfo::Matches(std::u16string_view filter) const noexcept {
    if (filter.empty()) return true;
    return ContainsNoCase(m_UserName, filter) || ContainsNoCase(m_FullName, filter) ||
           ContainsNoCase(m_Description, filter);
}

void cUserInfo::Serialize(cArchiveWriter& ar) const {
    ar.WriteString(m_UserName);
    ar.WriteString(m_FullName);
    ar.WriteString(m_Description);
    ar.WriteU32(m_LastLogon);
    ar.WriteString(m_Domain);
}

void cUserInfo::Serialize(cArchiveReader& ar, std::uint16_t schema) {
    m_UserName = ar.ReadString();
    m_FullName = ar.ReadString();
    m_Description = ar.ReadString();
    m_LastLogon = ar.ReadU32();
    if (schema == 1)
        m_Domain.clear();
    else
        m_Domain = ar.ReadString();
}

}  // namespace orvik
