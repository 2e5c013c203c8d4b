#pragma once
// Deadlines for sockets a library reads and writes by itself: once a
// deadline passes, the socket is shut down, so that a read or write blocked
// on a peer that sent half a message returns at once instead of never.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

namespace orvik {

class cSocketWatchdog {
public:
    using tClock = std::chrono::steady_clock;

    cSocketWatchdog();
    ~cSocketWatchdog();
    cSocketWatchdog(const cSocketWatchdog&) = delete;
    cSocketWatchdog& operator=(const cSocketWatchdog&) = delete;

    // `owner` names one connection; its socket (-1: not yet known) may follow later (SetSocket).
    void Arm(const void* owner, int fd, tClock::time_point deadline);
    void SetSocket(const void* owner, int fd);
    // Ends the watch; true when the deadline had passed and the socket was shut down.
    bool Disarm(const void* owner);
    // Every watch whose owner `which` picks passes its deadline now: a stop
    // reaches the sockets of the calls it ends.
    void ShutDownNow(const std::function<bool(const void* owner)>& which);

private:
    struct cWatch {
        int fd = -1;
        tClock::time_point deadline;
        bool fired = false;
    };
    void Run();

    std::mutex m_Mutex;
    std::condition_variable m_Changed;
    std::map<const void*, cWatch> m_Watches;
    bool m_Stop = false;
    std::thread m_Thread;
};

}  // namespace orvik
