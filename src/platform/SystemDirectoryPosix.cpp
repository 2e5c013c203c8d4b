#include "platform/SystemDirectory.h"

#include "platform/cLdapDirectory.h"

namespace orvik {

std::unique_ptr<iNetApi> OpenLdapDirectory(cLdapOptions options) {
    return std::make_unique<cLdapDirectory>(std::move(options));
}

std::unique_ptr<iNetApi> OpenNetApiDirectory() { return nullptr; }

std::u16string LdapOptionsRefused(const cLdapOptions&) { return {}; }

}  // namespace orvik
