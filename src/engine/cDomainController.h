#pragma once
// One domain controller of the user's list, with the figures of its current run.

#include <cstdint>
#include <string>

#include "base/FormatTime.h"

namespace orvik {

class cArchiveReader;
class cArchiveWriter;
class cCollectionJob;
class iListView;

enum eControllerStatus : std::int32_t {
    kStatusIdle = 1,
    kStatusBusy = 2,
    kStatusReady = 3,
    kStatusError = 4,
};

// Word shown in the controller list's "Status" column, or nullptr outside 1 to 4.
const char16_t* StatusListWord(std::int32_t status) noexcept;
// Image index of the controller list row, or -1 outside 1 to 4.
int StatusImageIndex(std::int32_t status) noexcept;
// Word used by export, summary and print; "?" outside 1 to 4.
const char16_t* StatusReportWord(std::int32_t status) noexcept;

// Columns of the controller list.
enum eControllerColumn : int {
    kColController = 0,
    kColUserCount = 1,
    kColStartTime = 2,
    kColLastCallTime = 3,
    kColEndTime = 4,
    kColStatus = 5,
    kColErrorCode = 6,
};

// Sort keys of the controller list, as the configuration file stores them;
// the status and error code columns sort by keys that differ from their numbers.
enum eControllerSortKey : int {
    kSortName = 0,
    kSortUserCount = 1,
    kSortStartTime = 2,
    kSortLastCallTime = 3,
    kSortEndTime = 4,
    kSortErrorCode = 5,
    kSortStatus = 6,
};

class cDomainController {
public:
    cDomainController() = default;
    explicit cDomainController(std::u16string name) : m_Name(std::move(name)) {}

    void ResetToIdle();
    void UpdateFromJob(const cCollectionJob& job);
    void FillRow(iListView& list, int row) const;

    // By a sort key (eControllerSortKey), then by name; an unknown key (only
    // from a damaged configuration file) orders by name.
    int Compare(const cDomainController& other, int key, bool ascending) const;

    const char16_t* GetStatusText() const noexcept { return StatusReportWord(m_Status); }

    const std::u16string& GetName() const noexcept { return m_Name; }
    std::int32_t GetUserCount() const noexcept { return m_UserCount; }
    tTimeValue GetStartTime() const noexcept { return m_StartTime; }
    tTimeValue GetLastCallTime() const noexcept { return m_LastCallTime; }
    tTimeValue GetEndTime() const noexcept { return m_EndTime; }
    std::int32_t GetErrorCode() const noexcept { return m_ErrorCode; }
    std::int32_t GetStatus() const noexcept { return m_Status; }

    static constexpr char kClassName[] = "cDomainController";
    static constexpr std::uint16_t kSchema = 1;
    // Name, user count, start time and last call time; the rest are not kept.
    void Serialize(cArchiveWriter& ar) const;
    void Serialize(cArchiveReader& ar);

    // Restores the persisted figures (the configuration file keeps these four).
    void SetPersisted(std::u16string name, std::int32_t userCount, tTimeValue startTime, tTimeValue lastCallTime);

private:
    std::u16string m_Name;
    std::int32_t m_UserCount = 0;
    tTimeValue m_StartTime = 0;
    tTimeValue m_LastCallTime = 0;
    tTimeValue m_EndTime = 0;
    std::int32_t m_ErrorCode = 0;
    std::int32_t m_Status = kStatusIdle;
};

}  // namespace orvik
