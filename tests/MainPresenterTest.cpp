// The main window's behaviour on no screen: a real collection over a
// simulated directory, the window faked, its timer ticked by the test.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <utility>

#include "base/TextCompare.h"
#include "forms/Forms.h"
#include "platform/NetApiCodes.h"
#include "platform/cSimulatedDirectory.h"
#include "support/ControllerGate.h"
#include "support/FakeMainWindow.h"
#include "support/GoldenFile.h"
#include "support/MainRig.h"
#include "support/SimDc.h"
#include "support/TestClock.h"

using namespace orvik;
using namespace orvik::main_window;
using orvik::test::Dc;

namespace {

class MainPresenter : public testing::Test {
protected:
    void Build(std::vector<cSimulatedDirectory::Controller> dcs, cMainOptions options = {}, bool list = true) {
        rig = std::make_unique<test::MainRig>(std::make_unique<cSimulatedDirectory>(dcs), clock, folder, desktop,
                                              options, list);
        gate.Attach(*rig->directory);
        view = std::make_unique<test::FakeFormView>(*rig->presenter);
        rig->presenter->Open(*view, window);
    }
    void TearDown() override {
        gate.OpenAll();
        if (rig) {
            EXPECT_TRUE(rig->collection.StopForExit(30000));
        }
        rig.reset();
        window.DropPosted();
    }
    // Ticks of the window's timer, each followed by the calls it posted.
    void Ticks(int count) {
        for (int i = 0; i < count; ++i) {
            rig->presenter->OnTimer();
            window.RunPosted();
        }
    }
    // Ticks whenever the workers have ended, until the run completes (it beeps).
    void CompleteRun() {
        gate.OpenAll();
        for (int i = 0; i < 1000 && desktop.beeps == 0; ++i) {
            ASSERT_TRUE(rig->collector.WaitForWorkers(20000));
            Ticks(1);
        }
        ASSERT_EQ(desktop.beeps, 1);
    }
    iListView& Controllers() { return view->List(kControllerList); }
    iListView& Users() { return view->List(kUserList); }
    bool Exists(const char* name) { return std::filesystem::exists(folder.File(name)); }

    test::TempFolder folder;
    test::TestClock clock{1000};
    test::ControllerGate gate;
    test::RecordingDesktop desktop;
    test::FakeMainWindow window;
    std::unique_ptr<test::MainRig> rig;
    std::unique_ptr<test::FakeFormView> view;
};

TEST_F(MainPresenter, ARunFillsEveryRowAndCompletesOnce) {
    std::vector<cSimulatedDirectory::Controller> dcs;
    for (int i = 0; i < 10; ++i) dcs.push_back(Dc(i, 40));
    dcs[3].failCode = kErrorAccessDenied;
    dcs[3].failAtCall = 2;
    Build(dcs);
    rig->collection.Settings().m_MaxThreads = 4;
    rig->collection.Settings().m_AutoRefresh = 0;  // the completion still fills the user list
    view->Click(kStart);
    CompleteRun();
    for (int r = 0; r < 10; ++r) {
        SCOPED_TRACE(r);
        const bool failed = Controllers().GetCellText(r, 0) == u"DC3";
        EXPECT_EQ(Controllers().GetCellText(r, kColStatus), failed ? u"Error" : u"Ready");
        EXPECT_EQ(Controllers().GetCellText(r, kColErrorCode), failed ? u"5" : u"0");
        EXPECT_EQ(Controllers().GetCellText(r, 1), failed ? u"10" : u"40");
    }
    EXPECT_TRUE(Exists("Ambrel.txt") && Exists("LastLogonSummary.txt") && Exists("orvik.cfg"));
    EXPECT_EQ(Users().GetRowCount(), 40);
    EXPECT_EQ(view->Text(kUserCount), u"40 of 40 users shown");
    EXPECT_EQ(window.title, MainTitle());
    Ticks(5);  // the completion actions ran once
    EXPECT_EQ(desktop.beeps, 1);
    EXPECT_FALSE(Exists("Ambrel1.txt"));
}

// What the directory had to say (a server's reason, logons that count as never) is said once the run is done.
TEST_F(MainPresenter, TheDirectorysNoticesAreSaidWhenTheRunCompletes) {
    struct NoticeNet final : iNetApi {
        std::int32_t NetUserEnum(const std::u16string&, std::uint32_t, std::uint32_t, std::int32_t,
                                 std::vector<UserInfo2>&, std::uint32_t&, std::uint32_t&, std::uint32_t&) override {
            return 0;
        }
        std::int32_t NetWkstaGetInfo(const std::u16string&, std::uint32_t, std::u16string&) override { return 0; }
        std::int32_t NetServerEnum(const std::u16string&, std::uint32_t, std::uint32_t, std::int32_t,
                                   std::vector<std::u16string>&, std::uint32_t&, std::uint32_t&,
                                   std::uint32_t&) override {
            return 0;
        }
        std::vector<std::u16string> TakeNotices() override { return std::exchange(notices, {}); }
        std::vector<std::u16string> notices{u"dc1: 3 lastLogon values were not a logon time and count as never."};
    } net;
    cMainOptions options;
    options.net = &net;
    Build({Dc(1, 5)}, options);
    view->Click(kStart);
    CompleteRun();
    window.RunPosted();
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0],
              u"The domain controllers of this run had more to say:\ndc1: 3 lastLogon values were "
              u"not a logon time and count as never.");
}

