#pragma once
// The calls of Windows' wldap32 the directory of cWldap32Directory makes, as
// a table of functions, so that the real calls (Windows only) and a test's
// fake are the same to it. Result codes are wldap32's (the LDAP C API's
// numbering, ldapcode:: of LdapMapping.h); a handle is wldap32's LDAP*.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace orvik {

enum class eWldapOption {
    kVersion3,     // LDAP_OPT_PROTOCOL_VERSION 3
    kNoReferrals,  // LDAP_OPT_REFERRALS off: chasing them fails the searches
    kTimeLimit,    // LDAP_OPT_TIMELIMIT, in seconds
    kSignAndSeal,  // LDAP_OPT_SIGN and LDAP_OPT_ENCRYPT on
    // LDAP_OPT_SERVER_CERTIFICATE: the program's own check of the server's
    // certificate (1: its chain to a root of the system's store, for its use
    // by a server of the host's name; 0: any certificate passes).
    kServerCertificate,
};

struct cWldapSearch {
    std::u16string base;
    int scope = 0;  // 0 the base, 1 one level, 2 the subtree
    std::u16string filter;
    std::vector<std::u16string> attributes;
    std::uint32_t pageSize = 0;  // not 0: a paged search, going on from `cookie`
    std::string cookie;
    std::uint32_t seconds = 0;  // the search's deadline
};

struct cWldapPage {
    // Per entry, the first value of each attribute asked, in the order asked ("" when there is none).
    std::vector<std::vector<std::u16string>> entries;
    std::string cookie;  // of the next page; empty after the last
    std::uint32_t estimate = 0;
    std::u16string diagnostic;  // the server's words on a failure
};

struct cWldap32Calls {
    // ldap_initW, or ldap_sslinitW (port 636) with `ldaps`; nullptr when there is no handle.
    std::function<void*(const std::u16string& host, bool ldaps)> init;
    std::function<std::uint32_t(void* ld, eWldapOption option, std::uint32_t value)> setOption;
    // ldap_connect with a timeout.
    std::function<std::uint32_t(void* ld, std::uint32_t seconds)> connect;
    // ldap_start_tls_sW.
    std::function<std::uint32_t(void* ld)> startTls;
    // Without a name, ldap_bind_sW with LDAP_AUTH_NEGOTIATE and no credentials
    // (the signed-in user); else a simple bind, answered within `seconds`.
    std::function<std::uint32_t(void* ld, const std::u16string* name, const std::u16string* password,
                                std::uint32_t seconds)>
        bind;
    // ldap_search_ext_sW with the paged-results control when asked for.
    std::function<std::uint32_t(void* ld, const cWldapSearch& search, cWldapPage& page)> search;
    // The server's words on the last failure of `ld` (LDAP_OPT_SERVER_ERROR).
    std::function<std::u16string(void* ld)> serverError;
    // ldap_unbind.
    std::function<void(void* ld)> unbind;
};

// The system's wldap32 calls; an empty table where there is none.
cWldap32Calls SystemWldap32Calls();

}  // namespace orvik
