#include "forms/Forms.h"

#include "base/Vendor.h"

namespace orvik {
namespace {

using K = eControlKind;

cControl OkButton(int x, int y) { return {K::kDefaultButton, kIdOk, u"OK", x, y, 50, 14}; }
cControl CancelButton(int x, int y) { return {K::kButton, kIdCancel, u"Cancel", x, y, 50, 14}; }

}  // namespace

const cForm& SelectDcForm() {
    using namespace select_dc;
    static const cForm form{kForm,
                            u"Select domain controllers",
                            406,
                            217,
                            {
                                {K::kLabel, 0, u"Selected domain controllers:", 7, 7, 90, 11},
                                {K::kNameList, kSelected, u"", 7, 18, 120, 192},
                                {K::kButton, kAdd, u"<- Add", 140, 80, 44, 14},
                                {K::kButton, kRemove, u"Remove ->", 140, 106, 44, 14},
                                {K::kLabel, 0, u"Enter domain controller:", 197, 7, 82, 9},
                                {K::kEdit, kName, u"", 197, 18, 120, 12},
                                {K::kLabel, 0, u"Available domain controllers:", 197, 40, 90, 11},
                                {K::kNameList, kAvailable, u"", 197, 51, 120, 159},
                                OkButton(349, 7),
                                {K::kButton, kSearch, u"Search", 349, 27, 50, 14},
                                CancelButton(349, 48),
                            }};
    return form;
}

const cForm& SetupForm() {
    using namespace setup;
    static const cForm form{
        kForm,
        u"Setup",
        394,
        223,
        {
            {K::kGroup, 0, u"Export file", 3, 3, 327, 90},
            {K::kLabel, 0, u"File:", 11, 17, 19, 10},
            {K::kEdit, kExportFile, u"", 62, 15, 221, 13},
            {K::kButton, kBrowseExport, u"Browse", 288, 15, 34, 13},
            {K::kLabel, 0, u"Format:", 11, 37, 30, 11},
            {K::kEdit, kFormat, u"", 62, 35, 260, 13},
            {K::kLabel, 0, u"Variables:", 11, 57, 32, 8},
            {K::kDropDownList, kVariables, u"", 62, 55, 221, 123},
            {K::kButton, kInsert, u"Insert", 288, 55, 34, 13},
            {K::kLabel, 0, u"Summary file:", 11, 77, 42, 8},
            {K::kEdit, kSummaryFile, u"", 62, 75, 221, 13},
            {K::kButton, kBrowseSummary, u"Browse", 288, 75, 34, 13},
            {K::kGroup, 0, u"Show results parameters", 4, 98, 327, 62},
            {K::kLabel, 0, u"Default domain(s) when searching for domain controllers:", 11, 112, 181, 11},
            {K::kEdit, kDefaultDomains, u"", 216, 110, 107, 13},
            {K::kCheck, kAutoRefresh, u"When new results are available, update list with users every", 10, 126, 203,
             12},
            {K::kEdit, kRefreshPeriod, u"", 216, 126, 50, 12},
            {K::kSpin, kRefreshPeriodSpin, u"", 255, 126, 11, 11, kRefreshPeriod},
            {K::kLabel, 0, u"seconds.", 281, 129, 38, 12},
            {K::kLabel, 0, u"Number of users printed and shown in list with users:", 11, 143, 197, 11},
            {K::kEdit, kUsersShown, u"", 216, 141, 50, 12},
            {K::kSpin, kUsersShownSpin, u"", 255, 141, 11, 11, kUsersShown},
            {K::kLabel, 0, u"users.", 281, 143, 24, 12},
            {K::kGroup, 0, u"Data collection process (advanced)", 5, 168, 327, 50},
            {K::kLabel, 0, u"Userdata collection buffer size:", 11, 184, 106, 11},
            {K::kEdit, kBufferSize, u"", 217, 182, 50, 12},
            {K::kSpin, kBufferSizeSpin, u"", 256, 182, 11, 11, kBufferSize},
            {K::kLabel, 0, u"KB.", 281, 183, 44, 11},
            {K::kLabel, 0, u"Maximum number of concurrent userdata collection threads:", 11, 200, 191, 11},
            {K::kEdit, kMaxThreads, u"", 217, 198, 50, 12},
            {K::kSpin, kMaxThreadsSpin, u"", 256, 198, 11, 11, kMaxThreads},
            {K::kLabel, 0, u"threads.", 281, 200, 38, 11},
            OkButton(339, 7),
            CancelButton(339, 26),
            {K::kButton, kPrintSetup, u"Print setup", 339, 102, 50, 14},
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
