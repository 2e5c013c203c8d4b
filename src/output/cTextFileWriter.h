#pragma once
// Writes 8-bit text to a file through a buffer, every line feed as CR LF.

#include <string>
#include <string_view>

namespace orvik {

class iOutputFile;

class cTextFileWriter {
public:
    explicit cTextFileWriter(iOutputFile& file) : m_File(file) { m_Buffer.reserve(kBufferSize); }
    // False once any write has failed; nothing more is written then.
    bool Write(std::string_view text);
    // Writes what is buffered and closes the file; false when anything failed.
    bool Close();

private:
    static constexpr std::size_t kBufferSize = 64 * 1024;
    bool Flush();

    iOutputFile& m_File;
    std::string m_Buffer;
    bool m_Failed = false;
};

}  // namespace orvik
