// The main window drawn by Windows from its description over the built-in
// demo: it comes up with its title, its lists fill as the run completes, and
// each button that opens a window opens it (found by its caption). What the
// buttons then do is MainPresenterTest's.

#include <windows.h>
// after windows.h
#include <commctrl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

#include "forms/Forms.h"
#include "platform/DemoDirectory.h"
#include "platform/cSimulatedDirectory.h"
#include "platform/iClock.h"
#include "support/FormDriver.h"
#include "support/GoldenFile.h"
#include "support/MainRig.h"
#include "win32/cWin32MainWindow.h"

namespace orvik {
namespace {

using namespace main_window;

HWND Find(const std::u16string& caption) {
    return ::FindWindowW(nullptr, reinterpret_cast<const wchar_t*>(caption.c_str()));
}

int Rows(HWND window, int list) {
    return static_cast<int>(::SendMessageW(::GetDlgItem(window, list), LVM_GETITEMCOUNT, 0, 0));
}

TEST(Win32MainWindow, TheDemoRunsToTheEndAndEveryButtonOpensItsWindow) {
    test::TempFolder folder;
    std::string error;
    auto directory = cSimulatedDirectory::FromJson(DemoDirectoryJson(), error);
    ASSERT_TRUE(directory) << error;
    cSystemClock clock;
    test::RecordingDesktop desktop;
    cMainOptions options;
    options.autoStart = true;
    options.tickMs = 50;
    test::MainRig rig(std::move(directory), clock, folder, desktop, options);
    std::vector<std::u16string> opened;
    std::vector<std::uint8_t> before;
    // Opens a window with the button and ends it with `ending` once it stands.
    auto opens = [&](int button, std::u16string caption, int ending) {
        return std::vector<test::Script::Step>{
            [=] {
                ::PostMessageW(Find(MainTitle()), WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
                return true;
            },
            [=, &opened] {
                HWND window = Find(caption);
                if (window == nullptr) return false;
                opened.push_back(caption);
                ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(ending, BN_CLICKED), 0);
                return true;
            }};
    };
    std::vector<test::Script::Step> steps{[&] {
        if (desktop.beeps == 0) return false;  // the run completed
        before = test::ReadFile(folder.File("orvik.cfg"));
        return true;
    }};
    for (auto& more : {opens(kAddDc, u"Select domain controllers", kIdCancel), opens(kSetup, u"Setup", kIdOk),
                       opens(kSearch, u"Ambrel input", kIdCancel), opens(kAbout, u"About Ambrel", IDOK),
                       opens(kPrint, u"Print", IDCANCEL)})
        steps.insert(steps.end(), more.begin(), more.end());
    steps.push_back([&] {
        ::SendMessageW(::GetDlgItem(Find(MainTitle()), kHelp), BM_CLICK, 0, 0);
        return true;
    });
    HWND shown = nullptr;
    int controllers = 0, users = 0;
    steps.push_back([&] {
        shown = Find(MainTitle());
        controllers = Rows(shown, kControllerList);
        users = Rows(shown, kUserList);
        return true;
    });
    {
        cWin32MainWindow window(*rig.presenter, desktop);
        test::Script script(
            steps, [](bool) { ::PostMessageW(Find(MainTitle()), WM_COMMAND, MAKEWPARAM(kClose, BN_CLICKED), 0); }, 60);
        window.Run(SW_SHOWNORMAL);
        EXPECT_FALSE(script.timedOut) << "stopped at step " << script.done;
    }
    EXPECT_TRUE(rig.collection.StopForExit(30000));
    EXPECT_NE(shown, nullptr);
    EXPECT_EQ(controllers, 5);
    EXPECT_EQ(users, 500);
    EXPECT_EQ(opened, (std::vector<std::u16string>{u"Select domain controllers", u"Setup", u"Ambrel input",
                                                   u"About Ambrel", u"Print"}));
    EXPECT_EQ(test::ReadFile(folder.File("orvik.cfg")), before);  // Setup confirmed untouched saves the same bytes
    ASSERT_EQ(desktop.urls.size(), 1u);
    EXPECT_NE(desktop.urls[0].find(u"Ambrel help.html"), std::u16string::npos);
}

TEST(Win32MainWindow, TheHelpPageIsNeverWrittenThroughALinkPlantedInItsPlace) {
    test::TempFolder folder;
    wchar_t saved[MAX_PATH + 1] = {};
    const bool hadTmp = ::GetEnvironmentVariableW(L"TMP", saved, MAX_PATH + 1) != 0;
    const std::wstring temp = std::filesystem::path(folder.Path()).wstring() + L"\\";
    ASSERT_TRUE(::SetEnvironmentVariableW(L"TMP", temp.c_str()));
    std::ofstream(folder.File("victim.txt")) << "keep";
    ASSERT_TRUE(::CreateHardLinkW((temp + L"Ambrel help.html").c_str(), (temp + L"victim.txt").c_str(), nullptr));
    cSystemClock clock;
    test::RecordingDesktop desktop;
    test::MainRig rig(std::make_unique<cSimulatedDirectory>(std::vector<cSimulatedDirectory::Controller>{}), clock,
                      folder, desktop);
    cWin32MainWindow(*rig.presenter, desktop).ShowHelp();
    ::SetEnvironmentVariableW(L"TMP", hadTmp ? saved : nullptr);
    EXPECT_EQ(test::ReadFile(folder.File("victim.txt")), (std::vector<std::uint8_t>{'k', 'e', 'e', 'p'}));
    EXPECT_EQ(desktop.urls.size(), 1u);
}

}  // namespace
}  // namespace orvik
