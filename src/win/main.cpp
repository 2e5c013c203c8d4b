// orvik.exe: the window, and the run without one for cmd.exe, PowerShell and
// the Task Scheduler. A console program, so that a batch run's lines reach
// the console it was started from and the caller waits for its exit status;
// the window lets go of a console that was made for it alone (started from
// Explorer), which then closes.
#include <windows.h>
// after windows.h
#include <io.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "app/BatchRun.h"
#include "app/CommandLine.h"
#include "app/ProgramStart.h"
#include "app/Usage.h"
#include "base/TextCompare.h"
#include "base/Vendor.h"
#include "forms/RunMainWindow.h"
#include "platform/SystemFileSystem.h"
#include "platform/cRegistryStartupMarker.h"
#include "platform/cStdErrMessageSink.h"
#include "platform/iNetApi.h"
#include "win32/cWin32MainWindow.h"

namespace {

// The arguments after the program's name, split as Windows programs split them.
std::vector<std::u16string> Arguments(const wchar_t* commandLine) {
    std::vector<std::u16string> arguments;
    int count = 0;
    wchar_t** split = ::CommandLineToArgvW(commandLine, &count);
    if (split == nullptr) return arguments;
    for (int i = 1; i < count; ++i) arguments.emplace_back(reinterpret_cast<const char16_t*>(split[i]));
    ::LocalFree(split);
    return arguments;
}

// The window; the exit status once every worker has stopped.
int RunWindow(const orvik::cCommandLine& arguments, const wchar_t* commandLine) {
    using namespace orvik;
    // No console but the one a user started the program from.
    DWORD processes[2];
    if (::GetConsoleProcessList(processes, 2) == 1) ::FreeConsole();
    cWin32Desktop desktop;
    cProgramStart start;
    // A password is read with /PWFILE: (the signed-in user needs none).
    if (!PrepareStart(arguments, desktop, nullptr, false, start,
                      ConfigPathBesideProgram(reinterpret_cast<const char16_t*>(commandLine)))) {
        return kBatchUsage;
    }
    cRegistryStartupMarker marker;
    return RunMainWindow(start, desktop, marker, SystemFileSystem(), [&](cMainPresenter& presenter) {
        cWin32MainWindow window(presenter, desktop);
        if (window.Window() == nullptr) {
            const DWORD error = ::GetLastError();
            desktop.ShowMessage(
                u"The window could not be opened (error " + FormatLong(static_cast<long>(error)) + u").", kProductName);
            return 1;
        }
        window.Run(SW_SHOWDEFAULT);
        return 0;
    });
}

}  // namespace

int main() {
    using namespace orvik;
    // The lines are UTF-8, as the console is told; the console gets its own
    // code page back when the program ends.
    static const UINT consoleCodePage = ::GetConsoleOutputCP();
    if (consoleCodePage != 0) std::atexit([] { ::SetConsoleOutputCP(consoleCodePage); });
    ::SetConsoleOutputCP(CP_UTF8);
    const wchar_t* commandLine = ::GetCommandLineW();
    const std::vector<std::u16string> words = Arguments(commandLine);
    if (words.size() == 1 && (words[0] == u"/?" || words[0] == u"--help")) {
        std::cout << UsageText();
        return 0;
    }
    if (words.size() == 1 && words[0] == u"--version") {
        std::cout << VersionText();
        return 0;
    }
    const cCommandLine arguments(words);
    if (!arguments.HasFlag(u"/BATCH")) return RunWindow(arguments, commandLine);
    cStdErrMessageSink messages;
    cBatchSettings settings;
    settings.showProgress = ::_isatty(::_fileno(stderr)) != 0;
    settings.configBesideProgram = ConfigPathBesideProgram(reinterpret_cast<const char16_t*>(commandLine));
    return RunBatch(arguments, std::cout, std::cerr, messages, settings);
}
