#pragma once
// The first-start marker of the Windows program: the DWORD "Startup" under
// SOFTWARE\Corvanta\Ambrel\UserInfo of the machine's hive (HKEY_LOCAL_MACHINE).
// A user without the right to write there (no elevation) gets the value in
// the same key of the user's hive (HKEY_CURRENT_USER) instead, and from then
// on that one is read. Nothing is created in the machine's hive; failures are
// silent.

#include <string>

#include "platform/iDesktop.h"

namespace orvik {

class cRegistryStartupMarker final : public iStartupMarker {
public:
    // The machine's and the user's hive, and the key in each.
    cRegistryStartupMarker();
    // Other roots (opened HKEYs) and key, for a run that must not touch the real ones.
    cRegistryStartupMarker(void* machineRoot, void* userRoot, std::u16string key);

    bool Read(std::uint32_t& value) override;
    void Write(std::uint32_t value) override;

private:
    void* m_MachineRoot;
    void* m_UserRoot;
    std::u16string m_Key;
};

}  // namespace orvik
