#pragma once
// One user account as a controller reported it, and later the merged record
// of that user across every controller.

#include <cstdint>
#include <string>
#include <string_view>

namespace orvik {

struct UserInfo2;
class cArchiveReader;
class cArchiveWriter;

// Columns of the user list, also the display sort columns.
enum eUserColumn : int {
    kColUserName = 0,
    kColLastLogon = 1,
    kColFullName = 2,
    kColDescription = 3,
    kColDomain = 4,
};

class cUserInfo {
public:
    cUserInfo() = default;
    cUserInfo(std::u16string domain, const UserInfo2& entry);
    cUserInfo(std::u16string userName, std::u16string fullName, std::u16string description, std::u16string domain,
              std::uint32_t lastLogon);

    // The merge key: domain case-sensitively, then user name ignoring case.
    int CompareKey(const cUserInfo& other) const noexcept;
    bool SameKey(const cUserInfo& other) const noexcept;

    // The display order under a user list column; the user name breaks ties
    // of the other columns. A column outside 0 to 4 (only from a damaged
    // configuration file) orders like the last logon, the default column.
    int Compare(const cUserInfo& other, int column, bool ascending) const noexcept;

    // True when the user name, full name or description contains the filter,
    // letters A to Z in either case. An empty filter matches every record.
    bool Matches(std::u16string_view filter) const noexcept;

    static constexpr char kClassName[] = "cUserInfo";
    static constexpr std::uint16_t kSchema = 2;
    void Serialize(cArchiveWriter& ar) const;
    // Schema 1 records carry no domain; it stays empty.
    void Serialize(cArchiveReader& ar, std::uint16_t schema);

    std::u16string m_UserName;
    std::u16string m_FullName;
    std::u16string m_Description;
    std::u16string m_Domain;
    std::uint32_t m_LastLogon = 0;
};

}  // namespace orvik
