#pragma once
// Which directory the program reads, from the command line:
//   /SIM:<file> or /SIM:demo        a simulated directory
//   otherwise real controllers: on Windows through the network management
//   calls as the signed-in user, unless /LDAP or /USER: asks for LDAP;
//   on Linux (and with /LDAP or /USER: on Windows) over LDAP:
//     /USER:<name>                  simple bind as this user (user@domain or a DN), inside TLS;
//                                   without it, as the signed-in user (Linux: Kerberos
//                                   from the user's ticket of kinit; Windows: Negotiate)
//     /PWFILE:<file> or /PWFILE:-   the password's file, or standard input (first line, not empty)
//     /CAFILE:<file>                CA certificates for TLS (else the system's store; Linux)
//     /TLSNOVERIFY                  accept any certificate (only when asked for)
//     /NETTIMEOUT:<s> /OPTIMEOUT:<s>  network and operation timeouts (10 and 60)
//   /DC:<name>,<name>...            controllers to list when the configuration lists none

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace orvik {

class cCommandLine;
struct cLdapOptions;
class iMessageSink;
class iNetApi;

struct cNetworkSetup {
    std::unique_ptr<iNetApi> net;
    std::vector<std::u16string> defaultControllers;
};

// Asks the user for the password when none came with the command line;
// nothing when there is no one to ask or the user declined.
using tPasswordPrompt = std::function<std::optional<std::string>(const std::string& user)>;

// False after saying what is wrong with the options.
bool SetUpNetwork(const cCommandLine& arguments, iMessageSink& messages, const tPasswordPrompt& askPassword,
                  cNetworkSetup& out);

// The options of the LDAP directory from the command line; false after
// saying what is wrong with them.
bool ReadLdapOptions(const cCommandLine& arguments, iMessageSink& messages, const tPasswordPrompt& askPassword,
                     cLdapOptions& options);

}  // namespace orvik
