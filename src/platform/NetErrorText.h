#pragma once
// The meaning of the result codes a controller row can show, in the words
// administrators know from Windows. One table for the whole program: the
// tooltip of the error cell and the documentation take it from here.

#include <cstdint>
#include <string>

namespace orvik {

inline constexpr std::int32_t kErrorAccountDisabled = 1331;
inline constexpr std::int32_t kErrorPasswordExpired = 1330;
inline constexpr std::int32_t kErrorLogonFailure = 1326;
inline constexpr std::int32_t kErrorInternalError = 1359;
inline constexpr std::int32_t kErrorTimeout = 1460;
inline constexpr std::int32_t kErrorAccountLockedOut = 1909;
inline constexpr std::int32_t kErrorNoBrowserServersFound = 6118;
inline constexpr std::int32_t kErrorDsProtocolError = 8225;  // a server that pages without end
inline constexpr std::int32_t kErrorDsGeneric = 8341;
inline constexpr std::int32_t kSecUntrustedRoot = static_cast<std::int32_t>(0x80090325u);
inline constexpr std::int32_t kSecNoCredentials = static_cast<std::int32_t>(0x8009030Eu);

// The text for a code; an unknown code gives "Error <code>".
std::u16string NetErrorText(std::int32_t code);

}  // namespace orvik
