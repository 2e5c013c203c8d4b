#pragma once
// How the program reads controllers over LDAP, from the command line.

#include <string>

namespace orvik {

struct cLdapOptions {
    enum class eAuth {
        kKerberos,  // as the signed-in user: the Kerberos ticket (kinit; Linux), Negotiate (Windows)
        kSimple,    // a simple bind with name and password, inside TLS only
    };
    eAuth auth = eAuth::kKerberos;
    std::string bindName;  // user@domain or a DN, for the simple bind
    std::string password;  // kept in memory only
    std::string caFile;    // CA certificates for TLS; empty: the system's store
    bool verifyCertificate = true;
    int networkTimeoutSeconds = 10;
    int operationTimeoutSeconds = 60;
};

}  // namespace orvik
