#pragma once
// A thread launcher that keeps the worker bodies instead of starting them,
// so collector and worker tests run everything on the test's own thread.

#include <functional>
#include <utility>
#include <vector>

namespace orvik::test {

class DeferredLauncher {
public:
    auto AsLauncher() {
        return [this](std::function<void()> body) {
            m_Bodies.push_back(std::move(body));
            return true;
        };
    }
    void RunAll() {
        auto bodies = std::exchange(m_Bodies, {});
        for (auto& b : bodies) b();
    }

private:
    std::vector<std::function<void()>> m_Bodies;
};

}  // namespace orvik::test
