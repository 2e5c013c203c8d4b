#include "app/NetworkSetup.h"

#include <fstream>
#include <iostream>

#include "app/CommandLine.h"
#include "base/TextCompare.h"
#include "platform/CoreDumps.h"
#include "platform/DemoDirectory.h"
#include "platform/LdapOptions.h"
#include "platform/SystemDirectory.h"
#include "platform/SystemFileSystem.h"
#include "platform/cSimulatedDirectory.h"
#include "platform/iMessageSink.h"

namespace orvik {

namespace {

bool ReadPassword(const std::string& source, std::string& password, iMessageSink& messages) {
    std::string line;
    if (source == "-") {
        if (!std::getline(std::cin, line)) return false;
    } else {
        std::ifstream in(source);
        if (!in || !std::getline(in, line)) return false;
        if (OthersCanRead(source)) {
            messages.ShowMessage(u"Warning: the password file " + FromUtf8(source) +
                                 u" can be read by others than its owner (chmod 600 it).");
        }
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    password = line;
    return true;
}

bool ReadSeconds(const cCommandLine& arguments, const char16_t* option, int& seconds, iMessageSink& messages) {
    std::u16string value;
    if (arguments.GetValue(option, value) != 0) return true;
    const std::string text = ToUtf8(value);
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || v < 1 || v > 3600) {
        messages.ShowMessage(std::u16string(option) + u" needs a number of seconds from 1 to 3600.");
        return false;
    }
    seconds = static_cast<int>(v);
    return true;
}

}  // namespace

bool SetUpNetwork(const cCommandLine& arguments, iMessageSink& messages, const tPasswordPrompt& askPassword,
                  cNetworkSetup& out) {
    std::u16string value;
    if (arguments.GetValue(u"/DC:", value) == 0) {
        std::size_t start = 0;
        while (start <= value.size()) {
            const std::size_t comma = value.find(u',', start);
            const std::u16string name =
                value.substr(start, comma == std::u16string::npos ? std::u16string::npos : comma - start);
            if (!name.empty()) out.defaultControllers.push_back(name);
            if (comma == std::u16string::npos) break;
            start = comma + 1;
        }
    }
    if (arguments.GetValue(u"/SIM:", value) == 0) {
        if (value.empty()) {
            messages.ShowMessage(u"/SIM: needs a file name, or demo for the built-in directory.");
            return false;
        }
        std::string error;
        auto simulation = value == u"demo" ? cSimulatedDirectory::FromJson(DemoDirectoryJson(), error)
                                           : cSimulatedDirectory::FromFile(ToUtf8(value), error);
        if (!simulation) {
            messages.ShowMessage(u"The simulated directory cannot be used: " + FromUtf8(error));
            return false;
        }
        if (out.defaultControllers.empty()) out.defaultControllers = simulation->ControllerNames();
        out.net = std::move(simulation);
        return true;
    }

    // Where the system has the network management calls, they read the
    // directory as the signed-in user unless LDAP is asked for (/LDAP, or a
    // user named for it).
    if (!arguments.HasFlag(u"/LDAP") && arguments.GetValue(u"/USER:", value) != 0) {
        if (auto net = OpenNetApiDirectory()) {
            out.net = std::move(net);
            return true;
        }
    }
    cLdapOptions options;
    if (!ReadLdapOptions(arguments, messages, askPassword, options)) return false;
    if (const std::u16string refused = LdapOptionsRefused(options); !refused.empty()) {
        messages.ShowMessage(refused);
        return false;
    }
    out.net = OpenLdapDirectory(std::move(options));
    return true;
}

bool ReadLdapOptions(const cCommandLine& arguments, iMessageSink& messages, const tPasswordPrompt& askPassword,
                     cLdapOptions& options) {
    std::u16string value;
    if (arguments.GetValue(u"/USER:", value) == 0 && !value.empty()) {
        options.auth = cLdapOptions::eAuth::kSimple;
        options.bindName = ToUtf8(value);
        DisableCoreDumps();  // before the password is in memory
        if (arguments.GetValue(u"/PWFILE:", value) == 0) {
            if (value.empty()) {
                messages.ShowMessage(u"/PWFILE: needs a file name, or - for standard input.");
                return false;
            }
            if (!ReadPassword(ToUtf8(value), options.password, messages)) {
                messages.ShowMessage(u"The password cannot be read from " + value + u".");
                return false;
            }
        } else {
            std::optional<std::string> password = askPassword ? askPassword(options.bindName) : std::nullopt;
            if (!password) {
                messages.ShowMessage(
                    u"/USER: needs a password: give /PWFILE:<file>, or /PWFILE:- to read it from "
                    u"standard input.");
                return false;
            }
            options.password = *password;
        }
        // An empty password would make the bind an unauthenticated one,
        // which servers accept without checking anything.
        if (options.password.empty()) {
            messages.ShowMessage(u"The password for /USER: is empty; nothing was sent.");
            return false;
        }
    }
    if (arguments.GetValue(u"/CAFILE:", value) == 0) options.caFile = ToUtf8(value);
    options.verifyCertificate = !arguments.HasFlag(u"/TLSNOVERIFY");
    if (!ReadSeconds(arguments, u"/NETTIMEOUT:", options.networkTimeoutSeconds, messages) ||
        !ReadSeconds(arguments, u"/OPTIMEOUT:", options.operationTimeoutSeconds, messages)) {
        return false;
    }
    return true;
}

}  // namespace orvik
