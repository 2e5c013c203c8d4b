// The real main window against a simulated directory, driven headless
// (QT_QPA_PLATFORM=offscreen) and on a virtual X server: widgets are found by
// the object names that carry their ids, questions and messages go through
// the window's message seam, and waits are on conditions or on ticks the
// test makes itself.

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPdfWriter>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <thread>

#include "base/TextCompare.h"
#include "engine/cDomainControllerCollection.h"
#include "engine/cUserDataCollector.h"
#include "forms/Forms.h"
#include "gui/Painted.h"
#include "gui/WhenShown.h"
#include "platform/NetApiCodes.h"
#include "platform/cPosixFileSystem.h"
#include "platform/cSimulatedDirectory.h"
#include "support/ControllerGate.h"
#include "support/GoldenFile.h"
#include "support/SimDc.h"
#include "support/TempFolder.h"
#include "support/TestClock.h"
#include "ui/HelpPage.h"
#include "ui/QtText.h"
#include "ui/cMainDialog.h"
#include "ui/cQtForm.h"
#include "ui/cQtSurface.h"

using namespace orvik;

namespace {

// The print dialog answered: a PDF file of the chosen name, or Cancel.
class PdfPrinter final : public iPrinterChooser {
public:
    std::unique_ptr<iDrawingSurface> ChoosePrinter() override {
        ++asked;
        if (path.empty()) return nullptr;
        return std::make_unique<cQtSurface>(std::make_unique<QPdfWriter>(QString::fromStdString(path)));
    }
    std::string path;
    int asked = 0;
};

class RecordingDesktop final : public iDesktop {
public:
    void Beep() override { ++beeps; }
    void OpenUrl(const std::u16string& url) override { urls.push_back(url); }
    int beeps = 0;
    std::vector<std::u16string> urls;
};

class FakeMarker final : public iStartupMarker {
public:
    bool Read(std::uint32_t& v) override {
        if (!exists) return false;
        v = value;
        return true;
    }
    void Write(std::uint32_t v) override {
        value = v;
        ++writes;
    }
    bool exists = false;
    std::uint32_t value = 0;
    int writes = 0;
};

// The window's messages and questions, recorded; questions get the queued answers (No when none is queued).
class RecordingPrompts final : public iMessageSink, public iQuestions {
public:
    void ShowMessage(const std::u16string& text, const std::u16string&) override { messages.push_back(text); }
    bool AskYesNo(const std::u16string& question, bool) override {
        questions.push_back(question);
        if (answers.empty()) return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::vector<std::u16string> messages, questions;
    std::deque<bool> answers;
};

// Runs `look` on the visible progress window once it shows a text, from
// inside whatever wait the window thread is in.
void WhenProgressShowsText(const std::function<void(QWidget&)>& look) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, look] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() != QStringLiteral("id132") || !w->isVisible()) continue;
            if (w->findChild<QLabel*>(QStringLiteral("id1026"))->text().isEmpty()) return;
            timer->stop();
            timer->deleteLater();
            look(*w);
            return;
        }
    });
    timer->start(0);
}

