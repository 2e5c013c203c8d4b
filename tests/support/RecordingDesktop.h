#pragma once
// The desktop and the first-start marker, recorded: beeps, the links opened,
// and a marker that exists only when the test says so.

#include <string>
#include <vector>

#include "platform/iDesktop.h"

namespace orvik::test {

class RecordingDesktop final : public iDesktop, public iStartupMarker {
public:
    void Beep() override { ++beeps; }
    void OpenUrl(const std::u16string& url) override { urls.push_back(url); }
    bool Read(std::uint32_t& v) override {
        v = marker;
        return markerExists;
    }
    void Write(std::uint32_t v) override { marker = v; }
    int beeps = 0;
    std::vector<std::u16string> urls;
    bool markerExists = false;
    std::uint32_t marker = 0;
};

}  // namespace orvik::test
