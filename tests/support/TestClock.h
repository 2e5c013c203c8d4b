#pragma once
// A clock whose time the test sets. Waiting really sleeps, but briefly, so
// that worker threads get on while a test polls.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "platform/iClock.h"

namespace orvik::test {

class TestClock final : public iClock {
public:
    explicit TestClock(tTimeValue now = 1000) : m_Now(now) {}
    tTimeValue Now() override { return m_Now.load(); }
    void SleepMs(std::int32_t ms) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(std::clamp(ms, 0, 2)));
    }
    // Every reading of the elapsed time moves it on by the step (0: it stands still).
    std::int64_t ElapsedMs() override { return m_Elapsed.fetch_add(m_ElapsedStep.load()); }
    void Set(tTimeValue now) { m_Now.store(now); }
    void SetElapsedStep(std::int64_t ms) { m_ElapsedStep.store(ms); }

private:
    std::atomic<tTimeValue> m_Now;
    std::atomic<std::int64_t> m_Elapsed{0}, m_ElapsedStep{0};
};

}  // namespace orvik::test
