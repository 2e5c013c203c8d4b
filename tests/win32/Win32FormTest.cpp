// The dialogs drawn by Windows from their descriptions: each control is
// found by its id, and what a user does with it reaches the presenter. What
// the presenters then do is FormsTest's.

#include <windows.h>
// after windows.h
#include <commctrl.h>
#include <gtest/gtest.h>

#include "forms/Forms.h"
#include "forms/cInputPresenter.h"
#include "forms/cSelectDcPresenter.h"
#include "forms/cSetupPresenter.h"
#include "forms/iChoosers.h"
#include "support/FormDriver.h"

namespace orvik {
namespace {

using test::Click;
using test::ControlText;
using test::PressKey;
using test::Type;

class NoChoosers final : public iFileChooser, public iFontChooser {
public:
    int BrowseForFile(std::u16string&, const std::u16string&, const std::u16string&, const std::u16string&,
                      bool) override {
        return -1;
    }
    bool ChooseFont(LogFont&) override { return false; }
};

void MarkRow(HWND dialog, int listId, int row) {
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    ::SendMessageW(test::Control(dialog, listId), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
}

// The prompt is shown; Enter in the edit line presses OK.
TEST(Win32Form, InputTakesTheTypedLineOnEnter) {
    cInputPresenter asked(u"Specify text:", u"old");
    std::u16string prompt;
    EXPECT_TRUE(test::RunDialog(asked, {[&](HWND d) { prompt = ControlText(d, input::kPrompt); },
                                        [](HWND d) { Type(d, input::kValue, u"smith"); },
                                        [](HWND d) { PressKey(d, input::kValue, VK_RETURN); }}));
    EXPECT_EQ(prompt, u"Specify text:");
    EXPECT_EQ(asked.Value(), u"smith");
}

// The lists show the names, typing enables Add, a marked row enables Remove.
TEST(Win32Form, SelectDcAddsAndRemovesThroughItsLists) {
    using namespace select_dc;
    cSelectDcPresenter select({u"C1", u"C2"}, u"", nullptr);
    EXPECT_TRUE(test::RunDialog(select, {[](HWND d) { Type(d, kName, u"DC9"); }, [](HWND d) { Click(d, kAdd); },
                                         [](HWND d) { MarkRow(d, kSelected, 2); }, [](HWND d) { Click(d, kRemove); },
                                         [](HWND d) { Click(d, kIdOk); }}));
    EXPECT_EQ(select.Names(), (std::vector<std::u16string>{u"DC9", u"C2"}));
}

// Typed numbers, the spin's arrow key, the check box, a chosen variable
// inserted at the caret, and Print setup opened over Setup.
TEST(Win32Form, SetupTakesEveryKindOfControl) {
    using namespace setup;
    NoChoosers choosers;
    cWin32FormRunner runner(nullptr);
    cSetupData data;
    data.m_RefreshPeriod = 10;
    data.m_AutoRefresh = 1;
    cSetupPresenter edited(data, choosers, choosers, runner);
    EXPECT_TRUE(test::RunDialog(
        edited, {[](HWND d) { Type(d, kMaxThreads, u"7"); }, [](HWND d) { PressKey(d, kRefreshPeriod, VK_UP); },
                 [](HWND d) { Click(d, kAutoRefresh); },
                 [](HWND d) {
                     ::SendMessageW(test::Control(d, kVariables), CB_SETCURSEL, 0, 0);  // %DESCRIPTION%
                     ::SendMessageW(d, WM_COMMAND, MAKEWPARAM(kVariables, CBN_SELCHANGE),
                                    reinterpret_cast<LPARAM>(test::Control(d, kVariables)));
                     ::SendMessageW(test::Control(d, kFormat), EM_SETSEL, 0, 0);
                 },
                 [](HWND d) { Click(d, kInsert); }, [](HWND d) { Click(d, kPrintSetup); },
                 [](HWND d) { Type(d, print_setup::kHeaderLeft, u"Top"); }, [](HWND d) { Click(d, kIdOk); },
                 [](HWND d) { Click(d, kIdOk); }}));
    const cSetupData& taken = edited.Setup();
    EXPECT_EQ(taken.m_MaxThreads, 7);
    EXPECT_EQ(taken.m_RefreshPeriod, 11);
    EXPECT_EQ(taken.m_AutoRefresh, 0);
    EXPECT_EQ(taken.m_ExportFormat, u"%DESCRIPTION%" + data.m_ExportFormat);
    EXPECT_EQ(taken.m_HeaderLeft, u"Top");
}

}  // namespace
}  // namespace orvik
