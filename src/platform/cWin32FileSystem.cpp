#include "platform/cWin32FileSystem.h"

#include <windows.h>

#include <atomic>

#include "platform/Win32Text.h"

namespace orvik {

namespace {

// Closes a handle when it goes out of scope.
class cHandle {
public:
    explicit cHandle(HANDLE h = INVALID_HANDLE_VALUE) : m_H(h) {}
    ~cHandle() { Close(); }
    cHandle(const cHandle&) = delete;
    cHandle& operator=(const cHandle&) = delete;
    HANDLE Get() const { return m_H; }
    bool Valid() const { return m_H != INVALID_HANDLE_VALUE; }
    bool Close() {
        if (!Valid()) return true;
        const bool ok = ::CloseHandle(m_H) != 0;
        m_H = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE m_H;
};

bool WriteAllTo(HANDLE h, const void* data, std::size_t size, std::error_code& why) {
    const auto* p = static_cast<const char*>(data);
    while (size > 0) {
        const DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!::WriteFile(h, p, chunk, &written, nullptr)) {
            why = LastWin32Error();
            return false;
        }
        if (written == 0) {
            why = std::make_error_code(std::errc::io_error);
            return false;
        }
        p += written;
        size -= written;
    }
    return true;
}

class cWin32File final : public iOutputFile {
public:
    cWin32File(HANDLE h, bool append) : m_File(h), m_Append(append) {}
    ~cWin32File() override { Close(); }
    bool Write(const void* data, std::size_t size) override {
        if (!m_File.Valid()) {
            m_Error = std::make_error_code(std::errc::bad_file_descriptor);
            return false;
        }
        LARGE_INTEGER zero{};
        if (m_Append && !::SetFilePointerEx(m_File.Get(), zero, nullptr, FILE_END)) {
            m_Error = LastWin32Error();
            return false;
        }
        return WriteAllTo(m_File.Get(), data, size, m_Error);
    }
    bool Close() override {
        if (!m_File.Valid()) return true;
        const bool ok = m_File.Close();
        if (!ok) m_Error = LastWin32Error();
        return ok;
    }
    std::error_code LastError() const override { return m_Error; }
    std::uint64_t Size() override {
        LARGE_INTEGER size{};
        if (!m_File.Valid() || !::GetFileSizeEx(m_File.Get(), &size)) return 0;
        return static_cast<std::uint64_t>(size.QuadPart);
    }
    bool CutTo(std::uint64_t size) override {
        LARGE_INTEGER at{};
        at.QuadPart = static_cast<LONGLONG>(size);
        return m_File.Valid() && ::SetFilePointerEx(m_File.Get(), at, nullptr, FILE_BEGIN) &&
               ::SetEndOfFile(m_File.Get());
    }

private:
    cHandle m_File;
    bool m_Append;
    std::error_code m_Error;
};

// True when the open handle is a plain file on a disk: not a folder, a
// device, a pipe, or a reparse point (a link or a junction).
bool IsPlainDiskFile(HANDLE h) {
    if (::GetFileType(h) != FILE_TYPE_DISK) return false;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(h, &info)) return false;
    return (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
}

std::unique_ptr<iOutputFile> Open(const std::string& path, bool append, std::error_code& why) {
    why.clear();
    if (path.empty()) {
        why = std::make_error_code(std::errc::no_such_file_or_directory);
        return nullptr;
    }
    // A link planted in the file's place is opened as itself, never followed,
    // and then refused with anything else that is not a plain file.
    HANDLE h = ::CreateFileW(
        Widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
        // a named pipe in the file's place may not act as the user
        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION,
        nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        why = LastWin32Error();
        return nullptr;
    }
    if (!IsPlainDiskFile(h)) {
        why = std::make_error_code(std::errc::invalid_argument);  // not a regular file
        ::CloseHandle(h);
        return nullptr;
    }
    // Empty it only once it is known to be a plain file.
    if (!append && !::SetEndOfFile(h)) {
        why = LastWin32Error();
        ::CloseHandle(h);
        return nullptr;
    }
    return std::make_unique<cWin32File>(h, append);
}

class cHandleSink final : public iWriteSink {
public:
    explicit cHandleSink(HANDLE h) : m_H(h) {}
    bool Write(const void* data, std::size_t size) override { return WriteAllTo(m_H, data, size, m_Error); }
    std::error_code Error() const { return m_Error; }

private:
    HANDLE m_H;
    std::error_code m_Error;
};

std::size_t LastSeparator(const std::string& path) { return path.find_last_of("/\\"); }

std::string FolderOf(const std::string& path) {
    const auto slash = LastSeparator(path);
    if (slash == std::string::npos) return ".";
    if (slash == 0 || (slash == 2 && path[1] == ':')) return path.substr(0, slash + 1);  // "\" or "C:\"
    return path.substr(0, slash);
}

bool IsFolder(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool MakeFolders(const std::string& folder) {
    if (folder.empty() || folder == "." || IsFolder(folder)) return true;
    const std::string parent = FolderOf(folder);
    if (parent == folder || !MakeFolders(parent)) return false;
    return ::CreateDirectoryW(Widen(folder).c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS;
}

bool ProcessRuns(DWORD pid) {
    HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (process == nullptr) return ::GetLastError() != ERROR_INVALID_PARAMETER;  // no such process
    const bool running = ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    ::CloseHandle(process);
    return running;
}

void RemoveStaleTemporaries(const std::string& path) {
    const auto slash = LastSeparator(path);
    const std::string prefix = (slash == std::string::npos ? path : path.substr(slash + 1)) + ".tmp";
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileW(Widen(folder + prefix + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = Narrow(found.cFileName);
        if (name.compare(0, prefix.size(), prefix) != 0) continue;
        // <name>.tmp<pid>.<n>: ours, left by a process that no longer runs.
        char* end = nullptr;
        const unsigned long pid = std::strtoul(name.c_str() + prefix.size(), &end, 10);
        if (pid == 0 || end == nullptr || *end != '.' || ProcessRuns(static_cast<DWORD>(pid))) continue;
        if ((found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0) {
            ::DeleteFileW(Widen(folder + name).c_str());
        }
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

std::atomic<unsigned> g_TemporaryCount{0};

}  // namespace

iFileSystem& SystemFileSystem() {
    static cWin32FileSystem files;
    return files;
}

// Who may read a file is its access control list's business on Windows,
// which the program does not judge.
bool OthersCanRead(const std::string&) { return false; }

bool cWin32FileSystem::Exists(const std::string& path) {
    return ::GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool cWin32FileSystem::IsRegularFile(const std::string& path) {
    cHandle file(::CreateFileW(Widen(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.Valid() || ::GetFileType(file.Get()) != FILE_TYPE_DISK) return false;
    BY_HANDLE_FILE_INFORMATION info{};
    return ::GetFileInformationByHandle(file.Get(), &info) && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::unique_ptr<iOutputFile> cWin32FileSystem::Create(const std::string& path, std::error_code& why) {
    return Open(path, false, why);
}

std::unique_ptr<iOutputFile> cWin32FileSystem::Append(const std::string& path, std::error_code& why) {
    return Open(path, true, why);
}

eReadResult cWin32FileSystem::ReadWhole(const std::string& path, std::vector<std::uint8_t>& bytes,
                                        std::error_code& why) {
    bytes.clear();
    why.clear();
    // Folders open too (to say what they are); devices and pipes are refused below.
    cHandle file(::CreateFileW(Widen(path).c_str(), GENERIC_READ,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.Valid()) {
        const DWORD code = ::GetLastError();
        why = Win32Error(code);
        return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND ? eReadResult::kMissing
                                                                            : eReadResult::kUnreadable;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileType(file.Get()) != FILE_TYPE_DISK || !::GetFileInformationByHandle(file.Get(), &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        why =
            std::make_error_code((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? std::errc::is_a_directory
                                                                                         : std::errc::invalid_argument);
        return eReadResult::kUnreadable;
    }
    bytes.reserve((static_cast<std::size_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow);
    std::uint8_t chunk[65536];
    for (;;) {
        DWORD n = 0;
        if (!::ReadFile(file.Get(), chunk, sizeof chunk, &n, nullptr)) {
            why = LastWin32Error();
            bytes.clear();
            return eReadResult::kUnreadable;
        }
        if (n == 0) break;
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    return eReadResult::kRead;
}

std::string cWin32FileSystem::ResolveLinks(const std::string& path) {
    const std::wstring wide = Widen(path);
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return path;
    cHandle target(::CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!target.Valid()) return path;
    std::wstring resolved(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        const DWORD n = ::GetFinalPathNameByHandleW(target.Get(), resolved.data(), static_cast<DWORD>(resolved.size()),
                                                    FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (n == 0) return path;
        if (n < resolved.size()) {
            resolved.resize(n);
            // "\\?\C:\x" is "C:\x", "\\?\UNC\server\share" is "\\server\share".
            if (resolved.rfind(L"\\\\?\\UNC\\", 0) == 0) return "\\\\" + Narrow(resolved.c_str() + 8);
            if (resolved.rfind(L"\\\\?\\", 0) == 0) return Narrow(resolved.c_str() + 4);
            return Narrow(resolved.c_str());
        }
        resolved.assign(n, L'\0');
    }
    return path;
}

tResult<> cWin32FileSystem::ReplaceAtomically(const std::string& givenPath,
                                              const std::function<bool(iWriteSink&)>& produce, bool createFolder) {
    if (givenPath.empty()) return Failure({givenPath, std::make_error_code(std::errc::no_such_file_or_directory)});
    // A linked file is saved where the link points, and stays linked.
    const std::string path = ResolveLinks(givenPath);
    const std::string folder = FolderOf(path);
    if (createFolder && !MakeFolders(folder)) return Failure({folder, LastWin32Error()});
    RemoveStaleTemporaries(path);
    const std::string temp = path + ".tmp" + std::to_string(::GetCurrentProcessId()) + "." +
                             std::to_string(g_TemporaryCount.fetch_add(1) + 1);
    const std::wstring wideTemp = Widen(temp);
    cHandle file(
        ::CreateFileW(wideTemp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return Failure({path, LastWin32Error()});
    bool ok;
    std::error_code reason;
    {
        cHandleSink sink(file.Get());
        ok = produce(sink);
        if (!ok) reason = sink.Error() ? sink.Error() : std::make_error_code(std::errc::io_error);
    }
    if (ok && !::FlushFileBuffers(file.Get())) {
        ok = false;
        reason = LastWin32Error();
    }
    if (!file.Close() && ok) {
        ok = false;
        reason = LastWin32Error();
    }
    if (ok &&
        !::MoveFileExW(wideTemp.c_str(), Widen(path).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ok = false;
        reason = LastWin32Error();
    }
    if (!ok) {
        ::DeleteFileW(wideTemp.c_str());
        return Failure({path, reason});
    }
    return {};
}

tResult<> cWin32FileSystem::MoveAside(const std::string& from, const std::string& to) {
    if (!::MoveFileExW(Widen(from).c_str(), Widen(to).c_str(), MOVEFILE_REPLACE_EXISTING)) {
        const DWORD code = ::GetLastError();
        if (code != ERROR_FILE_NOT_FOUND) return Failure({from, Win32Error(code)});
    }
    return {};
}

}  // namespace orvik
