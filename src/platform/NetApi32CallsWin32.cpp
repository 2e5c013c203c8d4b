// The real netapi32 calls behind the table of NetApi32Calls.h.
#include <windows.h>
// after windows.h
#include <lm.h>

#include <cstddef>

#include "platform/NetApi32Calls.h"

namespace orvik {

namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t) && sizeof(DWORD) == sizeof(std::uint32_t));
static_assert(sizeof(cNetUserInfo2) == sizeof(USER_INFO_2));
static_assert(offsetof(cNetUserInfo2, name) == offsetof(USER_INFO_2, usri2_name));
static_assert(offsetof(cNetUserInfo2, comment) == offsetof(USER_INFO_2, usri2_comment));
static_assert(offsetof(cNetUserInfo2, fullName) == offsetof(USER_INFO_2, usri2_full_name));
static_assert(offsetof(cNetUserInfo2, lastLogon) == offsetof(USER_INFO_2, usri2_last_logon));
static_assert(offsetof(cNetUserInfo2, codePage) == offsetof(USER_INFO_2, usri2_code_page));
static_assert(sizeof(cNetWkstaInfo100) == sizeof(WKSTA_INFO_100));
static_assert(offsetof(cNetWkstaInfo100, langroup) == offsetof(WKSTA_INFO_100, wki100_langroup));
static_assert(sizeof(cNetServerInfo100) == sizeof(SERVER_INFO_100));
static_assert(offsetof(cNetServerInfo100, name) == offsetof(SERVER_INFO_100, sv100_name));

LPCWSTR Wide(const char16_t* s) { return reinterpret_cast<LPCWSTR>(s); }
LPBYTE* Bytes(std::uint8_t** buffer) { return reinterpret_cast<LPBYTE*>(buffer); }
LPDWORD Dword(std::uint32_t* value) { return reinterpret_cast<LPDWORD>(value); }

}  // namespace

cNetApi32Calls SystemNetApi32Calls() {
    cNetApi32Calls calls;
    calls.userEnum = [](const char16_t* server, std::uint32_t level, std::uint32_t filter, std::uint8_t** buffer,
                        std::uint32_t prefMaxLen, std::uint32_t* read, std::uint32_t* total, std::uint32_t* resume) {
        return static_cast<std::uint32_t>(::NetUserEnum(Wide(server), level, filter, Bytes(buffer), prefMaxLen,
                                                        Dword(read), Dword(total), Dword(resume)));
    };
    calls.wkstaGetInfo = [](const char16_t* server, std::uint32_t level, std::uint8_t** buffer) {
        return static_cast<std::uint32_t>(::NetWkstaGetInfo(const_cast<LPWSTR>(Wide(server)), level, Bytes(buffer)));
    };
    calls.serverEnum = [](const char16_t* server, std::uint32_t level, std::uint8_t** buffer, std::uint32_t prefMaxLen,
                          std::uint32_t* read, std::uint32_t* total, std::uint32_t serverType, const char16_t* domain,
                          std::uint32_t* resume) {
        return static_cast<std::uint32_t>(::NetServerEnum(Wide(server), level, Bytes(buffer), prefMaxLen, Dword(read),
                                                          Dword(total), serverType, Wide(domain), Dword(resume)));
    };
    calls.bufferFree = [](void* buffer) { return static_cast<std::uint32_t>(::NetApiBufferFree(buffer)); };
    return calls;
}

}  // namespace orvik
