#include "platform/SystemDirectory.h"

#include "platform/cNetApi32Directory.h"
#include "platform/cWldap32Directory.h"

namespace orvik {

std::unique_ptr<iNetApi> OpenLdapDirectory(cLdapOptions options) {
    return std::make_unique<cWldap32Directory>(SystemWldap32Calls(), std::move(options));
}

std::unique_ptr<iNetApi> OpenNetApiDirectory() { return std::make_unique<cNetApi32Directory>(SystemNetApi32Calls()); }

std::u16string LdapOptionsRefused(const cLdapOptions& options) {
    if (options.caFile.empty()) return {};
    return u"/CAFILE: is not used on Windows: the certificates are checked against the system's store; add the CA "
           u"there (certutil -addstore Root <file>).";
}

}  // namespace orvik
