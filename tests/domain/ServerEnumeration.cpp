// For the run against the test domain: the domain controllers of the domain
// named on the command line as the LDAP backend finds them through DNS, one
// a line, sorted; then any notice. Exit status 1 when none was found.

#include <algorithm>
#include <iostream>

#include "base/TextCompare.h"
#include "platform/NetApiCodes.h"
#include "platform/cLdapDirectory.h"

int main(int argc, char** argv) {
    using namespace orvik;
    if (argc != 2) {
        std::cerr << "Usage: orvik_server_enumeration <DNS domain>\n";
        return 2;
    }
    cLdapDirectory directory(cLdapOptions{});
    std::vector<std::u16string> names;
    std::uint32_t read = 0, total = 0, resume = 0;
    const std::int32_t code = directory.NetServerEnum(FromUtf8(argv[1]), 100, kSvTypeDomainCtrl | kSvTypeDomainBakCtrl,
                                                      -1, names, read, total, resume);
    std::sort(names.begin(), names.end());
    for (const std::u16string& name : names) std::cout << ToUtf8(name) << '\n';
    for (const std::u16string& notice : directory.TakeNotices()) std::cout << ToUtf8(notice) << '\n';
    return code == kNerrSuccess ? 0 : 1;
}
