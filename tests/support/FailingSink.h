#pragma once
// A sink that passes the first N bytes on and then fails, as a full disk does.

#include <algorithm>

#include "base/iWriteSink.h"

namespace orvik::test {

class FailingSink final : public iWriteSink {
public:
    FailingSink(iWriteSink& inner, std::size_t allowed) : m_Inner(inner), m_Left(allowed) {}
    bool Write(const void* data, std::size_t size) override {
        const std::size_t n = std::min(size, m_Left);
        if (n > 0 && !m_Inner.Write(data, n)) return false;
        m_Left -= n;
        return n == size;
    }

private:
    iWriteSink& m_Inner;
    std::size_t m_Left;
};

}  // namespace orvik::test
