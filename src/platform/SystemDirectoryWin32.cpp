#include "platform/SystemDirectory.h"

#include "platform/cLdapDirectory.h"
#include "platform/cNetApi32Directory.h"

namespace orvik {

// LDAP through wldap32 is not built yet.
std::unique_ptr<iNetApi> OpenLdapDirectory(cLdapOptions) { return nullptr; }

std::unique_ptr<iNetApi> OpenNetApiDirectory() { return std::make_unique<cNetApi32Directory>(SystemNetApi32Calls()); }

}  // namespace orvik
