#pragma once
// The network backend of a build that cannot reach real domain controllers:
// every call answers "not supported" (50), so each controller shows Error 50.

#include "platform/iNetApi.h"

namespace orvik {

class cUnavailableNetApi final : public iNetApi {
public:
    static constexpr std::int32_t kErrorNotSupported = 50;

    std::int32_t NetUserEnum(const std::u16string&, std::uint32_t, std::uint32_t, std::int32_t,
                             std::vector<UserInfo2>& entries, std::uint32_t& entriesRead, std::uint32_t& totalEntries,
                             std::uint32_t&) override {
        entries.clear();
        entriesRead = totalEntries = 0;
        return kErrorNotSupported;
    }
    std::int32_t NetWkstaGetInfo(const std::u16string&, std::uint32_t, std::u16string&) override {
        return kErrorNotSupported;
    }
    std::int32_t NetServerEnum(const std::u16string&, std::uint32_t, std::uint32_t, std::int32_t,
                               std::vector<std::u16string>& names, std::uint32_t& entriesRead,
                               std::uint32_t& totalEntries, std::uint32_t&) override {
        names.clear();
        entriesRead = totalEntries = 0;
        return kErrorNotSupported;
    }
};

}  // namespace orvik
