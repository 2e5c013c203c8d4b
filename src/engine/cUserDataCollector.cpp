#include "engine/cUserDataCollector.h"

#include <algorithm>
#include <chrono>
#include <limits>
#include <system_error>
#include <thread>

#include "base/TextCompare.h"
#include "engine/UserDataWorker.h"
#include "platform/NetApiCodes.h"
#include "platform/iClock.h"
#include "platform/iNetApi.h"

namespace orvik {

cUserDataCollector::cUserDataCollector(iNetApi& net, iClock& clock, tLauncher launcher)
    : m_Net(net), m_Clock(clock), m_Launch(std::move(launcher)) {}

cUserDataCollector::~cUserDataCollector() {
    for (cWorkerThread& w : m_Threads) w.thread.join();
}

bool cUserDataCollector::Launch(std::function<void()> body) {
    if (m_Launch) return m_Launch(std::move(body));
    JoinEndedWorkers();
    auto ended = std::make_shared<std::atomic<bool>>(false);
    try {
        m_Threads.push_back({std::thread([body = std::move(body), ended] {
                                 body();
                                 ended->store(true);
                             }),
                             ended});
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

void cUserDataCollector::JoinEndedWorkers() {
    std::erase_if(m_Threads, [](cWorkerThread& w) {
        if (!w.ended->load()) return false;
        w.thread.join();
        return true;
    });
}

int cUserDataCollector::StartJob(std::unique_ptr<cCollectionJob> job) {
    std::lock_guard<std::mutex> lock(m_Lock);
    std::size_t position = m_Jobs.size();
    for (std::size_t i = 0; i < m_Jobs.size(); ++i) {
        if (EqualNoCase(m_Jobs[i].job->name, job->name)) {
            position = i;
            break;
        }
    }
    if (position < m_Jobs.size() && m_Jobs[position].workerAlive) return -1;
    m_Net.CancelCalls(ServerNameFor(job->name), false);  // a stop of an earlier job is over
    job->index = -1;
    job->stopFlag = false;
    job->state = kJobRunning;
    job->userCount = 0;
    job->changeNumber = ++m_ChangeCounter;
    job->resultCode = 0;
    job->startTime = m_Clock.Now();
    job->lastCallTime = 0;

    cCollectionJob* listed = job.get();
    job->index = static_cast<std::int32_t>(position);
    if (position == m_Jobs.size())
        m_Jobs.push_back(cListedJob{std::move(job), false});
    else
        m_Jobs[position] = cListedJob{std::move(job), false};

    auto copy = std::make_shared<cCollectionJob>(*listed);
    const bool started = Launch([this, copy] {
        CollectUserDataThread(std::make_unique<cCollectionJob>(std::move(*copy)), m_Net, *this, m_Clock);
    });
    if (!started) {
        listed->thread = -1;
        listed->state = kJobFinished;
        listed->resultCode = kErrorMaxThreadsReached;
        listed->endTime = m_Clock.Now();
        listed->changeNumber = ++m_ChangeCounter;
        return 0;
    }
    listed->thread = ++m_LastThreadId;
    m_Jobs[position].workerAlive = true;
    ++m_Running;
    return 0;
}

int cUserDataCollector::ReportJob(cCollectionJob& w, std::unique_ptr<cUserInfoBatch> batch) {
    std::unique_lock<std::mutex> lock(m_Lock);
    if (w.index < 0 || static_cast<std::size_t>(w.index) >= m_Jobs.size()) return -1;
    cListedJob& listed = m_Jobs[static_cast<std::size_t>(w.index)];
    cCollectionJob& j = *listed.job;
    w.stopFlag = j.stopFlag;
    if (j.stopFlag) {
        w.state = kJobFinished;
        batch.reset();
    } else {
        j.state = w.state;
        j.userCount += w.userCount;
        j.resultCode = w.resultCode;
        j.lastCallTime = w.lastCallTime;
        j.changeNumber = ++m_ChangeCounter;
        j.endTime = 0;
        j.totalHint = w.totalHint;
        if (j.userCount != 0 && j.totalHint != 0 && w.state != kJobFinished && j.lastCallTime > j.startTime) {
            // When as many further accounts as the hint would be read at the
            // rate so far; in 64 bits, as long runs over many accounts overflow 32.
            const std::int64_t last = j.lastCallTime;
            const std::int64_t estimate =
                last + (last - std::int64_t{j.startTime}) * std::int64_t{j.totalHint} / std::int64_t{j.userCount};
            j.endTime =
                static_cast<tTimeValue>(std::min<std::int64_t>(estimate, std::numeric_limits<tTimeValue>::max()));
        }
    }
    if (w.state == kJobFinished) j.endTime = m_Clock.Now();
    if (batch) m_Results.push_back(std::move(batch));
    if (w.state != kJobFinished) return 0;
    listed.workerAlive = false;
    --m_Running;
    ++m_Ended;
    m_WorkerEnded.notify_all();
    lock.unlock();
    std::lock_guard<std::mutex> wake(m_WakeLock);
    if (m_Wake) m_Wake();
    return 0;
}

int cUserDataCollector::PopResult(std::unique_ptr<cUserInfoBatch>& out) {
    std::lock_guard<std::mutex> lock(m_Lock);
    if (m_Results.empty()) return -1;
    out = std::move(m_Results.front());
    m_Results.pop_front();
    return 0;
}

std::int32_t cUserDataCollector::GetRunningCount() const {
    std::lock_guard<std::mutex> lock(m_Lock);
    return m_Running;
}

bool cUserDataCollector::IsIdle() const {
    std::lock_guard<std::mutex> lock(m_Lock);
    return m_Running == 0 && m_Results.empty();
}

void cUserDataCollector::CollectChangedJobs(std::uint32_t& lastSeen, std::vector<cCollectionJob>& out) const {
    std::lock_guard<std::mutex> lock(m_Lock);
    std::uint32_t newest = 0;
    for (const auto& listed : m_Jobs) {
        const cCollectionJob& job = *listed.job;
        if (job.changeNumber > lastSeen) {
            out.push_back(job);
            if (job.changeNumber > newest) newest = job.changeNumber;
        }
    }
    if (newest != 0) lastSeen = newest;
}

int cUserDataCollector::StopAllJobs() {
    std::lock_guard<std::mutex> lock(m_Lock);
    for (auto& listed : m_Jobs) {
        listed.job->stopFlag = true;
        if (listed.workerAlive) m_Net.CancelCalls(ServerNameFor(listed.job->name), true);
    }
    return 0;
}

bool cUserDataCollector::WaitForWorkers(std::int32_t maxWaitMs) {
    std::unique_lock<std::mutex> lock(m_Lock);
    const auto none = [this] { return m_Running == 0; };
    if (maxWaitMs < 0) {
        m_WorkerEnded.wait(lock, none);
        return true;
    }
    return m_WorkerEnded.wait_for(lock, std::chrono::milliseconds(maxWaitMs), none);
}

void cUserDataCollector::SetWake(tWake wake) {
    std::lock_guard<std::mutex> lock(m_WakeLock);
    m_Wake = std::move(wake);
}

bool cUserDataCollector::WaitForWorkerEnd(std::uint64_t& ended, std::int32_t maxWaitMs) {
    std::unique_lock<std::mutex> lock(m_Lock);
    const bool one = m_WorkerEnded.wait_for(lock, std::chrono::milliseconds(std::max(0, maxWaitMs)),
                                            [&] { return m_Ended != ended; });
    ended = m_Ended;
    return one;
}

std::size_t cUserDataCollector::DiscardResults() {
    std::deque<std::unique_ptr<cUserInfoBatch>> dropped;
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        dropped.swap(m_Results);
    }
    return dropped.size();
}

}  // namespace orvik
