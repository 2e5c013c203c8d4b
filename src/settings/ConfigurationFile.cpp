#include "settings/ConfigurationFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "engine/TextCompare.h"
#include "platform/WriteAll.h"
#include "settings/iWriteSink.h"

namespace orvik {

namespace {

class cFdSink final : public iWriteSink {
public:
    explicit cFdSink(int fd) : m_Fd(fd) {}
    bool Write(const void* data, std::size_t size) override { return WriteAll(m_Fd, data, size); }

private:
    int m_Fd;
};

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

bool MakeFolders(const std::string& folder) {
    if (folder.empty() || folder == "." || folder == "/") return true;
    struct stat st{};
    if (::stat(folder.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
    if (!MakeFolders(FolderOf(folder))) return false;
    return ::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

std::u16string WithPath(std::u16string text, const std::string& path) {
    const std::u16string name = path.empty() ? std::u16string(u"an unnamed file") : FromUtf8(path);
    const auto at = text.find(u"%1");
    if (at != std::u16string::npos) text.replace(at, 2, name);
    return text;
}

}  // namespace

std::string DefaultConfigPath() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && xdg[0] == '/') return std::string(xdg) + "/orvik/orvik.cfg";
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') return std::string(home) + "/.config/orvik/orvik.cfg";
    return "orvik.cfg";
}

eReadResult ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? eReadResult::kMissing : eReadResult::kUnreadable;
    struct stat st{};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return eReadResult::kUnreadable;
    }
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    std::uint8_t chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            bytes.clear();
            return eReadResult::kUnreadable;
        }
        if (n == 0) break;
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    ::close(fd);
    return eReadResult::kRead;
}

int SaveFileReplacing(const std::string& path, const std::function<bool(iWriteSink&)>& produce, bool createFolder,
                      const tSinkDecorator& decorate) {
    if (path.empty()) return -1;
    const std::string folder = FolderOf(path);
    if (createFolder && !MakeFolders(folder)) return -1;
    std::string temp = path + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());  // created with mode 0600
    if (fd < 0) return -1;
    bool ok;
    {
        cFdSink file(fd);
        std::unique_ptr<iWriteSink> decorated = decorate ? decorate(file) : nullptr;
        ok = produce(decorated ? *decorated : file);
    }
    ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return -1;
    }
    // Make the rename itself durable; a failure here loses nothing.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return 0;
}

std::u16string ArchiveErrorText(eArchiveError kind, const std::string& path) {
    switch (kind) {
        case eArchiveError::kEndOfFile: return WithPath(u"An attempt was made to access %1 past its end.", path);
        case eArchiveError::kUnexpectedObject: return WithPath(u"%1 contained an unexpected object.", path);
        case eArchiveError::kBadFormat:
        default: return WithPath(u"%1 has a bad format.", path);
    }
}

std::u16string UnreadableFileText(const std::string& path) { return WithPath(u"%1 could not be opened.", path); }

}  // namespace orvik
