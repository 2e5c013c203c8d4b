#include <unistd.h>

#include <iostream>

#include "app/BatchRun.h"
#include "app/CommandLine.h"
#include "platform/cStdErrMessageSink.h"

int main(int argc, char** argv) {
    using namespace orvik;
    const std::u16string arguments = ArgumentText(argc, argv);
    cStdErrMessageSink messages;
    std::u16string value;
    if (GetCommandLineOption(arguments, u"/BATCH", value) == 0) {
        cBatchSettings settings;
        settings.showProgress = ::isatty(STDERR_FILENO) != 0;
        return RunBatch(arguments, std::cout, std::cerr, messages, settings);
    }
    messages.ShowMessage(u"The window is not part of this build yet; run orvik /BATCH /SIM:demo for a collection "
                         u"without a window.");
    return kBatchUsage;
}
