#pragma once
// How what a directory sends becomes what the program shows: a controller's
// host name, a lastLogon value, an LDAP failure as the program's error code.

#include <cstdint>
#include <string>

namespace orvik {

// The host part of a controller name: without leading backslashes.
std::string LdapHostOf(const std::u16string& server);

// lastLogon (100 ns since 1601, decimal) as seconds since 1970, rounded to
// the nearest second; 0 and "never" give 0, what exceeds 32 bits is clamped.
// A value that is not a plain non-negative number is no logon time: 0, and
// `notATime` is set.
std::uint32_t FileTimeToSeconds(const std::string& fileTime, bool* notATime = nullptr);

// The program's code for an LDAP failure at `stage` ("bind", "starttls", ...).
std::int32_t MapLdapFailure(const char* stage, int ldapResult, const std::string& diagnostic);

}  // namespace orvik
