#include "app/ServerSearch.h"

#include <algorithm>

#include "base/TextCompare.h"
#include "platform/NetApiCodes.h"
#include "platform/NetErrorText.h"
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
                     std::vector<std::u16string>& names, std::int32_t* code) {
    std::int32_t buffer = 8096;
    std::uint32_t resume = 0;
    for (;;) {
        std::vector<std::u16string> page;
        std::uint32_t read = 0, total = 0;
        const std::int32_t result = net.NetServerEnum(domain, 100, serverType, buffer, page, read, total, resume);
        if (result != kNerrSuccess && result != kErrorMoreData) {
            if (code != nullptr) *code = result;
            return -2;
        }
        names.insert(names.end(), page.begin(), page.end());
        if (result == kNerrSuccess) return 0;
        // More to come; a backend that never stops gets no endless loop.
        if (buffer > (1 << 29)) {
            if (code != nullptr) *code = kErrorDsProtocolError;
            return -2;
        }
        buffer *= 2;
    }
}

namespace {

// The backend's notes, one after the other on a line.
std::u16string Joined(const std::vector<std::u16string>& notices) {
    std::u16string text;
    for (const auto& notice : notices) text += (text.empty() ? u"" : u" ") + notice;
    return text;
}

std::u16string WhyNothing(const std::u16string& domain, std::int32_t code, const std::u16string& notices) {
    const std::u16string text = domain.empty() ? u"Search added nothing: no default domain is set in Setup, so the "
                                                 u"computer's own domain was searched. "
                                               : u"Search added nothing for domain '" + domain + u"'. ";
    if (!notices.empty()) return text + notices;
    std::u16string reason =
        code == kErrorNoBrowserServersFound ? u"No domain controller was found" : NetErrorText(code);
    if (!reason.empty() && reason.back() == u'.') reason.pop_back();
    return text + reason + u" (error " + FormatLong(code) + u").";
}

}  // namespace

int SearchDomainControllers(iNetApi& net, const std::u16string& defaultDomains, std::vector<std::u16string>& names,
                            std::u16string* said) {
    names.clear();
    // What the backend noted before this Search is none of its business.
    net.TakeNotices();
    std::vector<std::u16string> domains;
    if (SplitString(defaultDomains, u',', domains) == 0) domains.emplace_back();
    for (const auto& domain : domains) {
        std::int32_t code = 0;
        if (EnumerateServers(net, kControllerServerTypes, domain, names, &code) != 0) {
            names.clear();
            if (said != nullptr) *said = WhyNothing(domain, code, Joined(net.TakeNotices()));
            return -2;
        }
    }
    if (said != nullptr) {
        std::vector<std::u16string> distinct;
        for (const auto& name : names) {
            if (std::none_of(distinct.begin(), distinct.end(),
                             [&](const std::u16string& seen) { return EqualNoCase(seen, name); }))
                distinct.push_back(name);
        }
        const std::u16string notices = Joined(net.TakeNotices());
        *said = u"Search found " + FormatLong(static_cast<std::int64_t>(distinct.size())) +
                (distinct.size() == 1 ? u" domain controller." : u" domain controllers.") +
                (notices.empty() ? u"" : u" " + notices);
    }
    return 0;
}

}  // namespace orvik
