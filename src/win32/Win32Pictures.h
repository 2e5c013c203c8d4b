#pragma once
// The pictures the Windows dialogs show, drawn rather than loaded, but the
// program icon, which is the executable's.

#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <string_view>

namespace orvik {

// The program's icon (resource 1), or Windows' application icon in an
// executable without one; shared, never destroyed.
HICON ProgramIcon();
// A new image list of 20 by 16 pictures, masked with white: a computer whose
// screen shows the status colour (0 blue Idle, 1 green Ready, 2 yellow Busy,
// 3 red Error), `count` of them from the first. The caller destroys it.
HIMAGELIST ControllerImages(int count = 1);
// A new image list with one 20 by 16 picture: a person. The caller destroys it.
HIMAGELIST UserImages();
// A new bitmap of `width` by `height` pixels for the picture button `name`. The caller deletes it.
HBITMAP ButtonBitmap(std::u16string_view name, int width, int height);

}  // namespace orvik
