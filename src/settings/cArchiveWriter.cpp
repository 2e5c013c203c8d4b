#include "settings/cArchiveWriter.h"

#include <cstring>

#include "base/iWriteSink.h"

namespace orvik {

namespace {
constexpr std::size_t kBufferSize = 64 * 1024;
}

cArchiveWriter::cArchiveWriter(iWriteSink& sink) : m_Sink(sink) { m_Buffer.reserve(kBufferSize); }

void cArchiveWriter::Put(const void* data, std::size_t size) {
    if (m_Failed) return;
    if (m_Buffer.size() + size > kBufferSize) {
        if (!m_Sink.Write(m_Buffer.data(), m_Buffer.size())) {
            m_Failed = true;
            return;
        }
        m_Buffer.clear();
        if (size > kBufferSize) {
            if (!m_Sink.Write(data, size)) m_Failed = true;
            return;
        }
    }
    const auto* p = static_cast<const std::uint8_t*>(data);
    m_Buffer.insert(m_Buffer.end(), p, p + size);
}

void cArchiveWriter::WriteU8(std::uint8_t v) { Put(&v, 1); }

void cArchiveWriter::WriteU16(std::uint16_t v) {
    const std::uint8_t b[2] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)};
    Put(b, 2);
}

void cArchiveWriter::WriteU32(std::uint32_t v) {
    const std::uint8_t b[4] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                               static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
    Put(b, 4);
}

void cArchiveWriter::WriteString(std::u16string_view text) {
    WriteU8(0xFF);
    WriteU16(0xFFFE);
    const std::size_t n = text.size();
    if (n < 0xFF) {
        WriteU8(static_cast<std::uint8_t>(n));
    } else if (n < 0xFFFE) {
        WriteU8(0xFF);
        WriteU16(static_cast<std::uint16_t>(n));
    } else {
        WriteU8(0xFF);
        WriteU16(0xFFFF);
        WriteU32(static_cast<std::uint32_t>(n));
    }
    // UTF-16LE, a chunk at a time.
    std::uint8_t chunk[4096];
    std::size_t used = 0;
    for (char16_t c : text) {
        chunk[used++] = static_cast<std::uint8_t>(c);
        chunk[used++] = static_cast<std::uint8_t>(c >> 8);
        if (used == sizeof chunk) {
            Put(chunk, used);
            used = 0;
        }
    }
    Put(chunk, used);
}

void cArchiveWriter::WriteCount(std::size_t n) {
    if (n < 0xFFFF) {
        WriteU16(static_cast<std::uint16_t>(n));
    } else {
        WriteU16(0xFFFF);
        WriteU32(static_cast<std::uint32_t>(n));
    }
}

void cArchiveWriter::WriteObjectClass(std::string_view className, std::uint16_t schema) {
    auto it = m_ClassIndex.find(className);
    if (it == m_ClassIndex.end()) {
        m_ClassIndex.emplace(std::string(className), m_NextIndex++);
        WriteU16(0xFFFF);
        WriteU16(schema);
        WriteU16(static_cast<std::uint16_t>(className.size()));
        Put(className.data(), className.size());
    } else if (it->second < 0x7FFF) {
        WriteU16(static_cast<std::uint16_t>(0x8000 | it->second));
    } else {
        WriteU16(0x7FFF);
        WriteU32(0x80000000u | it->second);
    }
    ++m_NextIndex;  // the object itself
}

bool cArchiveWriter::Finish() {
    if (!m_Failed && !m_Buffer.empty()) {
        if (!m_Sink.Write(m_Buffer.data(), m_Buffer.size())) m_Failed = true;
        m_Buffer.clear();
    }
    return !m_Failed;
}

}  // namespace orvik
