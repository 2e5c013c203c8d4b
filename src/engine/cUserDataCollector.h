#pragma once
// The one meeting point of the window thread and the workers: one job per
// controller name, the running count, a change counter, and the queue of
// result pages, all under one lock. It starts workers but never schedules or
// waits for them; the controller collection does that, woken by the
// collector when a worker ends.
//
// The collector owns its worker threads: a worker's thread is joined once the
// worker has ended (at the next start, and at the latest when the collector
// is destroyed). Destroying it therefore waits for every worker: stop them
// first (cDomainControllerCollection::StopForExit). A worker still inside a
// blocking network call after that bounded wait is the one case where the
// program leaves without destroying the collector (LeaveWhenWorkersStopped).

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "engine/cCollectionJob.h"
#include "engine/cUserInfoBatch.h"

namespace orvik {

class iClock;
class iNetApi;

class cUserDataCollector {
public:
    // Runs `body` some other way than on a thread of the collector's own
    // (tests run it later on their own thread); false when it cannot.
    using tLauncher = std::function<bool(std::function<void()> body)>;

    // Without a launcher, every worker runs on a thread the collector owns and joins.
    cUserDataCollector(iNetApi& net, iClock& clock, tLauncher launcher = {});
    ~cUserDataCollector();
    cUserDataCollector(const cUserDataCollector&) = delete;
    cUserDataCollector& operator=(const cUserDataCollector&) = delete;

    // Lists the job (replacing an earlier one of the same name, ignoring
    // case) and starts its worker; 0. A name whose earlier worker is still
    // alive is refused with -1 and nothing changes: two workers never feed
    // one job. A worker that cannot be started finishes the job at once with
    // kErrorMaxThreadsReached, so nothing waits for it.
    int StartJob(std::unique_ptr<cCollectionJob> job);

    // A worker's progress and page; hands the stop flag back in `w`.
    // Returns -1 when `w` names no listed job.
    int ReportJob(cCollectionJob& w, std::unique_ptr<cUserInfoBatch> batch);

    // The oldest queued page (0), or -1 when there is none.
    int PopResult(std::unique_ptr<cUserInfoBatch>& out);

    std::int32_t GetRunningCount() const;

    // True when no worker runs and no page waits, seen at one instant: every
    // page a worker reported has then been taken by PopResult.
    bool IsIdle() const;

    // Copies of the jobs changed since `lastSeen`, which moves to the newest change.
    void CollectChangedJobs(std::uint32_t& lastSeen, std::vector<cCollectionJob>& out) const;

    // Asks every worker to stop at its next report, and the network to end
    // the calls in progress of the workers still alive at once.
    int StopAllJobs();

    // Waits until no worker runs, at most `maxWaitMs` (negative: however
    // long that takes); true when none runs.
    bool WaitForWorkers(std::int32_t maxWaitMs);

    // Called on a worker's thread whenever a worker has ended (its last page
    // queued), so that the thread that polls can start the next controller
    // at once: the window posts itself a call. It must not call the
    // collector. Once SetWake returns, the wake it replaced is never called again.
    using tWake = std::function<void()>;
    void SetWake(tWake wake);

    // For a poller without an event loop: waits until a worker ends that had
    // not ended when `ended` was counted, at most `maxWaitMs`; `ended` moves
    // to the count of workers ended so far. True when one had ended.
    bool WaitForWorkerEnd(std::uint64_t& ended, std::int32_t maxWaitMs);

    // Drops every queued page; returns how many there were.
    std::size_t DiscardResults();

private:
    bool Launch(std::function<void()> body);
    void JoinEndedWorkers();

    struct cWorkerThread {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> ended;
    };

    iNetApi& m_Net;
    iClock& m_Clock;
    tLauncher m_Launch;

    std::mutex m_WakeLock;  // held while the wake is called or replaced, never with m_Lock
    tWake m_Wake;

    mutable std::mutex m_Lock;  // guards everything below
    std::condition_variable m_WorkerEnded;
    std::int32_t m_Running = 0;
    std::uint64_t m_Ended = 0;  // workers that have ended, ever
    std::uint32_t m_ChangeCounter = 0;
    std::int64_t m_LastThreadId = 0;
    struct cListedJob {
        std::unique_ptr<cCollectionJob> job;
        bool workerAlive = false;  // from the start until the worker's finishing report
    };
    std::vector<cListedJob> m_Jobs;
    std::deque<std::unique_ptr<cUserInfoBatch>> m_Results;
    std::vector<cWorkerThread> m_Threads;  // the main thread's alone: never touched by a worker
};

}  // namespace orvik