TEST_F(MainPresenter, TheTimedRefreshWaitsForItsPeriodAndNewResultsAndKeepsThePlaceAndTheSelection) {
    Build({Dc(1, 30)});
    rig->collection.Settings().m_RefreshPeriod = 10;
    view->Click(kStart);
    Ticks(1);  // the first refresh happened at 1000 with no users yet
    gate.AllowCalls(u"DC1", 1);
    ASSERT_TRUE(gate.WaitForCall(u"DC1", 2));
    Ticks(3);
    ASSERT_EQ(rig->collection.GetTotalUsers(), 10u);
    EXPECT_EQ(Users().GetRowCount(), 0);  // new results, but the period has not passed
    clock.Set(1010);
    Ticks(1);
    ASSERT_EQ(Users().GetRowCount(), 10);
    const std::u16string chosen = Users().GetCellText(7, 0);
    Users().SetSelected(7, true);
    window.top = 5;
    gate.AllowCalls(u"DC1", 2);
    ASSERT_TRUE(gate.WaitForCall(u"DC1", 3));
    clock.Set(1020);
    Ticks(3);
    EXPECT_EQ(Users().GetRowCount(), 20);
    EXPECT_EQ(window.top, 5);
    ASSERT_EQ(Users().GetSelectedRows().size(), 1u);
    EXPECT_EQ(Users().GetCellText(Users().GetSelectedRows()[0], 0), chosen);
    EXPECT_EQ(window.held, 0);  // every hold of the drawing was let go
    Users().DeleteAllRows();
    clock.Set(3000);
    Ticks(3);
    EXPECT_EQ(Users().GetRowCount(), 0);  // the period has passed, but nothing new arrived
}

TEST_F(MainPresenter, RemoveDcRemovesTheTopmostSelectedRowAndSaves) {
    Build({Dc(1, 0), Dc(2, 0), Dc(3, 0), Dc(4, 0)});
    EXPECT_FALSE(view->IsEnabled(kRemoveDc));
    view->Mark(kControllerList, {1, 2, 3});
    EXPECT_TRUE(view->IsEnabled(kRemoveDc));
    view->Click(kRemoveDc);
    EXPECT_EQ(view->Rows(kControllerList), (std::vector<std::u16string>{u"DC1", u"DC3", u"DC4"}));
    EXPECT_TRUE(Exists("orvik.cfg"));
}

TEST_F(MainPresenter, ResetAsksFirstThenEndsTheRunWhichNeverCompletes) {
    Build({Dc(1, 30), Dc(2, 30)});
    view->Click(kStart);
    gate.AllowCalls(u"DC1", 1);
    ASSERT_TRUE(gate.WaitForCall(u"DC1", 2) && gate.WaitForCall(u"DC2", 1));
    clock.Set(2000);
    Ticks(1);
    window.answers = {false, true};
    view->Click(kReset);  // No: nothing is discarded
    EXPECT_EQ(rig->collection.GetTotalUsers(), 10u);
    // A tick that comes while the progress window waits finds the workers
    // gone; the run being reset must not complete in it.
    window.whileWaiting = [&] {
        gate.OpenAll();
        ASSERT_TRUE(rig->collector.WaitForWorkers(20000));
        Ticks(1);
    };
    view->Click(kReset);
    EXPECT_EQ(window.questions, std::vector<std::u16string>(2, u"Reset discards the 10 collected users. Continue?"));
    EXPECT_EQ(window.progressTexts.back(), u"Waiting for collection process to respond and terminate ...");
    EXPECT_EQ(view->Text(kUserCount), u"No users collected yet");
    EXPECT_EQ(Users().GetRowCount(), 0);
    for (int r = 0; r < 2; ++r) {
        EXPECT_EQ(Controllers().GetCellText(r, kColStatus), u"Idle");
        EXPECT_EQ(Controllers().GetCellText(r, 1), u"0");
    }
    EXPECT_TRUE(window.timer);
    EXPECT_TRUE(Exists("orvik.cfg"));
    Ticks(5);
    EXPECT_EQ(desktop.beeps, 0);
    EXPECT_FALSE(Exists("Ambrel.txt"));
}

