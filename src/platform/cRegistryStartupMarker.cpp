#include "platform/cRegistryStartupMarker.h"

#include <windows.h>

#include "base/Vendor.h"

namespace orvik {

namespace {

LPCWSTR Wide(const std::u16string& s) { return reinterpret_cast<LPCWSTR>(s.c_str()); }
constexpr wchar_t kValue[] = L"Startup";

bool ReadFrom(HKEY root, const std::u16string& key, std::uint32_t& value) {
    HKEY k = nullptr;
    if (::RegOpenKeyExW(root, Wide(key), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
    DWORD type = 0;
    DWORD data = 0;
    DWORD size = sizeof(data);
    const LONG rc = ::RegQueryValueExW(k, kValue, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size);
    ::RegCloseKey(k);
    if (rc != ERROR_SUCCESS || type != REG_DWORD || size != sizeof(data)) return false;  // another type is unreadable
    value = data;
    return true;
}

bool WriteTo(HKEY k, std::uint32_t value) {
    const DWORD data = value;
    const bool written = ::RegSetValueExW(k, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                                          sizeof(data)) == ERROR_SUCCESS &&
                         ::RegFlushKey(k) == ERROR_SUCCESS;
    ::RegCloseKey(k);
    return written;
}

}  // namespace

cRegistryStartupMarker::cRegistryStartupMarker()
    : cRegistryStartupMarker(HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER,
                             std::u16string(u"SOFTWARE\\") + kVendorName + u"\\" + kProductName + u"\\UserInfo") {}

cRegistryStartupMarker::cRegistryStartupMarker(void* machineRoot, void* userRoot, std::u16string key)
    : m_MachineRoot(machineRoot), m_UserRoot(userRoot), m_Key(std::move(key)) {}

bool cRegistryStartupMarker::Read(std::uint32_t& value) {
    return ReadFrom(static_cast<HKEY>(m_UserRoot), m_Key, value) ||
           ReadFrom(static_cast<HKEY>(m_MachineRoot), m_Key, value);
}

void cRegistryStartupMarker::Write(std::uint32_t value) {
    HKEY k = nullptr;
    if (::RegOpenKeyExW(static_cast<HKEY>(m_MachineRoot), Wide(m_Key), 0, KEY_SET_VALUE, &k) == ERROR_SUCCESS &&
        WriteTo(k, value)) {
        return;
    }
    if (::RegCreateKeyExW(static_cast<HKEY>(m_UserRoot), Wide(m_Key), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k,
                          nullptr) == ERROR_SUCCESS) {
        WriteTo(k, value);
    }
}

}  // namespace orvik
