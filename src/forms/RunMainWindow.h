#pragma once
// The windowed program once its start-up is prepared: the collection over
// the chosen directory, the main window's presenter, and the front end's
// window shown by `show` until it is closed; the exit status once every
// worker has stopped (or their deadline has passed).

#include <functional>

namespace orvik {

class cMainPresenter;
class iDesktop;
class iFileSystem;
class iStartupMarker;
struct cProgramStart;

// `show` makes the window over the presenter and runs it; its result is the exit status.
int RunMainWindow(cProgramStart& start, iDesktop& desktop, iStartupMarker& marker, iFileSystem& files,
                  const std::function<int(cMainPresenter& presenter)>& show);

}  // namespace orvik
