#pragma once
// The fields of one account entry of a level-2 user enumeration that the
// program uses: user name, full name, comment and last logon.

#include <cstdint>
#include <string>

namespace orvik {

struct UserInfo2 {
    std::u16string name;          // user name
    std::u16string fullName;      // full name
    std::u16string comment;       // description
    std::uint32_t lastLogon = 0;  // seconds since 1970 UTC; 0 = never at this controller
};

}  // namespace orvik
