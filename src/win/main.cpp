// orvik.exe: the run without a window, for cmd.exe, PowerShell and the Task
// Scheduler. A console program, so that its lines reach the console it was
// started from and the caller waits for its exit status; the window is not
// built for Windows yet.
#include <windows.h>
// after windows.h
#include <io.h>
#include <shellapi.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "app/BatchRun.h"
#include "app/CommandLine.h"
#include "app/ProgramStart.h"
#include "app/Usage.h"
#include "platform/cStdErrMessageSink.h"

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

}  // namespace

int main() {
    using namespace orvik;
    // The lines are UTF-8, as the console is told.
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
    if (!arguments.HasFlag(u"/BATCH")) {
        std::cerr << "orvik: the window is not built for Windows yet; run orvik /BATCH (orvik /? lists the options).\n";
        return kBatchUsage;
    }
    cStdErrMessageSink messages;
    cBatchSettings settings;
    settings.showProgress = ::_isatty(::_fileno(stderr)) != 0;
    settings.configBesideProgram = ConfigPathBesideProgram(reinterpret_cast<const char16_t*>(commandLine));
    return RunBatch(arguments, std::cout, std::cerr, messages, settings);
}
