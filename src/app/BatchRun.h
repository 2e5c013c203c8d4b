#pragma once
// A collection without a window, for scheduled tasks: load the
// configuration, collect from every listed controller, then export, append
// the summary and save, as the window does at the end of a run.

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>

namespace orvik {

class cCommandLine;
class cDomainControllerCollection;
class cUserDataCollector;
class iMessageSink;

// Exit codes of a batch run.
enum eBatchExit : int {
    kBatchAllReady = 0,      // every controller ended Ready
    kBatchSomeFailed = 1,    // a controller ended in Error; the files were written all the same
    kBatchUsage = 2,         // a usage or configuration problem; nothing was written
    kBatchOutputFailed = 3,  // the export, summary or configuration file could not be written
};

class iPdfReportWriter;

struct cBatchSettings {
    std::int32_t tickMs = 100;  // the longest wait between polls (a worker's end polls at once)
    bool showProgress = false;  // a progress line on standard error per tick
    // Writes the results report for "/PDF:<file>"; without it "/PDF:" is refused.
    iPdfReportWriter* pdfWriter = nullptr;
    // The configuration file without "/CF:"; empty: the per-user default.
    std::string configBesideProgram;
};

// Polls a started run until it completes: as soon as a worker ends (which
// starts the next controller), and `tickMs` after the poll before at the
// latest (which merges the pages). `afterPoll` runs after every poll.
void PollUntilComplete(cDomainControllerCollection& collection, cUserDataCollector& collector, std::int32_t tickMs,
                       const std::function<void()>& afterPoll = {});

// Runs the options of `arguments` ("/CF:", and the directory options of NetworkSetup.h). Controller lines and the
// file names go to `out`; messages to `messages`; progress to `progress`.
int RunBatch(const cCommandLine& arguments, std::ostream& out, std::ostream& progress, iMessageSink& messages,
             const cBatchSettings& settings = {});

}  // namespace orvik
