#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/WriteAll.h"
#include "platform/iFileSystem.h"

namespace orvik {

namespace {

class cPosixFile final : public iOutputFile {
public:
    explicit cPosixFile(int fd) : m_Fd(fd) {}
    ~cPosixFile() override { Close(); }
    bool Write(const void* data, std::size_t size) override { return m_Fd >= 0 && WriteAll(m_Fd, data, size); }
    bool Close() override {
        if (m_Fd < 0) return true;
        const bool ok = ::close(m_Fd) == 0;
        m_Fd = -1;
        return ok;
    }

private:
    int m_Fd;
};

std::unique_ptr<iOutputFile> Open(const std::string& path, int flags) {
    if (path.empty()) return nullptr;
    const int fd = ::open(path.c_str(), flags | O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    return std::make_unique<cPosixFile>(fd);
}

}  // namespace

bool cPosixFileSystem::Exists(const std::string& path) {
    struct stat st{};
    return ::lstat(path.c_str(), &st) == 0;
}

std::unique_ptr<iOutputFile> cPosixFileSystem::Create(const std::string& path) { return Open(path, O_TRUNC); }

std::unique_ptr<iOutputFile> cPosixFileSystem::Append(const std::string& path) { return Open(path, O_APPEND); }

}  // namespace orvik
