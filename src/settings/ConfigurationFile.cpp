#include "settings/ConfigurationFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "base/TextCompare.h"
#include "base/WriteAll.h"
#include "base/cFileError.h"
#include "base/iWriteSink.h"

namespace orvik {

namespace {

class cFdSink final : public iWriteSink {
public:
    explicit cFdSink(int fd) : m_Fd(fd) {}
    bool Write(const void* data, std::size_t size) override {
        if (WriteAll(m_Fd, data, size)) return true;
        m_Error = LastSystemError();
        return false;
    }
    std::error_code Error() const { return m_Error; }

private:
    int m_Fd;
    std::error_code m_Error;
};

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

bool MakeFolders(const std::string& folder) {
    if (folder.empty() || folder == "." || folder == "/") return true;
    struct stat st {};
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

eReadResult ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::error_code* why) {
    bytes.clear();
    std::error_code ignored;
    std::error_code& reason = why != nullptr ? *why : ignored;
    reason.clear();
    // Non-blocking, so that a pipe in the file's place is refused instead of waited on.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        reason = LastSystemError();
        return errno == ENOENT ? eReadResult::kMissing : eReadResult::kUnreadable;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        // Not a regular file: a folder says so, anything else (a pipe, a device) is refused.
        reason = std::make_error_code(S_ISDIR(st.st_mode) ? std::errc::is_a_directory : std::errc::invalid_argument);
        ::close(fd);
        return eReadResult::kUnreadable;
    }
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    std::uint8_t chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            reason = LastSystemError();
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

std::string ResolveLinks(const std::string& path) {
    std::string resolved = path;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat st {};
        if (::lstat(resolved.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) break;
        std::string target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
        const ssize_t n = ::readlink(resolved.c_str(), target.data(), target.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= target.size()) break;
        target.resize(static_cast<std::size_t>(n));
        resolved = target[0] == '/' ? target : FolderOf(resolved) + "/" + target;
    }
    return resolved;
}

void RemoveStaleTemporaries(const std::string& path) {
    const std::string folder = FolderOf(path);
    const auto slash = path.find_last_of('/');
    const std::string prefix = (slash == std::string::npos ? path : path.substr(slash + 1)) + ".tmp";
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.compare(0, prefix.size(), prefix) != 0) continue;
        // <name>.tmp<pid>.XXXXXX: ours, left by a process that no longer runs.
        char* end = nullptr;
        const long pid = std::strtol(name.c_str() + prefix.size(), &end, 10);
        if (pid <= 0 || end == nullptr || *end != '.') continue;
        if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
        const std::string stale = folder + "/" + name;
        struct stat st {};
        if (::lstat(stale.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid()) {
            ::unlink(stale.c_str());
        }
    }
    ::closedir(dir);
}

int SaveFileReplacing(const std::string& givenPath, const std::function<bool(iWriteSink&)>& produce, bool createFolder,
                      const tSinkDecorator& decorate, cFileError* error) {
    if (givenPath.empty()) {
        SetFileError(error, givenPath, std::make_error_code(std::errc::no_such_file_or_directory));
        return -1;
    }
    // A linked configuration file is saved where the link points, and stays linked.
    const std::string path = ResolveLinks(givenPath);
    const std::string folder = FolderOf(path);
    if (createFolder && !MakeFolders(folder)) {
        SetFileError(error, folder, LastSystemError());
        return -1;
    }
    RemoveStaleTemporaries(path);
    std::string temp = path + ".tmp" + std::to_string(::getpid()) + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());  // created with mode 0600
    if (fd < 0) {
        SetFileError(error, path, LastSystemError());
        return -1;
    }
    bool ok;
    std::error_code reason;
    {
        cFdSink file(fd);
        std::unique_ptr<iWriteSink> decorated = decorate ? decorate(file) : nullptr;
        ok = produce(decorated ? *decorated : file);
        if (!ok) reason = file.Error() ? file.Error() : std::make_error_code(std::errc::io_error);
    }
    if (ok && ::fsync(fd) != 0) {
        ok = false;
        reason = LastSystemError();
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        reason = LastSystemError();
    }
    if (ok && ::rename(temp.c_str(), path.c_str()) != 0) {
        ok = false;
        reason = LastSystemError();
    }
    if (!ok) {
        ::unlink(temp.c_str());
        SetFileError(error, path, reason);
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

std::u16string TooLargeFileText(const std::string& path) {
    return WithPath(u"There is not enough memory to read %1.", path);
}

std::u16string KeptAsideText(const std::string& keptAs) {
    return u"The program starts with default settings; the file will be kept as " + FromUtf8(keptAs) +
           u" when the configuration is next saved.";
}

}  // namespace orvik
