#include "ui/Application.h"

#include <unistd.h>

#include <QApplication>
#include <QGuiApplication>
#include <QInputDialog>
#include <cstdlib>
#include <iostream>
#include <memory>

#include "app/BatchRun.h"
#include "app/CommandLine.h"
#include "app/NetworkSetup.h"
#include "app/ProgramStart.h"
#include "app/Usage.h"
#include "base/TextCompare.h"
#include "base/Vendor.h"
#include "forms/RunMainWindow.h"
#include "platform/BrokenPipes.h"
#include "platform/cPosixFileSystem.h"
#include "platform/cStdErrMessageSink.h"
#include "platform/iNetApi.h"
#include "settings/ConfigurationFile.h"
#include "ui/QtText.h"
#include "ui/cMainDialog.h"
#include "ui/cQtDesktop.h"
#include "ui/cQtPdfReportWriter.h"

namespace orvik {

int RunApplication(int argc, char** argv) {
    // The window and the batch run alike: the LDAP connections send without
    // SIGPIPE themselves, and no other peer (a closed pipe on the standard
    // output, a library's own socket) may end a run and lose its results.
    IgnoreBrokenPipes();
    const cCommandLine arguments(argc, argv);
    if (argc == 2) {
        const std::string only = argv[1];
        if (only == "/?" || only == "--help") {
            std::cout << UsageText();
            return 0;
        }
        if (only == "--version") {
            std::cout << VersionText();
            return 0;
        }
    }
    if (arguments.HasFlag(u"/BATCH")) {
        cStdErrMessageSink messages;
        cBatchSettings settings;
        settings.showProgress = ::isatty(STDERR_FILENO) != 0;
        // A PDF report is drawn with Qt, which needs no display for it: a
        // scheduled run has none, whatever the session it was started from
        // left in the environment.
        std::u16string pdf;
        std::unique_ptr<QGuiApplication> drawing;
        cQtPdfReportWriter pdfWriter;
        if (GetCommandLineOption(arguments.Text(), u"/PDF:", pdf) == 0) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            qunsetenv("QT_QPA_PLATFORMTHEME");
            // Qt's notes about the desktop it is not on are no business of a scheduled run.
            qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
                if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << text.toStdString() << '\n';
            });
            drawing = std::make_unique<QGuiApplication>(argc, argv);
            settings.pdfWriter = &pdfWriter;
        }
        return RunBatch(arguments, std::cout, std::cerr, messages, settings);
    }

    QApplication app(argc, argv);
    QApplication::setOrganizationName(ToQt(kVendorName));
    QApplication::setApplicationName(ToQt(kProductName));

    // A password is asked for once, kept in memory only.
    auto askPassword = [](const std::string& user) -> std::optional<std::string> {
        bool ok = false;
        const QString password = QInputDialog::getText(
            nullptr, ToQt(kProductName), QStringLiteral("Password of %1:").arg(QString::fromStdString(user)),
            QLineEdit::Password, QString(), &ok);
        if (!ok) return std::nullopt;
        return password.toStdString();
    };
    cQtMessageSink startupMessages(nullptr);
    if (const std::u16string_view option = arguments.UnclosedQuote(); !option.empty()) {
        startupMessages.ShowMessage(std::u16string(option) + u" opens a double quote that is never closed.",
                                    kProductName);
        return 2;
    }
    cProgramStart start;
    if (!PrepareStart(arguments, startupMessages, askPassword, false, start)) return 2;
    cPosixFileSystem files;
    cQtDesktop desktop;
    cQtStartupMarker marker;
    return RunMainWindow(start, desktop, marker, files, [](cMainPresenter& presenter) {
        cMainDialog window(presenter);
        window.exec();
        return 0;
    });
}

}  // namespace orvik
