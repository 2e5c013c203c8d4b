#pragma once
// The file and font dialogs of Windows' common dialog library.

#include <windows.h>

#include "forms/iChoosers.h"

namespace orvik {

// A font of the settings as Windows' LOGFONTW, and back.
LOGFONTW ToLogFontW(const LogFont& font);
LogFont FromLogFontW(const LOGFONTW& font);

class cWin32FileChooser final : public iFileChooser {
public:
    explicit cWin32FileChooser(HWND owner) : m_Owner(owner) {}
    int BrowseForFile(std::u16string& path, const std::u16string& filter1, const std::u16string& filter2,
                      const std::u16string& defaultExtension, bool openMode) override;

private:
    HWND m_Owner;
};

class cWin32FontChooser final : public iFontChooser {
public:
    explicit cWin32FontChooser(HWND owner) : m_Owner(owner) {}
    bool ChooseFont(LogFont& font) override;

private:
    HWND m_Owner;
};

}  // namespace orvik
