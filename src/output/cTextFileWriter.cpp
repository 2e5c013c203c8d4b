#include "output/cTextFileWriter.h"

#include "platform/iFileSystem.h"

namespace orvik {

bool cTextFileWriter::Write(std::string_view text) {
    if (m_Failed) return false;
    for (char c : text) {
        if (c == '\n') m_Buffer.push_back('\r');
        m_Buffer.push_back(c);
    }
    if (m_Buffer.size() >= kBufferSize) return Flush();
    return true;
}

bool cTextFileWriter::Flush() {
    if (!m_Failed && !m_Buffer.empty() && !m_File.Write(m_Buffer.data(), m_Buffer.size())) m_Failed = true;
    m_Buffer.clear();
    return !m_Failed;
}

bool cTextFileWriter::Close() {
    Flush();
    const bool closed = m_File.Close();
    return !m_Failed && closed;
}

}  // namespace orvik
