#pragma once
// The four calls of Windows' netapi32 the directory of cNetApi32Directory
// makes, as a table of functions, so that the real calls (Windows only) and a
// test's fake are the same to it. The entry layouts are those of Windows'
// USER_INFO_2, WKSTA_INFO_100 and SERVER_INFO_100 (checked against the
// system's headers where the real calls are built).

#include <cstdint>
#include <functional>

namespace orvik {

struct cNetUserInfo2 {
    char16_t* name;
    char16_t* password;
    std::uint32_t passwordAge;
    std::uint32_t priv;
    char16_t* homeDir;
    char16_t* comment;
    std::uint32_t flags;
    char16_t* scriptPath;
    std::uint32_t authFlags;
    char16_t* fullName;
    char16_t* usrComment;
    char16_t* parms;
    char16_t* workstations;
    std::uint32_t lastLogon;
    std::uint32_t lastLogoff;
    std::uint32_t acctExpires;
    std::uint32_t maxStorage;
    std::uint32_t unitsPerWeek;
    std::uint8_t* logonHours;
    std::uint32_t badPwCount;
    std::uint32_t numLogons;
    char16_t* logonServer;
    std::uint32_t countryCode;
    std::uint32_t codePage;
};

struct cNetWkstaInfo100 {
    std::uint32_t platformId;
    char16_t* computerName;
    char16_t* langroup;
    std::uint32_t verMajor;
    std::uint32_t verMinor;
};

struct cNetServerInfo100 {
    std::uint32_t platformId;
    char16_t* name;
};

struct cNetApi32Calls {
    // NetUserEnum(server, level, filter, &buffer, prefMaxLen, &read, &total, &resume)
    std::function<std::uint32_t(const char16_t*, std::uint32_t, std::uint32_t, std::uint8_t**, std::uint32_t,
                                std::uint32_t*, std::uint32_t*, std::uint32_t*)>
        userEnum;
    // NetWkstaGetInfo(server, level, &buffer)
    std::function<std::uint32_t(const char16_t*, std::uint32_t, std::uint8_t**)> wkstaGetInfo;
    // NetServerEnum(server, level, &buffer, prefMaxLen, &read, &total, serverType, domain, &resume)
    std::function<std::uint32_t(const char16_t*, std::uint32_t, std::uint8_t**, std::uint32_t, std::uint32_t*,
                                std::uint32_t*, std::uint32_t, const char16_t*, std::uint32_t*)>
        serverEnum;
    // NetApiBufferFree(buffer)
    std::function<std::uint32_t(void*)> bufferFree;
};

// The system's netapi32 calls; an empty table where there is none.
cNetApi32Calls SystemNetApi32Calls();

}  // namespace orvik