// A call that never returns holds a reset up until its deadline only; what comes of it later is dropped.
TEST_F(MainPresenter, AResetWaitsForControllersThatDoNotAnswerOnlyUntilItsDeadline) {
    Build({Dc(1, 30), Dc(2, 30)});
    view->Click(kStart);
    ASSERT_TRUE(gate.WaitForCall(u"DC1", 1) && gate.WaitForCall(u"DC2", 1));
    clock.SetElapsedStep(1000);  // each look at the time is a second later
    view->Click(kReset);
    clock.SetElapsedStep(0);
    EXPECT_EQ(rig->collector.GetRunningCount(), 2);  // both calls still out
    EXPECT_EQ(Controllers().GetCellText(0, kColStatus), u"Idle");
    gate.OpenAll();
    ASSERT_TRUE(rig->collector.WaitForWorkers(20000));
    Ticks(5);
    EXPECT_EQ(rig->collection.GetTotalUsers(), 0u);
    EXPECT_EQ(desktop.beeps, 0);
}

TEST_F(MainPresenter, AFailedExportOrSaveIsShownInTheTitleUntilOneSucceeds) {
    Build({Dc(1, 5)});
    rig->collection.Settings().m_ExportFile = FromUtf8(folder.File("missing/Ambrel.txt"));
    const std::string config = folder.File("missing/orvik.cfg");
    rig->collection.SetConfigPath(config);
    view->Click(kStart);
    CompleteRun();
    EXPECT_NE(window.title.find(u" - the export file was not written ("), std::u16string::npos);
    EXPECT_NE(window.title.find(u" - the configuration was not saved (" + FromUtf8(config)), std::u16string::npos);
    rig->collection.Settings().m_ExportFile = FromUtf8(folder.File("Ambrel.txt"));
    rig->collection.SetConfigPath(folder.File("orvik.cfg"));
    view->Click(kSaveResults);
    window.answers = {true};
    view->Click(kReset);  // saves
    EXPECT_EQ(window.title, MainTitle());
}

TEST_F(MainPresenter, AutoStartRunsAtTheFirstTickAndNothingWithoutControllers) {
    for (const bool controllers : {true, false}) {
        SCOPED_TRACE(controllers);
        TearDown();
        desktop.beeps = 0;
        for (const char* file : {"Ambrel.txt", "orvik.cfg"}) std::filesystem::remove(folder.File(file));
        cMainOptions options;
        options.autoStart = true;
        Build({Dc(1, 5)}, options, controllers);
        Ticks(1);  // queues the start, which runs with the posted calls
        if (controllers) CompleteRun();
        Ticks(5);
        EXPECT_EQ(desktop.beeps, controllers ? 1 : 0);
        EXPECT_EQ(Exists("Ambrel.txt"), controllers);
    }
}

TEST_F(MainPresenter, ADamagedConfigurationIsSaidOnceAfterTheWindowStands) {
    const auto bad = test::ReadGolden("bad_truncated.cfg");
    std::ofstream(folder.File("orvik.cfg"), std::ios::binary)
        .write(reinterpret_cast<const char*>(bad.data()), static_cast<std::streamsize>(bad.size()));
    Build({Dc(1, 5)}, {}, false);
    EXPECT_TRUE(window.messages.empty());
    window.RunPosted();
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_NE(window.messages[0].find(u"past its end.\nThe program starts with default settings; the file will be "
                                      u"kept as "),
              std::u16string::npos);
    EXPECT_EQ(Controllers().GetRowCount(), 0);
    EXPECT_EQ(window.progressTexts,
              std::vector<std::u16string>{u"Starting Ambrel application, reading configuration file ..."});
}

TEST_F(MainPresenter, TheFirstStartShowsTheHelpOnceAndTheButtonsOpenWhatTheyName) {
    Build({});
    EXPECT_EQ(window.helps, 0);  // no marker: no first start
    TearDown();
    desktop.markerExists = true;
    Build({});
    EXPECT_EQ(window.helps, 1);
    EXPECT_EQ(desktop.marker, 1000u);
    TearDown();
    Build({});
    for (int id : {kWeb, kMail, kHelp, kAbout}) view->Click(id);
    EXPECT_EQ(window.helps, 2);
    EXPECT_EQ(desktop.urls,
              (std::vector<std::u16string>{u"https://www.corvanta.example/", u"mailto:support@corvanta.example"}));
    EXPECT_EQ(window.about.rfind(u"Ambrel ", 0), 0u);
}

