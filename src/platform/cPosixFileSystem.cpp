#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "base/WriteAll.h"
#include "base/cFileError.h"
#include "platform/iFileSystem.h"

namespace orvik {

namespace {

class cPosixFile final : public iOutputFile {
public:
    explicit cPosixFile(int fd) : m_Fd(fd) {}
    ~cPosixFile() override { Close(); }
    bool Write(const void* data, std::size_t size) override {
        if (m_Fd >= 0 && WriteAll(m_Fd, data, size)) return true;
        m_Error = m_Fd >= 0 ? LastSystemError() : std::make_error_code(std::errc::bad_file_descriptor);
        return false;
    }
    bool Close() override {
        if (m_Fd < 0) return true;
        const bool ok = ::close(m_Fd) == 0;
        if (!ok) m_Error = LastSystemError();
        m_Fd = -1;
        return ok;
    }
    std::error_code LastError() const override { return m_Error; }
    std::uint64_t Size() override {
        struct stat st {};
        if (m_Fd < 0 || ::fstat(m_Fd, &st) != 0) return 0;
        return static_cast<std::uint64_t>(st.st_size);
    }
    bool CutTo(std::uint64_t size) override { return m_Fd >= 0 && ::ftruncate(m_Fd, static_cast<off_t>(size)) == 0; }

private:
    int m_Fd;
    std::error_code m_Error;
};

std::unique_ptr<iOutputFile> Open(const std::string& path, int flags, std::error_code& why) {
    why.clear();
    if (path.empty()) {
        why = std::make_error_code(std::errc::no_such_file_or_directory);
        return nullptr;
    }
    // A link planted in the file's place is not followed, and a pipe without
    // a reader fails at once instead of blocking.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0666);
    if (fd < 0) {
        why = LastSystemError();
        return nullptr;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        why = std::make_error_code(std::errc::invalid_argument);  // not a regular file
        ::close(fd);
        return nullptr;
    }
    // Truncate or append only once the file is known to be a regular one.
    const int status = ::fcntl(fd, F_GETFL);
    if (status < 0 || ::fcntl(fd, F_SETFL, (status & ~O_NONBLOCK) | (flags & O_APPEND)) != 0 ||
        ((flags & O_TRUNC) != 0 && ::ftruncate(fd, 0) != 0)) {
        why = LastSystemError();
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<cPosixFile>(fd);
}

}  // namespace

bool cPosixFileSystem::Exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

std::unique_ptr<iOutputFile> cPosixFileSystem::Create(const std::string& path, std::error_code& why) {
    return Open(path, O_TRUNC, why);
}

std::unique_ptr<iOutputFile> cPosixFileSystem::Append(const std::string& path, std::error_code& why) {
    return Open(path, O_APPEND, why);
}

}  // namespace orvik
