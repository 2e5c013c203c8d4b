#include "platform/cSocketWatchdog.h"

#include <sys/socket.h>

namespace orvik {

cSocketWatchdog::cSocketWatchdog() : m_Thread([this] { Run(); }) {}

cSocketWatchdog::~cSocketWatchdog() {
    {
        std::lock_guard<std::mutex> lock(m_Mutex);
        m_Stop = true;
    }
    m_Changed.notify_all();
    m_Thread.join();
}

void cSocketWatchdog::Arm(const void* owner, int fd, tClock::time_point deadline) {
    {
        std::lock_guard<std::mutex> lock(m_Mutex);
        cWatch& w = m_Watches[owner];
        w.fd = fd;
        w.deadline = deadline;
        w.fired = false;
    }
    m_Changed.notify_all();
}

void cSocketWatchdog::SetSocket(const void* owner, int fd) {
    {
        std::lock_guard<std::mutex> lock(m_Mutex);
        auto it = m_Watches.find(owner);
        if (it == m_Watches.end()) return;
        it->second.fd = fd;
        if (it->second.fired && fd >= 0) ::shutdown(fd, SHUT_RDWR);
    }
    m_Changed.notify_all();
}

bool cSocketWatchdog::Disarm(const void* owner) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    auto it = m_Watches.find(owner);
    if (it == m_Watches.end()) return false;
    const bool fired = it->second.fired;
    m_Watches.erase(it);
    return fired;
}

void cSocketWatchdog::ShutDownNow(const std::function<bool(const void* owner)>& which) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    for (auto& [owner, w] : m_Watches) {
        if (w.fired || !which(owner)) continue;
        if (w.fd >= 0) ::shutdown(w.fd, SHUT_RDWR);
        w.fired = true;  // a socket not yet known is shut down by SetSocket
    }
}

void cSocketWatchdog::Run() {
    std::unique_lock<std::mutex> lock(m_Mutex);
    while (!m_Stop) {
        auto next = tClock::time_point::max();
        const auto now = tClock::now();
        for (auto& [owner, w] : m_Watches) {
            if (w.fired) continue;
            if (w.deadline <= now) {
                // Still under the lock: the socket cannot be closed and its number reused meanwhile.
                if (w.fd >= 0) ::shutdown(w.fd, SHUT_RDWR);
                w.fired = true;
            } else {
                next = std::min(next, w.deadline);
            }
        }
        if (next == tClock::time_point::max())
            m_Changed.wait(lock);
        else
            m_Changed.wait_until(lock, next);
    }
}

}  // namespace orvik
