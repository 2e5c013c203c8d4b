#pragma once
// The directories of real controllers this build can read: LDAP (built where
// OpenLDAP is, on Linux) and Windows' network management calls (Windows).

#include <memory>

namespace orvik {

class iNetApi;
struct cLdapOptions;

// Controllers over LDAP; nullptr when this build has no LDAP.
std::unique_ptr<iNetApi> OpenLdapDirectory(cLdapOptions options);

// Controllers through the network management calls as the signed-in user;
// nullptr where the system has none. Where there are, they are the default.
std::unique_ptr<iNetApi> OpenNetApiDirectory();

}  // namespace orvik