TEST_F(MainPresenter, AddDcAndSetupTakeWhatOkConfirmsAndSaveOnOkOnly) {
    Build({Dc(1, 0), Dc(2, 0)});
    auto addDc9 = [&](int ending) {
        window.dialogs.push_back([ending](test::FakeFormView& d) {
            d.Type(select_dc::kName, u"DC9");
            d.Click(select_dc::kAdd);
            d.Click(ending);
        });
        view->Click(kAddDc);
    };
    addDc9(kIdCancel);
    EXPECT_EQ(Controllers().GetRowCount(), 2);
    EXPECT_FALSE(Exists("orvik.cfg"));
    addDc9(kIdOk);
    EXPECT_EQ(view->Rows(kControllerList), (std::vector<std::u16string>{u"DC1", u"DC2", u"DC9"}));
    EXPECT_TRUE(Exists("orvik.cfg"));
    const cSetupData before = rig->collection.Settings();
    for (int button : {kSetup, kAddDc}) {  // OK in an untouched dialog changes nothing, and saves
        std::filesystem::remove(folder.File("orvik.cfg"));
        window.dialogs.push_back([](test::FakeFormView& d) { d.Click(kIdOk); });
        view->Click(button);
        EXPECT_TRUE(Exists("orvik.cfg")) << button;
    }
    EXPECT_TRUE(rig->collection.Settings() == before);
    EXPECT_EQ(view->Rows(kControllerList), (std::vector<std::u16string>{u"DC1", u"DC2", u"DC9"}));
}

TEST_F(MainPresenter, SearchShowsTheUsersWhoseNameHoldsTheText) {
    Build({Dc(1, 30)});
    view->Click(kStart);
    CompleteRun();
    const std::u16string name = Users().GetCellText(4, 0);
    window.dialogs.push_back([&](test::FakeFormView& d) {
        d.Type(input::kValue, name);
        d.Click(kIdOk);
    });
    view->Click(kSearch);
    ASSERT_EQ(Users().GetRowCount(), 1);
    EXPECT_EQ(Users().GetCellText(0, 0), name);
    view->Click(kShowResults);
    EXPECT_EQ(Users().GetRowCount(), 30);
}

TEST_F(MainPresenter, PrintPrintsTheUserListWithTheSettingsTextsAndCancelPrintsNothing) {
    Build({Dc(1, 30)});
    view->Click(kStart);
    CompleteRun();
    view->Click(kPrint);
    EXPECT_EQ(window.printDialogs, 1);
    EXPECT_TRUE(window.printed.empty());
    window.print = true;
    rig->collection.Settings().m_HeaderLeft = u"Audit 2026";
    view->Click(kPrint);
    EXPECT_NE(window.printed.find("\"Audit 2026\""), std::string::npos);
    EXPECT_NE(window.printed.find("Total number of users:"), std::string::npos);
    EXPECT_LT(window.printed.find(ToUtf8(Users().GetCellText(0, 0))),
              window.printed.find(ToUtf8(Users().GetCellText(29, 0))));
}

TEST_F(MainPresenter, AColumnClickSortsTheControllersAndTheMenuStartsTheSelectedOnes) {
    std::vector<cSimulatedDirectory::Controller> dcs{Dc(1, 30), Dc(2, 10), Dc(3, 20)};
    Build(dcs);
    view->Click(kStart);
    CompleteRun();
    rig->presenter->OnColumnClicked(*view, kControllerList, 1);  // by user count
    EXPECT_EQ(view->Rows(kControllerList), (std::vector<std::u16string>{u"DC2", u"DC3", u"DC1"}));
    view->Mark(kControllerList, {0});
    window.menuChoice = kStartSelected;
    window.answers = {true};
    rig->presenter->OnContextMenu(*view, kControllerList);
    ASSERT_EQ(window.menu.size(), 1u);
    EXPECT_TRUE(window.menu[0].enabled);
    Ticks(1);
    ASSERT_TRUE(rig->collector.WaitForWorkers(20000));
    EXPECT_EQ(gate.Enumerations(u"DC2"), 2);
    EXPECT_EQ(gate.Enumerations(u"DC1"), 1);
}

}  // namespace
