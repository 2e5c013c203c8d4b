// The real main window against a simulated directory, headless
// (QT_QPA_PLATFORM=offscreen) and on a virtual X server: what needs Qt (the
// window drawn from its description, painting, the progress window, the
// dialogs opened). Its behaviour is tested on the
// presenter without a screen; widgets are found by the object names that
// carry their ids.

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <functional>
#include <memory>

#include "forms/Forms.h"
#include "gui/Painted.h"
#include "gui/WhenShown.h"
#include "platform/NetApiCodes.h"
#include "platform/cSimulatedDirectory.h"
#include "support/ControllerGate.h"
#include "support/MainRig.h"
#include "support/RecordingMessages.h"
#include "support/SimDc.h"
#include "support/TestClock.h"
#include "ui/HelpPage.h"
#include "ui/cMainDialog.h"
#include "ui/cQtForm.h"

using namespace orvik;
using namespace orvik::main_window;
using orvik::test::Dc;

namespace {

// Runs `look` on the visible progress window once it shows a text, from
// inside whatever wait the window thread is in.
void WhenProgressShowsText(const std::function<void(QDialog&)>& look) {
    test::WhenShown(QStringLiteral("id132"), look, [](QDialog& progress) {
        return !progress.findChild<QLabel*>(QStringLiteral("id1026"))->text().isEmpty();
    });
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TempFolder> folder;
    std::unique_ptr<test::TestClock> clock;
    std::unique_ptr<test::ControllerGate> gate;
    test::RecordingDesktop desktop;
    test::RecordingMessages messages;
    std::unique_ptr<test::MainRig> rig;
    std::unique_ptr<cMainDialog> window;

    void Build(std::vector<cSimulatedDirectory::Controller> dcs, bool gated) {
        cMainOptions options;
        options.tickMs = 20;
        rig = std::make_unique<test::MainRig>(std::make_unique<cSimulatedDirectory>(dcs), *clock, *folder, desktop,
                                              options);
        if (gated) gate->Attach(*rig->directory);
        window = std::make_unique<cMainDialog>(*rig->presenter, cMainDialogOptions{&messages});
        window->show();
    }
    QPushButton* Button(int id) { return Control<QPushButton>(*window, id); }
    QTreeWidget* Controllers() { return Control<QTreeWidget>(*window, kControllerList); }
    QString Cell(int row, int column) { return Controllers()->topLevelItem(row)->text(column); }

private slots:
    void init() {
        folder = std::make_unique<test::TempFolder>();
        clock = std::make_unique<test::TestClock>(1000);
        gate = std::make_unique<test::ControllerGate>();
        desktop = test::RecordingDesktop();
    }

    void cleanup() {
        gate->OpenAll();
        if (rig) QVERIFY(rig->collection.StopForExit(30000));
        window.reset();
        rig.reset();
    }

    void aRunFillsTheRowsLiveOnItsTimerAndPaintsThem() {
        std::vector<cSimulatedDirectory::Controller> dcs{Dc(1, 40), Dc(2, 40), Dc(3, 40)};
        for (auto& dc : dcs) dc.delayMs = 15;
        dcs[2].failCode = kErrorAccessDenied;
        dcs[2].failAtCall = 2;
        Build(dcs, false);
        QTest::mouseClick(Button(kStart), Qt::LeftButton);
        bool sawBusy = false;  // the rows change while the run goes on, not only at its end
        QTRY_VERIFY_WITH_TIMEOUT(([&] {
                                     for (int r = 0; r < 3; ++r)
                                         sawBusy = sawBusy || Cell(r, 5) == QStringLiteral("Busy");
                                     return desktop.beeps == 1;
                                 }()),
                                 30000);
        QVERIFY(sawBusy);
        QCOMPARE(Controllers()->topLevelItem(2)->toolTip(6), QStringLiteral("Access is denied."));
        QCOMPARE(Controllers()->topLevelItem(0)->toolTip(6), QStringLiteral("The operation completed successfully."));
        QCOMPARE(Control<QLabel>(*window, kUserCount)->text(), QStringLiteral("40 of 40 users shown"));
        QCOMPARE(window->windowTitle(), QStringLiteral("Ambrel by Corvanta: www.corvanta.example"));
        QVERIFY(Controllers()->header()->length() <= Controllers()->viewport()->width());  // no column cut
        QVERIFY(test::IsPainted(*window, window->objectName()));
    }

    void theProgressWindowIsPaintedAtStartAndAtReset() {
        QString shownText;
        bool painted = false;
        WhenProgressShowsText([&](QDialog& progress) {
            shownText = progress.findChild<QLabel*>(QStringLiteral("id1026"))->text();
            painted = test::IsPainted(progress, QStringLiteral("progress-start"));
        });
        Build({Dc(1, 30)}, true);
        QCOMPARE(shownText, QStringLiteral("Starting Ambrel application, reading configuration file ..."));
        QVERIFY(painted);

        QTest::mouseClick(Button(kStart), Qt::LeftButton);
        painted = false;
        WhenProgressShowsText([&](QDialog& progress) {
            shownText = progress.findChild<QLabel*>(QStringLiteral("id1026"))->text();
            painted = test::IsPainted(progress, QStringLiteral("progress-reset"));
            gate->OpenAll();
        });
        QTest::mouseClick(Button(kReset), Qt::LeftButton);
        QCOMPARE(shownText, QStringLiteral("Waiting for collection process to respond and terminate ..."));
        QVERIFY(painted);
    }

    void theButtonsOpenTheirWindows() {
        Build({Dc(1, 0), Dc(2, 0)}, false);
        test::WhenShown(QStringLiteral("id129"), [](QDialog& d) {
            Control<QLineEdit>(d, select_dc::kName)->setText(QStringLiteral("DC9"));
            QTest::mouseClick(Control<QPushButton>(d, select_dc::kAdd), Qt::LeftButton);
            QTest::mouseClick(Control<QPushButton>(d, kIdOk), Qt::LeftButton);
        });
        QTest::mouseClick(Button(kAddDc), Qt::LeftButton);
        QCOMPARE(Controllers()->topLevelItemCount(), 3);
        bool about = false;
        test::WhenShown(QStringLiteral("id100"), [&](QDialog& d) {
            about =
                d.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->text().startsWith(QStringLiteral("Ambrel "));
            d.accept();
        });
        QTest::mouseClick(Button(kAbout), Qt::LeftButton);
        QVERIFY(about);
        QTest::mouseClick(Button(kHelp), Qt::LeftButton);
        auto* help = window->findChild<cHelpWindow*>();
        QVERIFY(help != nullptr && help->isVisible());
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
