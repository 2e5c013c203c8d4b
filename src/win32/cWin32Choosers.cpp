#include "win32/cWin32Choosers.h"

#include <commdlg.h>

#include <algorithm>

namespace orvik {
namespace {

// The dialogs go over the window that is active now (a dialog that opened
// them), else over the owner given.
HWND OwnerOr(HWND owner) {
    HWND active = ::GetActiveWindow();
    return active != nullptr ? active : owner;
}

}  // namespace

LOGFONTW ToLogFontW(const LogFont& f) {
    LOGFONTW w{};
    w.lfHeight = f.lfHeight;
    w.lfWidth = f.lfWidth;
    w.lfEscapement = f.lfEscapement;
    w.lfOrientation = f.lfOrientation;
    w.lfWeight = f.lfWeight;
    w.lfItalic = f.lfItalic;
    w.lfUnderline = f.lfUnderline;
    w.lfStrikeOut = f.lfStrikeOut;
    w.lfCharSet = f.lfCharSet;
    w.lfOutPrecision = f.lfOutPrecision;
    w.lfClipPrecision = f.lfClipPrecision;
    w.lfQuality = f.lfQuality;
    w.lfPitchAndFamily = f.lfPitchAndFamily;
    const std::size_t length = std::min(f.lfFaceName.size(), kFaceNameLength);
    std::copy_n(f.lfFaceName.begin(), length, w.lfFaceName);
    return w;
}

LogFont FromLogFontW(const LOGFONTW& w) {
    LogFont f;
    f.lfHeight = w.lfHeight;
    f.lfWidth = w.lfWidth;
    f.lfEscapement = w.lfEscapement;
    f.lfOrientation = w.lfOrientation;
    f.lfWeight = w.lfWeight;
    f.lfItalic = w.lfItalic;
    f.lfUnderline = w.lfUnderline;
    f.lfStrikeOut = w.lfStrikeOut;
    f.lfCharSet = w.lfCharSet;
    f.lfOutPrecision = w.lfOutPrecision;
    f.lfClipPrecision = w.lfClipPrecision;
    f.lfQuality = w.lfQuality;
    f.lfPitchAndFamily = w.lfPitchAndFamily;
    const wchar_t* end = std::find(std::begin(w.lfFaceName), std::end(w.lfFaceName), L'\0');
    f.lfFaceName.assign(std::begin(w.lfFaceName), end);
    return f;
}

int cWin32FileChooser::BrowseForFile(std::u16string& path, const std::u16string& filter1, const std::u16string& filter2,
                                     const std::u16string& defaultExtension, bool openMode) {
    // "description|pattern" pairs, each part ending in a null, the list in two.
    std::u16string filter = filter1 + (filter2.empty() ? u"" : u"|" + filter2) + u"||";
    std::replace(filter.begin(), filter.end(), u'|', u'\0');
    std::wstring file(std::max<std::size_t>(path.size() + 1, MAX_PATH * 4), L'\0');
    std::copy(path.begin(), path.end(), file.begin());
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = OwnerOr(m_Owner);
    dialog.lpstrFilter = reinterpret_cast<const wchar_t*>(filter.c_str());
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrDefExt =
        defaultExtension.empty() ? nullptr : reinterpret_cast<const wchar_t*>(defaultExtension.c_str());
    dialog.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR;
    const BOOL picked = openMode ? ::GetOpenFileNameW(&dialog) : ::GetSaveFileNameW(&dialog);
    if (!picked) return -1;
    path.assign(file.c_str(), file.c_str() + std::char_traits<wchar_t>::length(file.c_str()));
    return 0;
}

bool cWin32FontChooser::ChooseFont(LogFont& font) {
    LOGFONTW chosen = ToLogFontW(font);
    CHOOSEFONTW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = OwnerOr(m_Owner);
    dialog.lpLogFont = &chosen;
    dialog.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    if (!::ChooseFontW(&dialog)) return false;
    font = FromLogFontW(chosen);
    return true;
}

}  // namespace orvik
