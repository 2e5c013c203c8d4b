#pragma once
// The program's pictures, drawn rather than loaded: the program icon, the
// fourteen button pictures, the four controller status pictures and the user
// picture of the lists.

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace orvik {

QIcon ProgramIcon();
// A button picture of `width` by `height` pixels for the button `name`.
QPixmap ButtonPicture(const QString& name, int width, int height);
// 20 by 16: a computer whose screen shows the status colour (0 blue Idle,
// 1 green Ready, 2 yellow Busy, 3 red Error).
QPixmap ControllerPicture(int image);
// 20 by 16: a person's head.
QPixmap UserPicture();

}  // namespace orvik
