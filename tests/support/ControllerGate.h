#pragma once
// Holds simulated controllers' enumeration calls until the test lets them
// go, so a test decides exactly when each worker makes progress.

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <string>

#include "base/TextCompare.h"
#include "platform/cSimulatedDirectory.h"

namespace orvik::test {

class ControllerGate {
public:
    // Every call of every controller waits until its controller is opened.
    void Attach(cSimulatedDirectory& directory) {
        directory.SetCallHook([this](const std::u16string& name, std::uint32_t call) { Wait(name, call); });
    }
    void Open(const std::u16string& name) { AllowCalls(name, UINT32_MAX); }
    // Lets the controller's calls up to number `call` of an enumeration pass.
    void AllowCalls(const std::u16string& name, std::uint32_t call) {
        std::lock_guard<std::mutex> lock(m_Mutex);
        m_Allowed[ToUpperAscii(name)] = call;
        m_Changed.notify_all();
    }
    void OpenAll() {
        std::lock_guard<std::mutex> lock(m_Mutex);
        m_AllOpen = true;
        m_Changed.notify_all();
    }
    // Calls numbered below `call` within their enumeration pass freely.
    void HoldFromCall(std::uint32_t call) {
        std::lock_guard<std::mutex> lock(m_Mutex);
        m_HoldFrom = call;
    }
    // Enumerations of the controller begun so far.
    int Enumerations(const std::u16string& name) {
        std::lock_guard<std::mutex> lock(m_Mutex);
        return m_Enumerations[ToUpperAscii(name)];
    }
    // Waits until the controller's call number `call` of an enumeration waits at the gate.
    bool WaitForCall(const std::u16string& name, std::uint32_t call) {
        std::unique_lock<std::mutex> lock(m_Mutex);
        const std::u16string key = ToUpperAscii(name);
        return m_Changed.wait_for(lock, std::chrono::seconds(20), [&] { return m_WaitingAt[key] == call; });
    }
    bool WaitForWaiting(int count) {
        std::unique_lock<std::mutex> lock(m_Mutex);
        return m_Changed.wait_for(lock, std::chrono::seconds(20), [&] { return m_Waiting >= count; });
    }

private:
    void Wait(const std::u16string& name, std::uint32_t call) {
        std::unique_lock<std::mutex> lock(m_Mutex);
        if (call == 1) ++m_Enumerations[ToUpperAscii(name)];
        if (call < m_HoldFrom) return;
        const std::u16string key = ToUpperAscii(name);
        ++m_Waiting;
        m_WaitingAt[key] = call;
        m_Changed.notify_all();
        m_Changed.wait(lock, [&] { return m_AllOpen || call <= m_Allowed[key]; });
        m_WaitingAt[key] = 0;
        --m_Waiting;
        m_Changed.notify_all();
    }

    std::mutex m_Mutex;
    std::condition_variable m_Changed;
    std::map<std::u16string, std::uint32_t> m_Allowed;
    std::map<std::u16string, int> m_Enumerations;
    std::map<std::u16string, std::uint32_t> m_WaitingAt;
    bool m_AllOpen = false;
    std::uint32_t m_HoldFrom = 1;
    int m_Waiting = 0;
};

}  // namespace orvik::test
