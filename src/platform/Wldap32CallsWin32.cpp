// The real wldap32 calls behind the table of Wldap32Calls.h.
#include <windows.h>
// after windows.h
#include <wincrypt.h>
#include <winldap.h>

#include <cstring>
#include <map>
#include <mutex>

#include "base/TextCompare.h"
#include "platform/LdapMapping.h"
#include "platform/Wldap32Calls.h"

namespace orvik {

namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t) && sizeof(ULONG) == sizeof(std::uint32_t));
static_assert(LDAP_SERVER_DOWN == ldapcode::kServerDown && LDAP_TIMEOUT == ldapcode::kTimeout &&
              LDAP_CONNECT_ERROR == ldapcode::kConnectError &&
              LDAP_INVALID_CREDENTIALS == ldapcode::kInvalidCredentials);

LDAP* Ld(void* ld) { return static_cast<LDAP*>(ld); }
PWCHAR Wide(const std::u16string& s) { return reinterpret_cast<PWCHAR>(const_cast<char16_t*>(s.c_str())); }
std::u16string Text(const wchar_t* s) { return s == nullptr ? std::u16string() : reinterpret_cast<const char16_t*>(s); }

// The host each handle was made for, for the check of its server's certificate.
std::mutex g_HostsLock;
std::map<LDAP*, std::u16string> g_Hosts;

// The server's certificate chains to a root of the system's store and is
// meant for a server of the host's name. Windows hands over a reference to
// the certificate, which is ours to free.
BOOLEAN __cdecl CheckCertificate(PLDAP ld, void* serverCert) {
    auto* holder = static_cast<PCCERT_CONTEXT*>(serverCert);
    if (holder == nullptr || *holder == nullptr) return FALSE;
    PCCERT_CONTEXT cert = *holder;
    std::u16string host;
    {
        std::lock_guard<std::mutex> lock(g_HostsLock);
        if (auto it = g_Hosts.find(ld); it != g_Hosts.end()) host = it->second;
    }
    bool trusted = false;
    LPSTR serverAuth[] = {const_cast<LPSTR>(szOID_PKIX_KP_SERVER_AUTH)};
    CERT_CHAIN_PARA para{};
    para.cbSize = sizeof(para);
    para.RequestedUsage.dwType = USAGE_MATCH_TYPE_AND;
    para.RequestedUsage.Usage.cUsageIdentifier = 1;
    para.RequestedUsage.Usage.rgpszUsageIdentifier = serverAuth;
    PCCERT_CHAIN_CONTEXT chain = nullptr;
    if (!host.empty() &&
        ::CertGetCertificateChain(nullptr, cert, nullptr, cert->hCertStore, &para, 0, nullptr, &chain)) {
        SSL_EXTRA_CERT_CHAIN_POLICY_PARA ssl{};
        ssl.cbSize = sizeof(ssl);
        ssl.dwAuthType = AUTHTYPE_SERVER;
        ssl.pwszServerName = Wide(host);
        CERT_CHAIN_POLICY_PARA policy{};
        policy.cbSize = sizeof(policy);
        policy.pvExtraPolicyPara = &ssl;
        CERT_CHAIN_POLICY_STATUS status{};
        status.cbSize = sizeof(status);
        trusted =
            ::CertVerifyCertificateChainPolicy(CERT_CHAIN_POLICY_SSL, chain, &policy, &status) && status.dwError == 0;
        ::CertFreeCertificateChain(chain);
    }
    ::CertFreeCertificateContext(cert);
    return trusted ? TRUE : FALSE;
}

BOOLEAN __cdecl AcceptAnyCertificate(PLDAP, void* serverCert) {
    if (auto* holder = static_cast<PCCERT_CONTEXT*>(serverCert); holder != nullptr && *holder != nullptr) {
        ::CertFreeCertificateContext(*holder);
    }
    return TRUE;
}

std::uint32_t SetOption(void* ld, eWldapOption option, std::uint32_t value) {
    ULONG number = value;
    switch (option) {
        case eWldapOption::kVersion3:
            number = LDAP_VERSION3;
            return ::ldap_set_optionW(Ld(ld), LDAP_OPT_PROTOCOL_VERSION, &number);
        case eWldapOption::kNoReferrals: return ::ldap_set_optionW(Ld(ld), LDAP_OPT_REFERRALS, LDAP_OPT_OFF);
        case eWldapOption::kTimeLimit: return ::ldap_set_optionW(Ld(ld), LDAP_OPT_TIMELIMIT, &number);
        case eWldapOption::kSignAndSeal: {
            const ULONG sign = ::ldap_set_optionW(Ld(ld), LDAP_OPT_SIGN, LDAP_OPT_ON);
            const ULONG seal = ::ldap_set_optionW(Ld(ld), LDAP_OPT_ENCRYPT, LDAP_OPT_ON);
            return sign != LDAP_SUCCESS ? sign : seal;
        }
        case eWldapOption::kServerCertificate:
            return ::ldap_set_optionW(Ld(ld), LDAP_OPT_SERVER_CERTIFICATE,
                                      reinterpret_cast<void*>(value != 0 ? &CheckCertificate : &AcceptAnyCertificate));
    }
    return LDAP_PARAM_ERROR;
}

