#pragma once
// A dialog's description as an in-memory dialog template (DLGTEMPLATEEX), in
// "MS Shell Dlg" 8 pt, so that Windows maps its dialog units as it maps
// those of any dialog of its own.

#include <windows.h>

#include <vector>

#include "forms/cForm.h"

namespace orvik {

// The template's words, DWORD-aligned at the start; for DialogBoxIndirectParamW.
std::vector<WORD> BuildDialogTemplate(const cForm& form);

// The Win32 class and style of a control of `kind`.
struct cControlClass {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};
cControlClass ControlClassOf(const cControl& control);

}  // namespace orvik
