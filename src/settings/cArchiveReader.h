#pragma once
// Reads the object archive from bytes in memory. Every read is checked
// against the end of the data, and nothing is allocated for a length or
// count that the remaining bytes could not hold. Any fault throws
// cArchiveError, which the loader turns into one message.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace orvik {

enum class eArchiveError {
    kEndOfFile,         // "An attempt was made to access %1 past its end."
    kBadFormat,         // "%1 has a bad format."
    kUnexpectedObject,  // "%1 contained an unexpected object."
};

struct cArchiveError {
    eArchiveError kind;
};

class cArchiveReader {
public:
    cArchiveReader(const std::uint8_t* data, std::size_t size) : m_Data(data), m_Size(size) {}

    std::uint8_t ReadU8();
    std::uint16_t ReadU16();
    std::uint32_t ReadU32();
    std::int32_t ReadI32() { return static_cast<std::int32_t>(ReadU32()); }
    // A string with the 16-bit marker (UTF-16LE) or without it (8-bit text).
    std::u16string ReadString();
    std::uint32_t ReadCount();
    // The class part of an object entry, which must name `expected`; returns
    // the schema of that class's record.
    std::uint16_t ReadObjectClass(std::string_view expected);

    std::size_t Remaining() const noexcept { return m_Size - m_Pos; }

private:
    void Need(std::uint64_t bytes) const;
    std::uint32_t ReadLength();

    struct ClassRecord {
        std::string name;
        std::uint16_t schema;
    };

    const std::uint8_t* m_Data;
    std::size_t m_Size;
    std::size_t m_Pos = 0;
    std::uint32_t m_NextIndex = 1;
    std::map<std::uint32_t, ClassRecord> m_Classes;  // by running index
};

}  // namespace orvik
