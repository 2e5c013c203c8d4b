#include "forms/Forms.h"

#include <utility>

#include "base/Vendor.h"

namespace orvik {
namespace {

using K = eControlKind;

cControl OkButton(int x, int y) { return {K::kDefaultButton, kIdOk, u"OK", x, y, 50, 14}; }
cControl CancelButton(int x, int y) { return {K::kButton, kIdCancel, u"Cancel", x, y, 50, 14}; }

cControl PictureButton(int id, const char16_t* name, int y, int pictureWidth, int pictureHeight, K kind = K::kButton) {
    cControl button{kind, id, name, 470, y, 50, 14};
    button.pictureWidth = pictureWidth;
    button.pictureHeight = pictureHeight;
    button.resize.movesRight = true;
    return button;
}

cControl Middle(cControl label) {
    label.middle = true;
    return label;
}

cControl Growing(cControl control, int topThirds, int heightThirds) {
    control.resize = {false, topThirds, heightThirds};
    return control;
}

cControl ReportList(int id, const char16_t* pictures, int y, int height, std::vector<cColumn> columns) {
    cControl list{K::kReportList, id, pictures, 9, y, 449, height};
    list.columns = std::move(columns);
    list.sorted = list.caption == u"controller";
    return list;
}

}  // namespace

std::u16string MainTitle() {
    return std::u16string(kProductName) + u" by " + std::u16string(kVendorName) + u": " +
           std::u16string(kVendorWebAddress);
}

// The controller list takes a third of the extra height, the user list the
// rest; the buttons keep to the right edge.
const cForm& MainForm() {
    using namespace main_window;
    static const cForm form = [] {
        cForm f{kForm,
                MainTitle(),
                527,
                330,
                {
                    Growing({K::kGroup, 0, u"Domain controllers", 3, 7, 461, 124}, 0, 1),
                    Growing(ReportList(kControllerList, u"controller", 17, 108,
                                       {{u"Domain controller", 145},
                                        {u"User count", 75},
                                        {u"Start time", 120},
                                        {u"Last call time", 120},
                                        {u"End time", 125},
                                        {u"Status", 70},  // one word: all fit
                                        {u"Error code", 100}}),
                            0, 1),
                    Growing({K::kGroup, 0, u"User last logon information", 3, 138, 461, 184}, 1, 2),
                    Growing(ReportList(kUserList, u"user", 149, 154,
                                       {{u"User name", 150},
                                        {u"Last logon time", 150},
                                        {u"Full name", 150},
                                        {u"Description", 250},
                                        {u"Domain", 150}}),
                            1, 2),
                    Growing(Middle({K::kLabel, kUserCount, u"", 9, 305, 449, 10}), 3, 0),
                }};
        // Top to bottom, as they stand in the button column.
        const std::pair<int, const char16_t*> buttons[] = {
            {kStart, u"Start"},        {kAddDc, u"Add DC"},
            {kRemoveDc, u"Remove DC"}, {kSetup, u"Setup"},
            {kReset, u"Reset"},        {kShowResults, u"Show results"},
            {kSearch, u"Search"},      {kSaveResults, u"Save results"},
            {kPrint, u"Print"},        {kHelp, u"Help"},
            {kAbout, u"About"},        {kWeb, u"Web"},
            {kMail, u"Mail"},          {kClose, u"Close"},
        };
        int y = 10;
        for (const auto& [id, name] : buttons) {
            f.controls.push_back(id == kStart ? PictureButton(id, name, y, 50, 14, K::kDefaultButton)
                                              : PictureButton(id, name, y, 56, 16));
            y += 23;
        }
        f.resizable = true;
        return f;
    }();
    return form;
}

const cForm& ProgressForm() {
    using namespace progress;
    static const cForm form{kForm,
                            std::u16string(kProductName) + u" information",
                            344,
                            45,
                            {
                                {K::kGroup, kGroup, u"Progress status", 4, 2, 334, 38},
                                {K::kIcon, kIcon, u"", 13, 12, 20, 20},
                                Middle({K::kLabel, kText, u"", 45, 16, 282, 13}),
                            }};
    return form;
}

const cForm& SelectDcForm() {
    using namespace select_dc;
    static const cForm form{kForm,
                            u"Select domain controllers",
                            406,
                            244,
                            {
                                {K::kLabel, 0, u"Selected domain controllers:", 7, 7, 120, 11},
                                {K::kNameList, kSelected, u"", 7, 18, 120, 192},
                                {K::kButton, kAdd, u"<- Add", 140, 80, 44, 14},
                                {K::kButton, kRemove, u"Remove ->", 140, 106, 44, 14},
                                {K::kLabel, 0, u"Enter domain controller:", 197, 7, 120, 9},
                                {K::kEdit, kName, u"", 197, 18, 120, 12},
                                {K::kLabel, 0, u"Available domain controllers:", 197, 40, 120, 11},
                                {K::kNameList, kAvailable, u"", 197, 51, 120, 159},
                                OkButton(349, 7),
                                {K::kButton, kSearch, u"Search", 349, 27, 50, 14},
                                CancelButton(349, 48),
                                // Three lines: a failed lookup takes two.
                                {K::kLabel, kSearchOutcome, u"", 7, 214, 392, 24},
                            }};
    return form;
}

// The boxes of the numbers stand right of the longest text before them,
// their units right of them.
const cForm& SetupForm() {
    using namespace setup;
    static const cForm form{
        kForm,
        u"Setup",
        412,
        223,
        {
            {K::kGroup, 0, u"Export file", 3, 3, 345, 90},
            {K::kLabel, 0, u"File:", 11, 17, 19, 10},
            {K::kEdit, kExportFile, u"", 66, 15, 235, 13},
            {K::kButton, kBrowseExport, u"Browse", 306, 15, 34, 13},
            {K::kLabel, 0, u"Format:", 11, 37, 30, 11},
            {K::kEdit, kFormat, u"", 66, 35, 274, 13},
            {K::kLabel, 0, u"Variables:", 11, 57, 40, 8},
            {K::kDropDownList, kVariables, u"", 66, 55, 235, 123},
            {K::kButton, kInsert, u"Insert", 306, 55, 34, 13},
            {K::kLabel, 0, u"Summary file:", 11, 77, 52, 8},
            {K::kEdit, kSummaryFile, u"", 66, 75, 235, 13},
            {K::kButton, kBrowseSummary, u"Browse", 306, 75, 34, 13},
            {K::kGroup, 0, u"Show results parameters", 4, 98, 344, 62},
            {K::kLabel, 0, u"Default domain(s) when searching for domain controllers:", 11, 112, 228, 11},
            {K::kEdit, kDefaultDomains, u"", 244, 110, 96, 13},
            {K::kCheck, kAutoRefresh, u"When new results are available, update list with users every", 10, 126, 232,
             12},
            {K::kEdit, kRefreshPeriod, u"", 246, 126, 44, 12},
            {K::kSpin, kRefreshPeriodSpin, u"", 279, 126, 11, 11, kRefreshPeriod},
            {K::kLabel, 0, u"seconds.", 294, 129, 40, 12},
            {K::kLabel, 0, u"Number of users printed and shown in list with users:", 11, 143, 228, 11},
            {K::kEdit, kUsersShown, u"", 246, 141, 44, 12},
            {K::kSpin, kUsersShownSpin, u"", 279, 141, 11, 11, kUsersShown},
            {K::kLabel, 0, u"users.", 294, 143, 40, 12},
            {K::kGroup, 0, u"Data collection process (advanced)", 5, 168, 343, 50},
            {K::kLabel, 0, u"Userdata collection buffer size:", 11, 184, 228, 11},
            {K::kEdit, kBufferSize, u"", 246, 182, 44, 12},
            {K::kSpin, kBufferSizeSpin, u"", 279, 182, 11, 11, kBufferSize},
            {K::kLabel, 0, u"KB.", 294, 183, 40, 11},
            {K::kLabel, 0, u"Maximum number of concurrent userdata collection threads:", 11, 200, 228, 11},
            {K::kEdit, kMaxThreads, u"", 246, 198, 44, 12},
            {K::kSpin, kMaxThreadsSpin, u"", 279, 198, 11, 11, kMaxThreads},
            {K::kLabel, 0, u"threads.", 294, 200, 40, 11},
            OkButton(357, 7),
            CancelButton(357, 26),
            {K::kButton, kPrintSetup, u"Print setup", 357, 102, 50, 14},
        }};
    return form;
}

const cForm& PrintSetupForm() {
    using namespace print_setup;
    static const cForm form{kForm,
                            u"Print setup",
                            347,
                            86,
                            {
                                {K::kGroup, 0, u"Header text left", 3, 2, 136, 29},
                                {K::kEdit, kHeaderLeft, u"", 8, 13, 124, 12},
                                {K::kGroup, 0, u"Header text right", 143, 2, 136, 29},
                                {K::kEdit, kHeaderRight, u"", 148, 13, 124, 12},
                                {K::kGroup, 0, u"Footer text left", 3, 32, 136, 29},
                                {K::kEdit, kFooterLeft, u"", 7, 43, 124, 12},
                                {K::kGroup, 0, u"Footer text right", 143, 32, 136, 29},
                                {K::kEdit, kFooterRight, u"", 147, 43, 124, 12},
                                {K::kButton, kRegularFont, u"Regular font", 4, 67, 78, 13},
                                {K::kButton, kHeaderFooterFont, u"Header/footer font", 104, 67, 78, 13},
                                {K::kButton, kStrongFont, u"Strong font", 201, 67, 78, 13},
                                OkButton(288, 5),
                                CancelButton(288, 22),
                            }};
    return form;
}

const cForm& InputForm() {
    using namespace input;
    static const cForm form{kForm,
                            std::u16string(kProductName) + u" input",
                            322,
                            45,
                            {
                                {K::kGroup, 0, u"", 3, 0, 258, 39},
                                {K::kIcon, 0, u"", 9, 9, 20, 20},
                                {K::kLabel, kPrompt, u"", 40, 8, 209, 10},
                                {K::kEdit, kValue, u"", 39, 19, 214, 13},
                                OkButton(267, 5),
                                CancelButton(267, 24),
                            }};
    return form;
}

}  // namespace orvik
