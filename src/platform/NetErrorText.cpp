#include "platform/NetErrorText.h"

#include "base/TextCompare.h"
#include "platform/NetApiCodes.h"

namespace orvik {

namespace {

struct Entry {
    std::int32_t code;
    const char16_t* text;
};

constexpr Entry kTexts[] = {
    {kNerrSuccess, u"The operation completed successfully."},
    {kErrorAccessDenied, u"Access is denied."},
    {kErrorNotEnoughMemory, u"Not enough memory resources are available to process this command."},
    {50, u"The request is not supported."},
    {kErrorBadNetPath, u"The network path was not found."},
    {kErrorInvalidParameter, u"The parameter is incorrect."},
    {kErrorInvalidLevel, u"The system call level is not correct."},
    {kErrorMaxThreadsReached, u"No more threads can be created in the system."},
    {kErrorMoreData, u"More data is available."},
    {kErrorLogonFailure, u"The user name or password is incorrect."},
    {kErrorPasswordExpired, u"The password of this user has expired."},
    {kErrorAccountDisabled, u"This user can't sign in because this account is currently disabled."},
    {kErrorInternalError, u"An internal error occurred."},
    {kErrorTimeout, u"This operation returned because the timeout period expired."},
    {kErrorRpcServerUnavailable, u"The RPC server is unavailable."},
    {kErrorAccountLockedOut, u"The referenced account is currently locked out and may not be logged on to."},
    {kErrorNoBrowserServersFound, u"The list of servers for this workgroup is not currently available."},
    {kErrorDsProtocolError, u"A protocol error occurred."},
    {kErrorDsGeneric, u"A directory service error has occurred."},
    {kSecUntrustedRoot, u"The certificate chain was issued by an authority that is not trusted."},
    {kSecNoCredentials, u"No credentials are available in the security package."},
};

}  // namespace

std::u16string NetErrorText(std::int32_t code) {
    for (const Entry& e : kTexts) {
        if (e.code == code) return e.text;
    }
    return u"Error " + FormatLong(code);
}

}  // namespace orvik
