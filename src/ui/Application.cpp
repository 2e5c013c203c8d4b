#include "ui/Application.h"

#include <unistd.h>

#include <QApplication>
#include <QInputDialog>
#include <cstdlib>
#include <iostream>
#include <memory>

#include "app/BatchRun.h"
#include "app/CommandLine.h"
#include "app/NetworkSetup.h"
#include "base/TextCompare.h"
#include "engine/cDomainControllerCollection.h"
#include "engine/cUserDataCollector.h"
#include "platform/cStdErrMessageSink.h"
#include "platform/iNetApi.h"
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
    const cCommandLine arguments(argc, argv);
    std::u16string value;
    if (arguments.HasFlag(u"/BATCH")) {
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
    if (GetCommandLineOption(arguments.Text(), u"/CF:", value) == 0) {
        configPath = ToUtf8(value);
        createFolder = false;
    }
    cMainDialogOptions options;
    options.autoStart = GetCommandLineOption(arguments.Text(), u"/AS", value) == 0;

    // A password is asked for once, kept in memory only.
    auto askPassword = [](const std::string& user) -> std::optional<std::string> {
        bool ok = false;
        const QString password = QInputDialog::getText(
            nullptr, QStringLiteral("Ambrel"), QStringLiteral("Password of %1:").arg(QString::fromStdString(user)),
            QLineEdit::Password, QString(), &ok);
        if (!ok) return std::nullopt;
        return password.toStdString();
    };
    cQtMessageSink startupMessages(nullptr);
    cNetworkSetup network;
    if (!SetUpNetwork(arguments, startupMessages, askPassword, network)) return 2;
    options.defaultControllers = network.defaultControllers;

    cSystemClock clock;
    cPosixFileSystem files;
    cQtDesktop desktop;
    cQtStartupMarker marker;
    cUserDataCollector collector(*network.net, clock);
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
