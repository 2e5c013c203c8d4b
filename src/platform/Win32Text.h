#pragma once
// Windows' wide strings and error codes, for the Windows platform files only.

#include <windows.h>

#include <string>
#include <system_error>

#include "base/TextCompare.h"

namespace orvik {

// A UTF-8 path or text as Windows' UTF-16 (wchar_t is 16 bits there).
inline std::wstring Widen(const std::string& utf8) {
    const std::u16string wide = FromUtf8(utf8);
    return std::wstring(wide.begin(), wide.end());
}

inline std::string Narrow(const wchar_t* wide) {
    if (wide == nullptr) return {};
    return ToUtf8(std::u16string(reinterpret_cast<const char16_t*>(wide)));
}

// A Windows error as the portable reason where there is one ("No space left
// on device" reads the same on every system), else as Windows' own code.
inline std::error_code Win32Error(DWORD code) {
    switch (code) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME: return std::make_error_code(std::errc::no_such_file_or_directory);
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT:
        case ERROR_PRIVILEGE_NOT_HELD: return std::make_error_code(std::errc::permission_denied);
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION: return std::make_error_code(std::errc::device_or_resource_busy);
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return std::make_error_code(std::errc::no_space_on_device);
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS: return std::make_error_code(std::errc::file_exists);
        case ERROR_DIRECTORY: return std::make_error_code(std::errc::not_a_directory);
        case ERROR_FILENAME_EXCED_RANGE: return std::make_error_code(std::errc::filename_too_long);
        case ERROR_INVALID_NAME: return std::make_error_code(std::errc::invalid_argument);
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY: return std::make_error_code(std::errc::not_enough_memory);
        default: return std::error_code(static_cast<int>(code), std::system_category());
    }
}

inline std::error_code LastWin32Error() { return Win32Error(::GetLastError()); }

}  // namespace orvik
