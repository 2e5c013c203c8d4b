#include "ui/Application.h"

#include <unistd.h>

#include <QApplication>
#include <cstdlib>
#include <iostream>
#include <memory>

#include "app/BatchRun.h"
#include "app/CommandLine.h"
#include "engine/TextCompare.h"
#include "engine/cDomainControllerCollection.h"
#include "engine/cUserDataCollector.h"
#include "platform/DemoDirectory.h"
#include "platform/cSimulatedDirectory.h"
#include "platform/cStdErrMessageSink.h"
#include "platform/cUnavailableNetApi.h"
#include "platform/iClock.h"
#include "platform/iFileSystem.h"
#include "settings/ConfigurationFile.h"
#include "ui/cMainDialog.h"
#include "ui/cQtDesktop.h"

namespace orvik {

namespace {

// How long leaving waits for workers to see their stop request and end.
constexpr std::int32_t kExitWaitMs = 30000;

}  // namespace

int RunApplication(int argc, char** argv) {
    const std::u16string arguments = ArgumentText(argc, argv);
    std::u16string value;
    if (GetCommandLineOption(arguments, u"/BATCH", value) == 0) {
        cStdErrMessageSink messages;
        cBatchSettings settings;
        settings.showProgress = ::isatty(STDERR_FILENO) != 0;
        return RunBatch(arguments, std::cout, std::cerr, messages, settings);
    }

    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Corvanta"));
    QApplication::setApplicationName(QStringLiteral("Ambrel"));

    std::string configPath = DefaultConfigPath();
    bool createFolder = true;
    if (GetCommandLineOption(arguments, u"/CF:", value) == 0) {
        configPath = ToUtf8(value);
        createFolder = false;
    }
    cMainDialogOptions options;
    options.autoStart = GetCommandLineOption(arguments, u"/AS", value) == 0;

    std::unique_ptr<iNetApi> net;
    if (GetCommandLineOption(arguments, u"/SIM:", value) == 0) {
        std::string error;
        std::unique_ptr<cSimulatedDirectory> simulation =
            value == u"demo" ? cSimulatedDirectory::FromJson(DemoDirectoryJson(), error)
                             : cSimulatedDirectory::FromFile(ToUtf8(value), error);
        if (!simulation) {
            cQtMessageSink(nullptr).ShowMessage(u"The simulated directory cannot be used: " + FromUtf8(error),
                                                u"Ambrel");
            return 2;
        }
        options.defaultControllers = simulation->ControllerNames();
        net = std::move(simulation);
    } else {
        net = std::make_unique<cUnavailableNetApi>();
    }

    cSystemClock clock;
    cPosixFileSystem files;
    cQtDesktop desktop;
    cQtStartupMarker marker;
    cUserDataCollector collector(*net, clock);
    cDomainControllerCollection collection(collector, clock);
    collection.SetConfigPath(configPath, createFolder);
    {
        cMainDialog window(collection, collector, clock, desktop, marker, files, options);
        window.exec();
    }
    // Closing does not wait for a run, but no worker may outlive what it
    // reports to: stop them and wait; should one not end, leave at once
    // without destroying anything.
    if (!collection.StopForExit(kExitWaitMs)) std::_Exit(0);
    return 0;
}

}  // namespace orvik
