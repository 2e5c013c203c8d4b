#pragma once
// Writes 8-bit text to a file through a buffer, every line feed as CR LF.
// A write that fails (a full disk) never leaves a torn line behind.

#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>

namespace orvik {

class iOutputFile;

class cTextFileWriter {
public:
    // What a failed write leaves of the text written through this writer.
    enum class eOnFailure {
        kKeepWholeLines,  // every line that reached the file whole
        kKeepNothing,     // nothing: the text is one block, there whole or not at all
    };
    cTextFileWriter(iOutputFile& file, eOnFailure onFailure);
    // False once any write has failed; nothing more is written then.
    bool Write(std::string_view text);
    // Writes what is buffered and closes the file; false when anything failed.
    bool Close();
    // Why the first write or the close failed.
    std::error_code Error() const noexcept { return m_Error; }

private:
    static constexpr std::size_t kBufferSize = 64 * 1024;
    bool Flush();

    iOutputFile& m_File;
    eOnFailure m_OnFailure;
    std::uint64_t m_Start;  // the file's size before the first write
    std::uint64_t m_Whole;  // the file's size after the last write that succeeded
    std::string m_Buffer;
    bool m_Failed = false;
    std::error_code m_Error;
};

}  // namespace orvik
