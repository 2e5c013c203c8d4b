// The first-start marker in Windows' registry (run under Wine), with a
// machine's and a user's hive of the test's own under the user's key.
#include "platform/cRegistryStartupMarker.h"

#include <windows.h>
// after windows.h
#include <sddl.h>

#include <gtest/gtest.h>

namespace orvik {
namespace {

constexpr wchar_t kKey[] = L"SOFTWARE\\Corvanta\\Ambrel\\UserInfo";

struct Hives {
    HKEY machine = nullptr, user = nullptr;
    Hives() {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\OrvikMarkerTest");
        ::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\OrvikMarkerTest\\machine", 0, nullptr, 0, KEY_ALL_ACCESS,
                          nullptr, &machine, nullptr);
        ::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\OrvikMarkerTest\\user", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          &user, nullptr);
    }
    ~Hives() {
        ::RegCloseKey(machine);
        ::RegCloseKey(user);
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\OrvikMarkerTest");
    }
    // The machine's marker, as an installer leaves it; `readOnly`: as a user without elevation sees it.
    void Install(DWORD value, bool readOnly) {
        HKEY k = nullptr;
        ::RegCreateKeyExW(machine, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr);
        ::RegSetValueExW(k, L"Startup", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
        PSECURITY_DESCRIPTOR sd = nullptr;
        if (readOnly && ::ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;KRSD;;;WD)", SDDL_REVISION_1,
                                                                               &sd, nullptr)) {
            ::RegSetKeySecurity(k, DACL_SECURITY_INFORMATION, sd);
            ::LocalFree(sd);
        }
        ::RegCloseKey(k);
    }
    bool Has(HKEY root) {
        HKEY k = nullptr;
        if (::RegOpenKeyExW(root, kKey, 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
        ::RegCloseKey(k);
        return true;
    }
};

TEST(RegistryStartupMarker, KeptInTheMachinesHiveOrTheUsersWhenTheMachinesCannotBeWritten) {
    for (const bool readOnly : {false, true}) {
        Hives hives;
        cRegistryStartupMarker marker(hives.machine, hives.user, reinterpret_cast<const char16_t*>(kKey));
        std::uint32_t value = 9;
        EXPECT_FALSE(marker.Read(value));  // not installed: nothing read, nothing made
        EXPECT_FALSE(hives.Has(hives.user));
        hives.Install(0, readOnly);
        ASSERT_TRUE(marker.Read(value));
        EXPECT_EQ(value, 0u);
        marker.Write(1700000000);
        ASSERT_TRUE(marker.Read(value)) << readOnly;
        EXPECT_EQ(value, 1700000000u) << readOnly;
        EXPECT_EQ(hives.Has(hives.user), readOnly);
    }
}

}  // namespace
}  // namespace orvik
