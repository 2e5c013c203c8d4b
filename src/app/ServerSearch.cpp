#include "app/ServerSearch.h"

#include "platform/NetApiCodes.h"
#include "platform/iNetApi.h"

namespace orvik {

int SplitString(const std::u16string& text, char16_t separator, std::vector<std::u16string>& pieces) {
    pieces.clear();
    std::size_t at = 0;
    while (at <= text.size()) {
        std::size_t end = text.find(separator, at);
        if (end == std::u16string::npos) end = text.size();
        if (end > at) pieces.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return static_cast<int>(pieces.size());
}

int EnumerateServers(iNetApi& net, std::uint32_t serverType, const std::u16string& domain,
                     std::vector<std::u16string>& names) {
    std::int32_t buffer = 8096;
    std::uint32_t resume = 0;
    for (;;) {
        std::vector<std::u16string> page;
        std::uint32_t read = 0, total = 0;
        const std::int32_t result = net.NetServerEnum(domain, 100, serverType, buffer, page, read, total, resume);
        if (result != kNerrSuccess && result != kErrorMoreData) return -2;
        names.insert(names.end(), page.begin(), page.end());
        if (result == kNerrSuccess) return 0;
        // More to come; a backend that never stops gets no endless loop.
        if (buffer > (1 << 29)) return -2;
        buffer *= 2;
    }
}

int SearchDomainControllers(iNetApi& net, const std::u16string& defaultDomains, std::vector<std::u16string>& names) {
    names.clear();
    std::vector<std::u16string> domains;
    if (SplitString(defaultDomains, u',', domains) == 0) domains.emplace_back();
    for (const auto& domain : domains) {
        if (EnumerateServers(net, kControllerServerTypes, domain, names) != 0) {
            names.clear();
            return -2;
        }
    }
    return 0;
}

}  // namespace orvik
