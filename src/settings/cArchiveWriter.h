#pragma once
// Writes the object archive: little-endian integers, length-prefixed UTF-16
// strings, counts, and object entries that carry a class record the first
// time a class occurs and a class reference afterwards.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace orvik {

class iWriteSink;

class cArchiveWriter {
public:
    explicit cArchiveWriter(iWriteSink& sink);

    void WriteU8(std::uint8_t v);
    void WriteU16(std::uint16_t v);
    void WriteU32(std::uint32_t v);
    void WriteI32(std::int32_t v) { WriteU32(static_cast<std::uint32_t>(v)); }
    void WriteString(std::u16string_view text);
    void WriteCount(std::size_t n);
    // The class part of an object entry; the object's fields follow.
    void WriteObjectClass(std::string_view className, std::uint16_t schema);

    // Hands every buffered byte to the sink; false when any write failed.
    bool Finish();
    bool Failed() const noexcept { return m_Failed; }

private:
    void Put(const void* data, std::size_t size);

    iWriteSink& m_Sink;
    std::vector<std::uint8_t> m_Buffer;
    bool m_Failed = false;
    std::uint32_t m_NextIndex = 1;  // running index of class records and objects
    std::map<std::string, std::uint32_t, std::less<>> m_ClassIndex;
};

}  // namespace orvik
