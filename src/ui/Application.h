#pragma once
// Start-up of the windowed program: the command line, the configuration
// path, the directory backend, the main window, and a clean end.

namespace orvik {

int RunApplication(int argc, char** argv);

}  // namespace orvik
