#pragma once
// The file and font dialogs of Qt, over the active window.

#include "forms/iChoosers.h"

namespace orvik {

class cQtFileChooser final : public iFileChooser {
public:
    int BrowseForFile(std::u16string& path, const std::u16string& filter1, const std::u16string& filter2,
                      const std::u16string& defaultExtension, bool openMode) override;
};

class cQtFontChooser final : public iFontChooser {
public:
    bool ChooseFont(LogFont& font) override;
};

}  // namespace orvik
