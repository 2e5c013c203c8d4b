#pragma once
// The progress of one controller's enumeration. Copies of it are the only
// thing besides result batches that cross between threads; it is a plain
// value: a copy carries every field, so the window never sees half a job.

#include <cstdint>
#include <string>

#include "base/FormatTime.h"

namespace orvik {

enum eJobState : std::int32_t {
    kJobNew = 0,
    kJobRunning = 1,
    kJobFinished = 2,
};

class cCollectionJob {
public:
    cCollectionJob() = default;
    cCollectionJob(std::u16string controllerName, std::int32_t bufferBytes)
        : name(std::move(controllerName)), bufferSize(bufferBytes) {}

    std::int32_t index = -1;     // position in the collector's job list
    std::int32_t userCount = 0;  // collector: cumulative; worker copy: last call only
    std::u16string name;         // the controller name as in its cDomainController
    std::int32_t state = kJobNew;
    std::int32_t bufferSize = 0;     // preferred result buffer, bytes
    std::int32_t resultCode = 0;     // result of the last enumeration call
    std::int64_t thread = 0;         // the worker's number, for reading in a debugger; -1: it could not start
    std::uint32_t changeNumber = 0;  // collector change counter at the last change
    tTimeValue startTime = 0;
    tTimeValue lastCallTime = 0;
    tTimeValue endTime = 0;      // estimate while running, actual end when finished
    std::int32_t totalHint = 0;  // total entries reported by the last call
    bool stopFlag = false;       // set by the main thread to ask the worker to stop
};

}  // namespace orvik
