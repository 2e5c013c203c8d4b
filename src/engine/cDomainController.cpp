#include "engine/cDomainController.h"

#include "base/TextCompare.h"
#include "engine/cCollectionJob.h"
#include "engine/iListView.h"
#include "settings/cArchiveReader.h"
#include "settings/cArchiveWriter.h"

namespace orvik {

const char16_t* StatusListWord(std::int32_t status) noexcept {
    switch (status) {
        case kStatusIdle: return u"Idle";
        case kStatusBusy: return u"Busy";
        case kStatusReady: return u"Ready";
        case kStatusError: return u"Error";
        default: return nullptr;
    }
}

int StatusImageIndex(std::int32_t status) noexcept {
    switch (status) {
        case kStatusIdle: return 0;
        case kStatusReady: return 1;
        case kStatusBusy: return 2;
        case kStatusError: return 3;
        default: return -1;
    }
}

const char16_t* StatusReportWord(std::int32_t status) noexcept {
    switch (status) {
        case kStatusIdle: return u"Idle";
        case kStatusBusy: return u"Data collection in progress";
        case kStatusReady: return u"OK";
        case kStatusError: return u"Error";
        default: return u"?";
    }
}

void cDomainController::ResetToIdle() {
    m_Status = kStatusIdle;
    m_UserCount = 0;
    m_StartTime = 0;
    m_LastCallTime = 0;
    m_EndTime = 0;
    m_ErrorCode = 0;
}

void cDomainController::UpdateFromJob(const cCollectionJob& job) {
    m_UserCount = job.userCount;
    m_ErrorCode = job.resultCode;
    m_StartTime = job.startTime;
    m_LastCallTime = job.lastCallTime;
    m_EndTime = job.endTime;
    if (job.state == kJobRunning) {
        m_Status = kStatusBusy;
    } else if (job.state == kJobFinished) {
        m_Status = job.resultCode != 0 ? kStatusError : kStatusReady;
    } else {
        m_Status = kStatusIdle;
    }
}

void cDomainController::FillRow(iListView& list, int row) const {
    list.SetCellText(row, kColUserCount, FormatLong(m_UserCount));
    std::u16string start = FormatTime(m_StartTime);
    list.SetCellText(row, kColStartTime, start.empty() ? std::u16string(u"-") : start);
    list.SetCellText(row, kColLastCallTime, FormatTime(m_LastCallTime));
    list.SetCellText(row, kColEndTime, FormatTime(m_EndTime));
    if (const char16_t* word = StatusListWord(m_Status)) {
        list.SetCellText(row, kColStatus, word);
        list.SetRowImage(row, StatusImageIndex(m_Status));
    }
    // A Busy controller's code is the "more data" of the pages still coming: no error to show.
    list.SetCellText(row, kColErrorCode, m_Status == kStatusBusy ? std::u16string() : FormatLong(m_ErrorCode));
}

namespace {
int CompareNumbers(std::int32_t a, std::int32_t b) { return a < b ? -1 : (a > b ? 1 : 0); }
}  // namespace

int cDomainController::Compare(const cDomainController& other, int key, bool ascending) const {
    int r = 0;
    switch (key) {
        case kSortUserCount: r = CompareNumbers(m_UserCount, other.m_UserCount); break;
        case kSortStartTime: r = CompareNumbers(m_StartTime, other.m_StartTime); break;
        case kSortLastCallTime: r = CompareNumbers(m_LastCallTime, other.m_LastCallTime); break;
        case kSortEndTime: r = CompareNumbers(m_EndTime, other.m_EndTime); break;
        case kSortErrorCode: r = CompareNumbers(m_ErrorCode, other.m_ErrorCode); break;
        case kSortStatus: r = CompareNumbers(m_Status, other.m_Status); break;
        default: break;
    }
    if (r == 0) r = CompareNoCase(m_Name, other.m_Name);
    return ascending ? r : -r;
}

void cDomainController::SetPersisted(std::u16string name, std::int32_t userCount, tTimeValue startTime,
                                     tTimeValue lastCallTime) {
    m_Name = std::move(name);
    m_UserCount = userCount;
    m_StartTime = startTime;
    m_LastCallTime = lastCallTime;
    m_EndTime = 0;
    m_ErrorCode = 0;
    m_Status = kStatusIdle;
}

void cDomainController::Serialize(cArchiveWriter& ar) const {
    ar.WriteString(m_Name);
    ar.WriteI32(m_UserCount);
    ar.WriteI32(m_StartTime);
    ar.WriteI32(m_LastCallTime);
}

void cDomainController::Serialize(cArchiveReader& ar) {
    std::u16string name = ar.ReadString();
    const std::int32_t userCount = ar.ReadI32();
    const tTimeValue startTime = ar.ReadI32();
    const tTimeValue lastCallTime = ar.ReadI32();
    SetPersisted(std::move(name), userCount, startTime, lastCallTime);
}

}  // namespace orvik
