#pragma once
// The directories of real controllers this build can read: LDAP (OpenLDAP's
// libldap on Linux, wldap32 on Windows) and Windows' network management calls.

#include <memory>
#include <string>

namespace orvik {

class iNetApi;
struct cLdapOptions;

// Controllers over LDAP.
std::unique_ptr<iNetApi> OpenLdapDirectory(cLdapOptions options);

// Controllers through the network management calls as the signed-in user;
// nullptr where the system has none. Where there are, they are the default.
std::unique_ptr<iNetApi> OpenNetApiDirectory();

// Why this build's LDAP cannot work with `options`, or nothing.
std::u16string LdapOptionsRefused(const cLdapOptions& options);

}  // namespace orvik
