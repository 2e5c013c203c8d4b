#pragma once
// What the window asks of the desktop: a beep, opening a web page or a mail
// message, and the first-start marker kept by the system.

#include <cstdint>
#include <string>

namespace orvik {

class iDesktop {
public:
    virtual ~iDesktop() = default;
    virtual void Beep() = 0;
    // Opens an address (https:, mailto:) with the desktop's program for it; failures are ignored.
    virtual void OpenUrl(const std::u16string& url) = 0;
};

// The system-wide first-start marker ("Startup": 0 until the program first ran).
class iStartupMarker {
public:
    virtual ~iStartupMarker() = default;
    // True with the value when the marker exists and holds a number.
    virtual bool Read(std::uint32_t& value) = 0;
    virtual void Write(std::uint32_t value) = 0;
};

}  // namespace orvik
