#include "output/cTextFileWriter.h"

#include <algorithm>

#include "base/iFileSystem.h"

namespace orvik {

cTextFileWriter::cTextFileWriter(iOutputFile& file, eOnFailure onFailure)
    : m_File(file), m_OnFailure(onFailure), m_Start(file.Size()), m_Whole(m_Start) {
    m_Buffer.reserve(kBufferSize);
}

bool cTextFileWriter::Write(std::string_view text) {
    if (m_Failed) return false;
    for (std::size_t from = 0; from < text.size();) {
        const std::size_t lineFeed = text.find('\n', from);
        if (lineFeed == std::string_view::npos) {
            m_Buffer.append(text, from);
            break;
        }
        m_Buffer.append(text, from, lineFeed - from);
        m_Buffer.append("\r\n", 2);
        from = lineFeed + 1;
    }
    if (m_Buffer.size() >= kBufferSize) return Flush();
    return true;
}

bool cTextFileWriter::Flush() {
    if (!m_Failed && !m_Buffer.empty()) {
        if (m_File.Write(m_Buffer.data(), m_Buffer.size())) {
            m_Whole += m_Buffer.size();
        } else {
            m_Failed = true;
            m_Error = m_File.LastError();
            // Part of the buffer may have reached the file: keep up to its last whole line.
            std::uint64_t keep = m_Start;
            if (m_OnFailure == eOnFailure::kKeepWholeLines) {
                const std::uint64_t size = m_File.Size();
                const std::size_t reached =
                    size > m_Whole ? static_cast<std::size_t>(std::min<std::uint64_t>(size - m_Whole, m_Buffer.size()))
                                   : 0;
                const std::size_t lineEnd = std::string_view(m_Buffer.data(), reached).rfind('\n');
                keep = m_Whole + (lineEnd == std::string_view::npos ? 0 : lineEnd + 1);
            }
            m_File.CutTo(keep);
        }
    }
    m_Buffer.clear();
    return !m_Failed;
}

bool cTextFileWriter::Close() {
    Flush();
    const bool closed = m_File.Close();
    if (!closed && !m_Failed) m_Error = m_File.LastError();
    return !m_Failed && closed;
}

}  // namespace orvik