std::uint32_t Bind(void* ld, const std::u16string* name, const std::u16string* password, std::uint32_t seconds) {
    if (name == nullptr) return ::ldap_bind_sW(Ld(ld), nullptr, nullptr, LDAP_AUTH_NEGOTIATE);
    // Sent and waited for apart, so that the answer has a deadline.
    const ULONG id = ::ldap_simple_bindW(Ld(ld), Wide(*name), Wide(*password));
    if (id == static_cast<ULONG>(-1)) return ::LdapGetLastError();
    l_timeval deadline{static_cast<LONG>(seconds), 0};
    LDAPMessage* result = nullptr;
    const ULONG got = ::ldap_result(Ld(ld), id, LDAP_MSG_ALL, &deadline, &result);
    if (got == 0) {
        ::ldap_abandon(Ld(ld), id);
        return LDAP_TIMEOUT;
    }
    if (got == static_cast<ULONG>(-1) || result == nullptr) return ::LdapGetLastError();
    return ::ldap_result2error(Ld(ld), result, TRUE);
}

std::uint32_t StartTls(void* ld) {
    ULONG serverReturn = 0;
    LDAPMessage* result = nullptr;
    const ULONG rc = ::ldap_start_tls_sW(Ld(ld), &serverReturn, &result, nullptr, nullptr);
    if (result != nullptr) ::ldap_msgfree(result);
    return rc == LDAP_SUCCESS || serverReturn == 0 ? rc : serverReturn;
}

std::u16string FirstValue(LDAP* ld, LDAPMessage* entry, const std::u16string& attribute) {
    berval** values = ::ldap_get_values_lenW(ld, entry, Wide(attribute));
    std::u16string out;
    if (values != nullptr && values[0] != nullptr)
        out = FromUtf8(std::string_view(values[0]->bv_val, values[0]->bv_len));
    if (values != nullptr) ::ldap_value_free_len(values);
    return out;
}

std::uint32_t Search(void* handle, const cWldapSearch& search, cWldapPage& page) {
    LDAP* ld = Ld(handle);
    std::vector<PWCHAR> attributes;
    for (const std::u16string& a : search.attributes) attributes.push_back(Wide(a));
    attributes.push_back(nullptr);
    PLDAPControlW paging = nullptr;
    if (search.pageSize != 0) {
        berval cookie{static_cast<ULONG>(search.cookie.size()), const_cast<char*>(search.cookie.data())};
        const ULONG rc = ::ldap_create_page_controlW(ld, search.pageSize, &cookie, TRUE, &paging);
        if (rc != LDAP_SUCCESS) return rc;
    }
    PLDAPControlW controls[] = {paging, nullptr};
    l_timeval deadline{static_cast<LONG>(search.seconds), 0};
    LDAPMessage* result = nullptr;
    ULONG rc = ::ldap_search_ext_sW(ld, Wide(search.base), static_cast<ULONG>(search.scope), Wide(search.filter),
                                    attributes.data(), 0, paging != nullptr ? controls : nullptr, nullptr, &deadline, 0,
                                    &result);
    if (paging != nullptr) ::ldap_control_freeW(paging);
    if (result == nullptr) return rc != LDAP_SUCCESS ? rc : static_cast<ULONG>(LDAP_NO_RESULTS_RETURNED);
    for (LDAPMessage* e = ::ldap_first_entry(ld, result); e != nullptr; e = ::ldap_next_entry(ld, e)) {
        std::vector<std::u16string> values;
        for (const std::u16string& a : search.attributes) values.push_back(FirstValue(ld, e, a));
        page.entries.push_back(std::move(values));
    }
    ULONG code = rc;
    PWCHAR message = nullptr;
    PLDAPControlW* returned = nullptr;
    if (::ldap_parse_resultW(ld, result, &code, nullptr, &message, nullptr, &returned, FALSE) == LDAP_SUCCESS) {
        rc = code;
        page.diagnostic = Text(message);
    }
    if (message != nullptr) ::ldap_memfreeW(message);
    if (rc == LDAP_SUCCESS && search.pageSize != 0 && returned != nullptr) {
        ULONG estimate = 0;
        berval* cookie = nullptr;
        if (::ldap_parse_page_controlW(ld, returned, &estimate, &cookie) == LDAP_SUCCESS) page.estimate = estimate;
        if (cookie != nullptr) {
            page.cookie.assign(cookie->bv_val, cookie->bv_len);
            ::ber_bvfree(cookie);
        }
    }
    if (returned != nullptr) ::ldap_controls_freeW(returned);
    ::ldap_msgfree(result);
    if (rc != LDAP_SUCCESS) page.entries.clear();
    return rc;
}

}  // namespace

cWldap32Calls SystemWldap32Calls() {
    cWldap32Calls calls;
    calls.init = [](const std::u16string& host, bool ldaps) -> void* {
        LDAP* ld = ldaps ? ::ldap_sslinitW(Wide(host), LDAP_SSL_PORT, 1) : ::ldap_initW(Wide(host), LDAP_PORT);
        if (ld != nullptr) {
            std::lock_guard<std::mutex> lock(g_HostsLock);
            g_Hosts[ld] = host.substr(0, host.find(u':'));  // without a port
        }
        return ld;
    };
    calls.setOption = SetOption;
    calls.connect = [](void* ld, std::uint32_t seconds) -> std::uint32_t {
        l_timeval deadline{static_cast<LONG>(seconds), 0};
        return ::ldap_connect(Ld(ld), &deadline);
    };
    calls.startTls = StartTls;
    calls.bind = Bind;
    calls.search = Search;
    calls.serverError = [](void* ld) {
        PWCHAR text = nullptr;
        std::u16string out;
        if (::ldap_get_optionW(Ld(ld), LDAP_OPT_SERVER_ERROR, &text) == LDAP_SUCCESS && text != nullptr) {
            out = Text(text);
            ::ldap_memfreeW(text);
        }
        return out;
    };
    calls.unbind = [](void* ld) {
        ::ldap_unbind(Ld(ld));
        std::lock_guard<std::mutex> lock(g_HostsLock);
        g_Hosts.erase(Ld(ld));
    };
    return calls;
}

}  // namespace orvik