cSimulatedDirectory::Controller Dc(int i, std::uint32_t users) {
    return test::SimDc(u"DC" + FormatLong(i), users, static_cast<std::uint32_t>(i), 10);
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TempFolder> folder;
    std::unique_ptr<test::TestClock> clock;
    std::unique_ptr<test::ControllerGate> gate;
    std::unique_ptr<cSimulatedDirectory> directory;
    std::unique_ptr<cUserDataCollector> collector;
    std::unique_ptr<cDomainControllerCollection> collection;
    RecordingDesktop desktop;
    FakeMarker marker;
    RecordingPrompts prompts;
    PdfPrinter printer;
    cPosixFileSystem files;
    std::unique_ptr<cMainDialog> window;

    void Build(std::vector<cSimulatedDirectory::Controller> dcs, bool gated, cMainDialogOptions options = {},
               bool listControllers = true) {
        directory = std::make_unique<cSimulatedDirectory>(dcs);
        if (gated) gate->Attach(*directory);
        collector = std::make_unique<cUserDataCollector>(*directory, *clock);
        collection = std::make_unique<cDomainControllerCollection>(*collector, *clock);
        collection->SetConfigPath(folder->File("orvik.cfg"));
        cSetupData& s = collection->Settings();
        s.m_ExportFile = FromUtf8(folder->File("Ambrel.txt"));
        s.m_SummaryFile = FromUtf8(folder->File("LastLogonSummary.txt"));
        options.tickMs = 20;
        options.messages = &prompts;
        options.questions = &prompts;
        options.net = directory.get();
        options.printerChooser = &printer;
        if (listControllers) options.defaultControllers = directory->ControllerNames();
        window = std::make_unique<cMainDialog>(*collection, *collector, *clock, desktop, marker, files, options);
        window->show();
    }
    QPushButton* Button(int id) { return window->findChild<QPushButton*>(QStringLiteral("id%1").arg(id)); }
    QTreeWidget* Controllers() {
        return window->findChild<QTreeWidget*>(QStringLiteral("id%1").arg(kIdControllerList));
    }
    QTreeWidget* Users() { return window->findChild<QTreeWidget*>(QStringLiteral("id%1").arg(kIdUserList)); }
    QString Cell(int row, int column) { return Controllers()->topLevelItem(row)->text(column); }
    int UserRows() { return Users()->topLevelItemCount(); }
    QString UserCount() { return window->findChild<QLabel*>(QStringLiteral("id%1").arg(kIdUserCount))->text(); }
    QString UserCell(int row, int column) { return Users()->topLevelItem(row)->text(column); }
    // Ticks of the window's timer, made now instead of waited for.
    void Ticks(int count) {
        for (int i = 0; i < count; ++i) window->OnTimer();
    }
    bool Exists(const char* name) { return std::filesystem::exists(folder->File(name)); }

private slots:
    void init() {
        folder = std::make_unique<test::TempFolder>();
        clock = std::make_unique<test::TestClock>(1000);
        gate = std::make_unique<test::ControllerGate>();
        desktop = RecordingDesktop();
        marker = FakeMarker();
        prompts = RecordingPrompts();
        printer = PdfPrinter();
    }

    void cleanup() {
        gate->OpenAll();
        if (collection) QVERIFY(collection->StopForExit(30000));
        window.reset();
        collection.reset();
        collector.reset();
        directory.reset();
    }

    void aRunFillsTheRowsLiveAndCompletesOnce() {
        std::vector<cSimulatedDirectory::Controller> dcs;
        for (int i = 0; i < 10; ++i) {
            dcs.push_back(Dc(i, 40));
            dcs.back().delayMs = 15;
        }
        dcs[3].failCode = kErrorAccessDenied;
        dcs[3].failAtCall = 2;
        Build(dcs, false);
        collection->Settings().m_MaxThreads = 4;
        QTest::mouseClick(Button(kIdStart), Qt::LeftButton);
        int mostBusy = 0;
        bool sawBusy = false;
        QTRY_VERIFY_WITH_TIMEOUT(([&] {
                                     int busy = 0;
                                     for (int r = 0; r < 10; ++r) busy += Cell(r, 5) == QStringLiteral("Busy");
                                     mostBusy = std::max(mostBusy, busy);
                                     sawBusy = sawBusy || busy > 0;
                                     return desktop.beeps == 1;
                                 }()),
                                 30000);
        QVERIFY(sawBusy);
        QVERIFY(mostBusy <= 4);
        for (int r = 0; r < 10; ++r) {
            const bool failed = Cell(r, 0) == QStringLiteral("DC3");
            QCOMPARE(Cell(r, 5), failed ? QStringLiteral("Error") : QStringLiteral("Ready"));
            QCOMPARE(Cell(r, 6), failed ? QStringLiteral("5") : QStringLiteral("0"));
            QCOMPARE(
                Controllers()->topLevelItem(r)->toolTip(6),
                failed ? QStringLiteral("Access is denied.") : QStringLiteral("The operation completed successfully."));
            QCOMPARE(Cell(r, 1), failed ? QStringLiteral("10") : QStringLiteral("40"));
            QVERIFY(!Cell(r, 2).isEmpty() && Cell(r, 2) != QStringLiteral("-"));
        }
        QVERIFY(Exists("Ambrel.txt"));
        QVERIFY(Exists("LastLogonSummary.txt"));
        QVERIFY(Exists("orvik.cfg"));
        QCOMPARE(UserRows(), 40);
        QCOMPARE(UserCount(), QStringLiteral("40 of 40 users shown"));
        QVERIFY(Controllers()->header()->length() <= Controllers()->viewport()->width());  // no column cut
        QVERIFY(test::IsPainted(*window, window->objectName()));
        QCOMPARE(desktop.beeps, 1);
        Ticks(5);  // more ticks: the completion actions ran once
        QCOMPARE(desktop.beeps, 1);
        QVERIFY(!Exists("Ambrel1.txt"));
    }

    void theTimedRefreshWaitsForItsPeriodAndForNewResults() {
        Build({Dc(1, 30)}, true);
        collection->Settings().m_RefreshPeriod = 10;
        QTest::mouseClick(Button(kIdStart), Qt::LeftButton);
        Ticks(1);  // the first refresh happened at 1000 with no users yet
        gate->AllowCalls(u"DC1", 1);
        QTRY_COMPARE_WITH_TIMEOUT(collection->GetTotalUsers(), std::size_t{10}, 30000);
        Ticks(3);
        QCOMPARE(UserRows(), 0);  // new results, but the period has not passed
        clock->Set(1010);
        QTRY_COMPARE_WITH_TIMEOUT(UserRows(), 10, 30000);
        Users()->clear();
        clock->Set(3000);
        Ticks(3);
        QCOMPARE(UserRows(), 0);  // the period has passed, but nothing new arrived
    }

    void removeDcRemovesTheTopmostSelectedRow() {
        Build({Dc(1, 0), Dc(2, 0), Dc(3, 0), Dc(4, 0)}, false);
        QVERIFY(!Button(kIdRemoveDc)->isEnabled());
        for (int r : {1, 2, 3}) Controllers()->topLevelItem(r)->setSelected(true);
        QVERIFY(Button(kIdRemoveDc)->isEnabled());
        QTest::mouseClick(Button(kIdRemoveDc), Qt::LeftButton);
        QCOMPARE(Controllers()->topLevelItemCount(), 3);
        QCOMPARE(Cell(0, 0), QStringLiteral("DC1"));
        QCOMPARE(Cell(1, 0), QStringLiteral("DC3"));
        QCOMPARE(collection->FindDomainController(u"DC2"), -1);
        QVERIFY(Exists("orvik.cfg"));
    }

    void resetEmptiesTheUsersSetsRowsIdleAndEndsTheRun() {
        Build({Dc(1, 30), Dc(2, 30)}, true);
        QTest::mouseClick(Button(kIdStart), Qt::LeftButton);
        gate->AllowCalls(u"DC1", 1);
        clock->Set(2000);
        QTRY_COMPARE_WITH_TIMEOUT(UserRows(), 10, 30000);
        prompts.answers = {false, true};
        QTest::mouseClick(Button(kIdReset), Qt::LeftButton);  // No: nothing is discarded
        QCOMPARE(collection->GetTotalUsers(), std::size_t{10});
        // While Reset waits for the workers, its progress window is up and
        // painted; only then are the workers let go.
        QString shownText;
        bool painted = false;
        QPoint offCentre(100, 100);
        WhenProgressShowsText([&](QWidget& progress) {
            shownText = progress.findChild<QLabel*>(QStringLiteral("id1026"))->text();
            painted = test::IsPainted(progress, QStringLiteral("progress-%1").arg(QTest::currentTestFunction()));
            offCentre = progress.geometry().center() - window->geometry().center();
            gate->OpenAll();
            // A tick that comes while the progress window is painted finds
            // the workers gone; the run being reset must not complete in it.
            while (collector->GetRunningCount() > 0) std::this_thread::yield();
            window->OnTimer();
        });
        QTest::mouseClick(Button(kIdReset), Qt::LeftButton);
        QCOMPARE(prompts.questions,
                 std::vector<std::u16string>(2, u"Reset discards the 10 collected users. Continue?"));
        QCOMPARE(UserCount(), QStringLiteral("No users collected yet"));
        QCOMPARE(shownText, QStringLiteral("Waiting for collection process to respond and terminate ..."));
        QVERIFY(painted);
        QVERIFY(offCentre.manhattanLength() <= 2);
        QCOMPARE(UserRows(), 0);
        QCOMPARE(collection->GetTotalUsers(), std::size_t{0});
        for (int r = 0; r < 2; ++r) {
            QCOMPARE(Cell(r, 5), QStringLiteral("Idle"));
            QCOMPARE(Cell(r, 1), QStringLiteral("0"));
            QCOMPARE(Cell(r, 2), QStringLiteral("-"));
        }
        QVERIFY(Exists("orvik.cfg"));
        // A reset run never completes: the ticks after it start and write nothing.
        for (int tick = 0; tick < 5; ++tick) window->OnTimer();
        QCOMPARE(desktop.beeps, 0);
        QVERIFY(!Exists("Ambrel.txt"));
    }

    void theStartUpProgressWindowIsPaintedOverTheScreensCentre() {
        QString shownText;
        bool painted = false;
        QPoint centre;
        WhenProgressShowsText([&](QWidget& progress) {
            shownText = progress.findChild<QLabel*>(QStringLiteral("id1026"))->text();
            painted = test::IsPainted(progress, QStringLiteral("progress-%1").arg(QTest::currentTestFunction()));
            centre = progress.geometry().center();
        });
        Build({Dc(1, 5)}, false);
        QCOMPARE(shownText, QStringLiteral("Starting Ambrel application, reading configuration file ..."));
        QVERIFY(painted);
        const QPoint screen = QApplication::primaryScreen()->availableGeometry().center();
        QVERIFY((centre - screen).manhattanLength() <= 2);
    }

    void aTimedRefreshKeepsTheScrollPositionAndTheSelectedUsers() {
        Build({Dc(1, 300)}, true);
        collection->Settings().m_RefreshPeriod = 10;
        QTest::mouseClick(Button(kIdStart), Qt::LeftButton);
        gate->AllowCalls(u"DC1", 20);
        clock->Set(1010);
        QTRY_VERIFY_WITH_TIMEOUT(UserRows() >= 150, 30000);
        const QString chosen = UserCell(120, 0);
        Users()->topLevelItem(120)->setSelected(true);
        Users()->scrollToItem(Users()->topLevelItem(120));
        const int scrolled = Users()->verticalScrollBar()->value();
        QVERIFY(scrolled > 0);
        gate->OpenAll();
        clock->Set(1020);
        QTRY_COMPARE_WITH_TIMEOUT(desktop.beeps, 1, 30000);  // the refreshes of the run and of its completion
        QCOMPARE(UserRows(), 300);
        QCOMPARE(Users()->verticalScrollBar()->value(), scrolled);
        QCOMPARE(Users()->selectedItems().size(), 1);
        QCOMPARE(Users()->selectedItems()[0]->text(0), chosen);
        QTest::mouseClick(Button(kIdShowResults), Qt::LeftButton);  // an explicit refresh starts afresh
        QVERIFY(Users()->selectedItems().isEmpty());
    }

    void aFailedExportOrSaveIsShownInTheTitleUntilOneSucceeds() {
        Build({Dc(1, 5)}, false);
        collection->Settings().m_ExportFile = FromUtf8(folder->File("missing/Ambrel.txt"));
        const std::string config = folder->File("missing/orvik.cfg");
        collection->SetConfigPath(config);
        QTest::mouseClick(Button(kIdStart), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(desktop.beeps, 1, 30000);
        QVERIFY(window->windowTitle().contains(
            QStringLiteral(" - the export file was not written (No such file or directory)")));
        QVERIFY(window->windowTitle().endsWith(
            QStringLiteral(" - the configuration was not saved (%1: No such file or directory)")
                .arg(QString::fromStdString(config))));
        collection->Settings().m_ExportFile = FromUtf8(folder->File("Ambrel.txt"));
        collection->SetConfigPath(folder->File("orvik.cfg"));
        QTest::mouseClick(Button(kIdSaveResults), Qt::LeftButton);
        prompts.answers = {true};
        QTest::mouseClick(Button(kIdReset), Qt::LeftButton);  // saves
        QCOMPARE(window->windowTitle(), QStringLiteral("Ambrel by Corvanta: www.corvanta.example"));
    }

    void autoStartRunsAtTheFirstTickAndNothingWithoutControllers() {
        cMainDialogOptions options;
        options.autoStart = true;
        Build({Dc(1, 5)}, false, options);
        QTRY_COMPARE_WITH_TIMEOUT(desktop.beeps, 1, 30000);  // started without Start being pressed, and completed
        QVERIFY(Exists("Ambrel.txt"));
        cleanup();
        init();
        Build({}, false, options, false);
        Ticks(5);
        QCoreApplication::processEvents();  // the start the first tick queued
        Ticks(5);
        QCOMPARE(desktop.beeps, 0);
        QVERIFY(!Exists("Ambrel.txt"));
    }

    void aDamagedConfigurationIsSaidOnceAndTheWindowStillOpens() {
        const auto bad = test::ReadGolden("bad_truncated.cfg");
        std::ofstream(folder->File("orvik.cfg"), std::ios::binary)
            .write(reinterpret_cast<const char*>(bad.data()), static_cast<std::streamsize>(bad.size()));
        Build({Dc(1, 5)}, false, {}, false);
        QTRY_COMPARE_WITH_TIMEOUT(prompts.messages.size(), std::size_t{1}, 30000);
        const QString path = QString::fromStdString(folder->File("orvik.cfg"));
        QCOMPARE(ToQt(prompts.messages[0]),
                 QStringLiteral("An attempt was made to access %1 past its end.\nThe program starts with default "
                                "settings; the file will be kept as %1.damaged when the configuration is next "
                                "saved.")
                     .arg(path));
        QCOMPARE(Controllers()->topLevelItemCount(), 0);
        QCOMPARE(UserRows(), 0);
        QCOMPARE(collection->Settings().m_MaxThreads, 4);
    }

    void helpWebMailAndTheFirstStart() {
        Build({}, false);
        QVERIFY(window->findChild<cHelpWindow*>() == nullptr);  // no marker: no first start
        QCOMPARE(marker.writes, 0);
        cleanup();
        marker.exists = true;
        Build({}, false);
        auto* help = window->findChild<cHelpWindow*>();
        QVERIFY(help != nullptr && help->isVisible());  // opened once on the first start
        QCOMPARE(marker.writes, 1);
        QCOMPARE(marker.value, 1000u);
        QTest::mouseClick(Button(kIdWeb), Qt::LeftButton);
        QTest::mouseClick(Button(kIdMail), Qt::LeftButton);
        QCOMPARE(desktop.urls.size(), std::size_t{2});
        QCOMPARE(desktop.urls[0], std::u16string(u"https://www.corvanta.example/"));
        QCOMPARE(desktop.urls[1], std::u16string(u"mailto:support@corvanta.example"));
    }

    void addDcHandsTheChosenNamesOverAndSavesOnOkOnly() {
        Build({Dc(1, 0), Dc(2, 0)}, false);
        auto addDc9 = [&](int ending) {
            test::WhenShown(QStringLiteral("id129"), [ending](QDialog& d) {
                Control<QLineEdit>(d, select_dc::kName)->setText(QStringLiteral("DC9"));
                QTest::mouseClick(Control<QPushButton>(d, select_dc::kAdd), Qt::LeftButton);
                QTest::mouseClick(Control<QPushButton>(d, ending), Qt::LeftButton);
            });
            QTest::mouseClick(Button(kIdAddDc), Qt::LeftButton);
        };
        addDc9(2);
        QCOMPARE(Controllers()->topLevelItemCount(), 2);  // Cancel: nothing changed, nothing saved
        QVERIFY(!Exists("orvik.cfg"));
        addDc9(1);
        QCOMPARE(Controllers()->topLevelItemCount(), 3);
        QVERIFY(collection->FindDomainController(u"DC9") >= 0);
        QVERIFY(Exists("orvik.cfg"));
    }

    void confirmingAnUntouchedDialogChangesNothingAndStillSaves() {
        for (int button : {kIdAddDc, kIdSetup}) {
            init();
            Build({Dc(1, 0), Dc(2, 0), Dc(3, 0)}, false);
            const cSetupData before = collection->Settings();
            test::WhenShown(button == kIdAddDc ? QStringLiteral("id129") : QStringLiteral("id130"), [](QDialog& d) {
                QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("id1")), Qt::LeftButton);
            });
            QTest::mouseClick(Button(button), Qt::LeftButton);
            QVERIFY(Exists("orvik.cfg"));
            QVERIFY(collection->Settings() == before);
            std::vector<std::u16string> names;
            collection->GetControllerNames(names);
            QCOMPARE(names, (std::vector<std::u16string>{u"DC1", u"DC2", u"DC3"}));
            cleanup();
        }
    }

    void printPrintsTheUserListAsShownAndCancelPrintsNothing() {
        Build({Dc(1, 30)}, false);
        QTest::mouseClick(Button(kIdStart), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(desktop.beeps, 1, 30000);
        QTest::mouseClick(Button(kIdPrint), Qt::LeftButton);  // cancelled
        QCOMPARE(printer.asked, 1);
        printer.path = folder->File("printed.pdf");
        collection->Settings().m_HeaderLeft = u"Audit 2026";
        QTest::mouseClick(Button(kIdPrint), Qt::LeftButton);
        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"), {QString::fromStdString(printer.path), QStringLiteral("-")});
        QVERIFY(pdftotext.waitForFinished(30000));
        const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
        QVERIFY(text.contains(QStringLiteral("Audit 2026")));  // the settings' texts, copied in before printing
        QVERIFY(text.contains(QStringLiteral("Total number of users:")));
        QVERIFY(text.indexOf(UserCell(0, 0)) < text.indexOf(UserCell(29, 0)));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
