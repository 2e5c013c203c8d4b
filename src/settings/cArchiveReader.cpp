#include "settings/cArchiveReader.h"

#include "base/CodePage1252.h"

namespace orvik {

namespace {
constexpr std::size_t kMaxClassNameLength = 63;
}

void cArchiveReader::Need(std::uint64_t bytes) const {
    if (bytes > Remaining()) throw cArchiveError{eArchiveError::kEndOfFile};
}

std::uint8_t cArchiveReader::ReadU8() {
    Need(1);
    return m_Data[m_Pos++];
}

std::uint16_t cArchiveReader::ReadU16() {
    Need(2);
    const std::uint16_t v = static_cast<std::uint16_t>(m_Data[m_Pos] | (m_Data[m_Pos + 1] << 8));
    m_Pos += 2;
    return v;
}

std::uint32_t cArchiveReader::ReadU32() {
    Need(4);
    const std::uint32_t v =
        static_cast<std::uint32_t>(m_Data[m_Pos]) | (static_cast<std::uint32_t>(m_Data[m_Pos + 1]) << 8) |
        (static_cast<std::uint32_t>(m_Data[m_Pos + 2]) << 16) | (static_cast<std::uint32_t>(m_Data[m_Pos + 3]) << 24);
    m_Pos += 4;
    return v;
}

// The three forms of a length: U8 below 255, else U16 below 0xFFFF, else U32.
std::uint32_t cArchiveReader::ReadLength() {
    const std::uint8_t b = ReadU8();
    if (b < 0xFF) return b;
    const std::uint16_t w = ReadU16();
    if (w < 0xFFFF) return w;
    return ReadU32();
}

std::u16string cArchiveReader::ReadString() {
    bool wide = false;
    std::uint32_t n;
    const std::uint8_t first = ReadU8();
    if (first < 0xFF) {
        n = first;
    } else {
        const std::uint16_t w = ReadU16();
        if (w == 0xFFFE) {
            wide = true;
            n = ReadLength();
        } else if (w < 0xFFFF) {
            n = w;
        } else {
            n = ReadU32();
        }
    }
    if (!wide) {
        Need(n);
        std::u16string text = FromCp1252(std::string_view(reinterpret_cast<const char*>(m_Data + m_Pos), n));
        m_Pos += n;
        return text;
    }
    Need(std::uint64_t{n} * 2);
    std::u16string text(n, u'\0');
    for (std::uint32_t i = 0; i < n; ++i) {
        text[i] = static_cast<char16_t>(m_Data[m_Pos] | (m_Data[m_Pos + 1] << 8));
        m_Pos += 2;
    }
    return text;
}

std::uint32_t cArchiveReader::ReadCount() {
    const std::uint16_t n = ReadU16();
    return n < 0xFFFF ? n : ReadU32();
}

std::uint16_t cArchiveReader::ReadObjectClass(std::string_view expected) {
    const std::uint16_t tag = ReadU16();
    const ClassRecord* record = nullptr;
    if (tag == 0xFFFF) {
        const std::uint16_t schema = ReadU16();
        const std::uint16_t length = ReadU16();
        if (length > kMaxClassNameLength) throw cArchiveError{eArchiveError::kBadFormat};
        Need(length);
        std::string name(reinterpret_cast<const char*>(m_Data + m_Pos), length);
        m_Pos += length;
        auto [it, inserted] = m_Classes.emplace(m_NextIndex++, ClassRecord{std::move(name), schema});
        record = &it->second;
    } else {
        std::uint32_t index;
        if (tag == 0x7FFF) {
            const std::uint32_t big = ReadU32();
            // Without the top bit it refers to an object, which no file holds.
            if ((big & 0x80000000u) == 0) throw cArchiveError{eArchiveError::kUnexpectedObject};
            index = big & 0x7FFFFFFFu;
        } else if (tag & 0x8000) {
            index = tag & 0x7FFFu;
        } else {
            // An object reference or a null object: never written.
            throw cArchiveError{eArchiveError::kUnexpectedObject};
        }
        auto it = m_Classes.find(index);
        if (it == m_Classes.end()) throw cArchiveError{eArchiveError::kBadFormat};
        record = &it->second;
    }
    if (record->name != expected) throw cArchiveError{eArchiveError::kUnexpectedObject};
    ++m_NextIndex;  // the object itself
    return record->schema;
}

}  // namespace orvik
