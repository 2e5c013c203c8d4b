#pragma once
// Every setting the user can change, with its default. The record holds
// whatever values it is given; consumers apply the few safety rules below.

#include <cstdint>
#include <string>

namespace orvik {

class cArchiveReader;
class cArchiveWriter;

inline constexpr std::int32_t kDefaultUsersShown = 500;

// Rows shown in the user list and users printed for a "users shown" setting.
// A value of 0 or below can only come from a damaged configuration file; it
// shows the default number rather than nothing or everything.
constexpr std::int32_t UsersShownLimit(std::int32_t setting) noexcept {
    return setting > 0 ? setting : kDefaultUsersShown;
}

class cSetupData {
public:
    cSetupData();

    // Assigns every field, the summary file included (as plain assignment does).
    void CopyFrom(const cSetupData& other);
    bool operator==(const cSetupData&) const = default;

    // The stored fields inline, in the file's order; the summary file is not
    // stored and keeps its value when reading.
    void Serialize(cArchiveWriter& ar) const;
    void Serialize(cArchiveReader& ar);

    std::int32_t m_AutoRefresh;    // 1: refresh the user list while a collection runs
    std::int32_t m_RefreshPeriod;  // seconds between automatic refreshes
    std::u16string m_ExportFile;
    std::u16string m_ExportFormat;    // template of one export line
    std::u16string m_SummaryFile;     // empty: no summary; never stored in the configuration file
    std::u16string m_DefaultDomains;  // domains browsed for controllers, separated by ","
    std::int32_t m_UsersShown;        // rows in the user list and users printed
    std::int32_t m_BufferSize;        // KB asked for per enumeration call
    std::int32_t m_MaxThreads;        // controllers enumerated at once
    std::u16string m_HeaderRight;
    std::u16string m_HeaderLeft;
    std::u16string m_FooterRight;
    std::u16string m_FooterLeft;
    std::u16string m_RegularFont;  // font strings
    std::u16string m_HeaderFooterFont;
    std::u16string m_StrongFont;
};

}  // namespace orvik
