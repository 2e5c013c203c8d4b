#pragma once
// Browsing the network for domain controllers, as the controller selection
// dialog's Search does it.

#include <cstdint>
#include <string>
#include <vector>

namespace orvik {

class iNetApi;

// Domain controllers and backup domain controllers.
inline constexpr std::uint32_t kControllerServerTypes = 0x18;

// Empties `pieces`, then appends every piece of `text` between separators, in
// order; empty pieces are dropped, none is trimmed. Returns their number.
int SplitString(const std::u16string& text, char16_t separator, std::vector<std::u16string>& pieces);

// Appends the names of the servers of `serverType` in `domain` (empty: the
// primary domain) to `names`, asking for more with a doubled buffer while the
// answer is "more data". Returns 0, or -2 when a call fails (the entries of
// that call are not appended); `code` then gets the call's result.
int EnumerateServers(iNetApi& net, std::uint32_t serverType, const std::u16string& domain,
                     std::vector<std::u16string>& names, std::int32_t* code = nullptr);

// The controllers of every domain of the comma-separated `defaultDomains`
// (none: the primary domain), in order. Returns 0, or -2 as soon as one
// domain fails, and then `names` is empty: a Search adds all or nothing.
// `said` gets a line for the user: how many controllers were found and what
// the backend noted about them, or which domain failed and why.
int SearchDomainControllers(iNetApi& net, const std::u16string& defaultDomains, std::vector<std::u16string>& names,
                            std::u16string* said = nullptr);

}  // namespace orvik
