#pragma once
// The program's dialogs as data, and the ids of their controls.

#include "forms/cForm.h"

namespace orvik {

// "Select domain controllers"
namespace select_dc {
inline constexpr int kForm = 129;
inline constexpr int kSelected = 1004, kAdd = 1005, kRemove = 1006, kAvailable = 1007, kName = 1008, kSearch = 3;
inline constexpr int kSearchOutcome = 1037;  // what the last Search found, or why it added nothing
}  // namespace select_dc

// "Setup"
namespace setup {
inline constexpr int kForm = 130;
inline constexpr int kExportFile = 1009, kBrowseExport = 1010, kFormat = 1011, kVariables = 1012, kInsert = 1013;
inline constexpr int kBufferSize = 1014, kBufferSizeSpin = 1015, kMaxThreads = 1016, kMaxThreadsSpin = 1017;
inline constexpr int kUsersShown = 1018, kUsersShownSpin = 1019, kDefaultDomains = 1020, kSummaryFile = 1021;
inline constexpr int kBrowseSummary = 1022, kRefreshPeriod = 1023, kRefreshPeriodSpin = 1024, kAutoRefresh = 1025;
inline constexpr int kPrintSetup = 3;
}  // namespace setup

// "Print setup"
namespace print_setup {
inline constexpr int kForm = 133;
inline constexpr int kHeaderLeft = 1029, kHeaderRight = 1030, kFooterLeft = 1031, kFooterRight = 1032;
inline constexpr int kRegularFont = 1033, kHeaderFooterFont = 1034, kStrongFont = 1035;
}  // namespace print_setup

// The input dialog: a prompt and one edit line.
namespace input {
inline constexpr int kForm = 146;
inline constexpr int kValue = 1035, kPrompt = 1036;
}  // namespace input

// The main window: two lists, the line under the user list and a column of picture buttons.
namespace main_window {
inline constexpr int kForm = 102;
inline constexpr int kStart = 1, kClose = 2, kAddDc = 3, kRemoveDc = 4, kSetup = 5, kShowResults = 6, kReset = 7;
inline constexpr int kSaveResults = 8, kPrint = 9, kSearch = 10, kAbout = 11, kWeb = 12, kMail = 13, kHelp = 14;
inline constexpr int kControllerList = 1000, kUserList = 1001;
inline constexpr int kUserCount = 1002;       // the line under the user list
inline constexpr int kStartSelected = 32771;  // the controller list's pop-up menu
inline constexpr int kAboutBox = 100;
}  // namespace main_window

// The small window shown while the window thread makes a long step.
namespace progress {
inline constexpr int kForm = 132;
inline constexpr int kText = 1026, kIcon = 1027, kGroup = 1028;
}  // namespace progress

// "Ambrel by Corvanta: www.corvanta.example"
std::u16string MainTitle();

const cForm& MainForm();
const cForm& ProgressForm();
const cForm& SelectDcForm();
const cForm& SetupForm();
const cForm& PrintSetupForm();
const cForm& InputForm();

}  // namespace orvik
