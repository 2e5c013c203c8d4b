#pragma once
// Where bytes are written: a file, memory, or (in tests) a sink that fails.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orvik {

class iWriteSink {
public:
    virtual ~iWriteSink() = default;
    // Writes all `size` bytes, or returns false.
    virtual bool Write(const void* data, std::size_t size) = 0;
};

class cMemorySink final : public iWriteSink {
public:
    bool Write(const void* data, std::size_t size) override {
        const auto* p = static_cast<const std::uint8_t*>(data);
        m_Bytes.insert(m_Bytes.end(), p, p + size);
        return true;
    }
    const std::vector<std::uint8_t>& Bytes() const noexcept { return m_Bytes; }

private:
    std::vector<std::uint8_t> m_Bytes;
};

}  // namespace orvik
