#pragma once
// Result codes and constants of the network management calls, with the
// values administrators know from Windows.

#include <cstdint>

namespace orvik {

inline constexpr std::int32_t kNerrSuccess = 0;
inline constexpr std::int32_t kErrorAccessDenied = 5;
inline constexpr std::int32_t kErrorNotEnoughMemory = 8;
inline constexpr std::int32_t kErrorBadNetPath = 53;  // the network path was not found
inline constexpr std::int32_t kErrorInvalidParameter = 87;
inline constexpr std::int32_t kErrorInvalidLevel = 124;
inline constexpr std::int32_t kErrorMaxThreadsReached = 164;  // no more threads can be created
inline constexpr std::int32_t kErrorMoreData = 234;           // more entries are waiting
inline constexpr std::int32_t kErrorRpcServerUnavailable = 1722;

inline constexpr std::uint32_t kFilterNormalAccount = 2;
inline constexpr std::uint32_t kSvTypeDomainCtrl = 0x8;
inline constexpr std::uint32_t kSvTypeDomainBakCtrl = 0x10;
inline constexpr std::int32_t kMaxPreferredLength = -1;  // "as much as there is"

}  // namespace orvik
