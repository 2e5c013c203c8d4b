#pragma once
// The platform's file and font dialogs behind small interfaces, so that the
// dialogs that open them can be driven without them.

#include <string>

#include "settings/FontString.h"

namespace orvik {

class iFileChooser {
public:
    virtual ~iFileChooser() = default;
    // A save-style (or, with `openMode`, open-style) file dialog starting at
    // `path`. Filters are "description|pattern" pairs; the default extension
    // is appended to a typed name without one; overwriting asks first.
    // 0 and `path` replaced by the full path picked, or -1 and `path` unchanged.
    virtual int BrowseForFile(std::u16string& path, const std::u16string& filter1, const std::u16string& filter2,
                              const std::u16string& defaultExtension, bool openMode) = 0;
};

class iFontChooser {
public:
    virtual ~iFontChooser() = default;
    // The font dialog starting at `font`; true and `font` changed when the
    // user confirmed (unchanged when the user changed nothing).
    virtual bool ChooseFont(LogFont& font) = 0;
};

}  // namespace orvik
