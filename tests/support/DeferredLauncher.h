#pragma once
// A thread launcher that keeps the worker bodies instead of starting them,
// so collector and worker tests run everything on the test's own thread.

#include <functional>
#include <vector>

namespace orvik::test {

class DeferredLauncher {
public:
    bool Launch(std::function<void()> body) {
        m_Bodies.push_back(std::move(body));
        return true;
    }
    auto AsLauncher() {
        return [this](std::function<void()> body) { return Launch(std::move(body)); };
    }
    void RunAll() {
        auto bodies = std::move(m_Bodies);
        m_Bodies.clear();
        for (auto& b : bodies) b();
    }
    std::size_t Pending() const { return m_Bodies.size(); }

private:
    std::vector<std::function<void()>> m_Bodies;
};

}  // namespace orvik::test
