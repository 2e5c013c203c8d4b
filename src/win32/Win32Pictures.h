#pragma once
// The pictures the Windows dialogs show, drawn rather than loaded, but the
// program icon, which is the executable's.

#include <windows.h>
// after windows.h
#include <commctrl.h>

namespace orvik {

// The program's icon (resource 1), or Windows' application icon in an
// executable without one; shared, never destroyed.
HICON ProgramIcon();
// A new image list of 20 by 16 pictures, masked with white: image 0 is a
// computer with a blue (Idle) screen. The caller destroys it.
HIMAGELIST ControllerImages();

}  // namespace orvik
