// The dialogs' behaviour, on no screen: each presenter driven through a fake
// view the way a user drives the dialog.

#include <gtest/gtest.h>

#include <optional>
#include <tuple>
#include <type_traits>

#include "forms/Forms.h"
#include "forms/cPrintSetupPresenter.h"
#include "forms/cSelectDcPresenter.h"
#include "forms/cSetupPresenter.h"
#include "forms/iChoosers.h"
#include "platform/cSimulatedDirectory.h"
#include "settings/FontString.h"
#include "support/FakeFormView.h"

namespace orvik {
namespace {

using test::FakeFormView;
using Names = std::vector<std::u16string>;

std::unique_ptr<cSimulatedDirectory> Domains() {
    std::string error;
    return cSimulatedDirectory::FromJson(R"({"controllers": [ { "name": "DC1", "domain": "CORP" },
        { "name": "DC2", "domain": "CORP" }, { "name": "LAB1", "domain": "LAB" } ]})",
                                         error);
}

// File and font dialogs that answer from what the test queued (Cancel when nothing is).
class FakeChoosers final : public iFileChooser, public iFontChooser {
public:
    int BrowseForFile(std::u16string& path, const std::u16string&, const std::u16string&, const std::u16string&,
                      bool) override {
        started.push_back(path);
        if (picks.empty()) return -1;
        path = picks.front();
        picks.erase(picks.begin());
        return 0;
    }
    bool ChooseFont(LogFont& font) override {
        offered.push_back(font);
        if (!fontAnswer) return false;
        font = *fontAnswer;
        return true;
    }
    std::vector<std::u16string> started, picks;
    std::vector<LogFont> offered;
    std::optional<LogFont> fontAnswer;
};

// Print setup opened from Setup, answered by the test.
class ScriptedRunner final : public iFormRunner {
public:
    bool Run(cFormPresenter& presenter) override {
        FakeFormView view(presenter);
        act(view);
        return view.Ended() == 1;
    }
    std::function<void(FakeFormView&)> act = [](FakeFormView& v) { v.Click(kIdCancel); };
};

// "Setup" over a working copy of `start`, its file and font dialogs and its Print setup answered by the test.
struct SetupDialog {
    explicit SetupDialog(const cSetupData& start) : p(start, choosers, choosers, runner), view(p) {}
    FakeChoosers choosers;
    ScriptedRunner runner;
    cSetupPresenter p;
    FakeFormView view;
};

template <typename T>
cSetupData With(T cSetupData::*field, std::type_identity_t<T> value) {
    cSetupData s;
    s.*field = std::move(value);
    return s;
}

namespace sd = select_dc;

TEST(SelectDcForm, ShowsTheControllersReversedAndOkGivesThemTopDown) {
    cSelectDcPresenter p({u"C1", u"C2", u"C3"}, u"", nullptr);
    FakeFormView view(p);
    EXPECT_EQ(view.Rows(sd::kSelected), (Names{u"C3", u"C2", u"C1"}));
    EXPECT_FALSE(view.IsEnabled(sd::kAdd));
    EXPECT_FALSE(view.IsEnabled(sd::kRemove));
    view.Type(sd::kName, u"C4");
    view.PressEnter(sd::kName);  // Enter in the name box adds the name, as Add does...
    EXPECT_EQ(view.Ended(), 0);
    view.PressEnter(sd::kName);  // ...and with nothing typed it is OK
    EXPECT_EQ(view.Ended(), 1);
    EXPECT_EQ(p.Names(), (Names{u"C4", u"C3", u"C2", u"C1"}));
}

TEST(SelectDcForm, AddTakesTheTrimmedNameOnceWhateverItsCase) {
    auto net = Domains();
    cSelectDcPresenter p({u"DC1"}, u"CORP", net.get());
    FakeFormView view(p);
    view.Click(sd::kSearch);
    EXPECT_EQ(view.busy, 0);  // the wait cursor is back
    EXPECT_EQ(view.Rows(sd::kAvailable), (Names{u"DC2", u"DC1"}));
    view.Type(sd::kName, u"   ");
    EXPECT_FALSE(view.IsEnabled(sd::kAdd));  // blanks only
    view.Type(sd::kName, u" dc1 ");
    view.Click(sd::kAdd);  // already selected as DC1: nothing inserted, the text stays
    EXPECT_EQ(view.Rows(sd::kSelected), (Names{u"DC1"}));
    EXPECT_EQ(view.Text(sd::kName), u" dc1 ");
    EXPECT_EQ(view.Rows(sd::kAvailable), (Names{u"DC2"}));  // but the available row goes
    view.Type(sd::kName, u" dc9\t");
    view.Click(sd::kAdd);  // only the blank is trimmed
    EXPECT_EQ(view.Rows(sd::kSelected), (Names{u"dc9\t", u"DC1"}));
    EXPECT_EQ(view.Text(sd::kName), u"");
}

TEST(SelectDcForm, RemoveMovesTheTopmostMarkedNameOnceAndAChosenAvailableNameIsTyped) {
    cSelectDcPresenter p({u"A", u"B", u"C"}, u"", nullptr);
    FakeFormView view(p);
    view.Mark(sd::kSelected, {1, 2});  // B and A
    EXPECT_TRUE(view.IsEnabled(sd::kRemove));
    view.Click(sd::kRemove);
    EXPECT_EQ(view.Rows(sd::kSelected), (Names{u"C", u"A"}));
    EXPECT_EQ(view.Rows(sd::kAvailable), (Names{u"B"}));
    view.Mark(sd::kAvailable, {0});  // a chosen available name fills the name box
    EXPECT_EQ(view.Text(sd::kName), u"B");
    view.DoubleClick(sd::kAvailable, 0);  // takes B back
    view.DoubleClick(sd::kSelected, 0);   // B again: the available list gets it once
    view.Mark(sd::kSelected, {0});
    view.Click(sd::kRemove);
    EXPECT_EQ(view.Rows(sd::kSelected), (Names{u"A"}));
    EXPECT_EQ(view.Rows(sd::kAvailable), (Names{u"C", u"B"}));
}

TEST(SelectDcForm, SearchListsANameOnceAndAFailingDomainAddsNothingAndSaysWhy) {
    auto net = Domains();
    const struct {
        const char16_t* domains;
        Names found;
        const char16_t* said;
    } rows[] = {
        {u"CORP,,corp,", {u"DC2", u"DC1"}, u"Search found 2 domain controllers."},
        {u"LAB,NOPE", {}, u"Search added nothing for domain 'NOPE'. No domain controller was found (error 6118)."},
        {u"LAB, CORP", {}, u"Search added nothing for domain ' CORP'. No domain controller was found (error 6118)."},
    };
    for (const auto& row : rows) {
        cSelectDcPresenter p({}, row.domains, net.get());
        FakeFormView view(p);
        view.Click(sd::kSearch);
        EXPECT_EQ(view.Rows(sd::kAvailable), row.found);
        EXPECT_EQ(view.Text(sd::kSearchOutcome), row.said);
    }
}

TEST(SetupForm, ConfirmedUntouchedChangesNothing) {
    const cSetupData before = With(&cSetupData::m_UsersShown, 32767);
    SetupDialog d(before);
    auto [view, p] = std::tie(d.view, d.p);
    EXPECT_EQ(view.Text(setup::kUsersShown), u"32,767");
    view.PressEnter(setup::kUsersShown);  // Enter in a box is OK
    EXPECT_EQ(view.Ended(), 1);
    EXPECT_TRUE(p.Setup() == before);
}

TEST(SetupForm, TakesATypedNumberOnlyWithinItsRange) {
    const struct {
        int edit;
        const char16_t* typed;
        int cSetupData::*field;
        int stored;
    } rows[] = {
        {setup::kMaxThreads, u"5000", &cSetupData::m_MaxThreads, 4},
        {setup::kMaxThreads, u"1000", &cSetupData::m_MaxThreads, 1000},
        {setup::kMaxThreads, u"1,000", &cSetupData::m_MaxThreads, 1000},
        {setup::kMaxThreads, u"ten", &cSetupData::m_MaxThreads, 4},
        {setup::kRefreshPeriod, u"0", &cSetupData::m_RefreshPeriod, 0},
        {setup::kRefreshPeriod, u"-1", &cSetupData::m_RefreshPeriod, 10},
        {setup::kUsersShown, u"0", &cSetupData::m_UsersShown, 500},
        {setup::kBufferSize, u"9", &cSetupData::m_BufferSize, 1000},
        {setup::kBufferSize, u" 12 ", &cSetupData::m_BufferSize, 12},
        {setup::kBufferSize, u"99999999999999999999", &cSetupData::m_BufferSize, 1000},
    };
    for (const auto& row : rows) {
        SetupDialog d{cSetupData{}};
        auto [view, p] = std::tie(d.view, d.p);
        view.Type(row.edit, row.typed);
        view.Click(kIdOk);
        EXPECT_EQ(p.Setup().*row.field, row.stored) << row.edit;
    }
}

TEST(SetupForm, TheArrowsStepWithinTheRangeFromTheLastValidNumber) {
    SetupDialog d(With(&cSetupData::m_MaxThreads, 999));
    FakeFormView& view = d.view;
    view.Step(setup::kMaxThreadsSpin, +1);
    view.Step(setup::kMaxThreads, +1);  // the Up key in the edit box
    EXPECT_EQ(view.Text(setup::kMaxThreads), u"1,000");
    view.Type(setup::kMaxThreads, u"nonsense");
    view.Step(setup::kMaxThreadsSpin, -1);
    EXPECT_EQ(view.Text(setup::kMaxThreads), u"999");
}

TEST(SetupForm, InsertPutsTheVariableAtTheCaretOrOverTheSelection) {
    SetupDialog d(With(&cSetupData::m_ExportFormat, u"%USER_NAME%,%FULL_NAME%"));
    FakeFormView& view = d.view;
    EXPECT_FALSE(view.IsEnabled(setup::kInsert));
    EXPECT_EQ(view.Choices(setup::kVariables).front(), u"%DESCRIPTION%");  // sorted
    view.SetSelection(setup::kFormat, {12, 0});                            // after "%USER_NAME%,"
    view.Choose(setup::kVariables, u"%DOMAIN%");
    EXPECT_TRUE(view.IsEnabled(setup::kInsert));
    view.Click(setup::kInsert);
    EXPECT_EQ(view.Text(setup::kFormat), u"%USER_NAME%,%DOMAIN%%FULL_NAME%");
    view.SetSelection(setup::kFormat, {0, 11});  // "%USER_NAME%"
    view.Click(setup::kInsert);
    EXPECT_EQ(view.Text(setup::kFormat), u"%DOMAIN%,%DOMAIN%%FULL_NAME%");
}

TEST(SetupForm, BrowseStartsFromTheStoredPathAndShowsThePick) {
    SetupDialog d(With(&cSetupData::m_ExportFile, u"/srv/old.txt"));
    auto [view, p, choosers] = std::tie(d.view, d.p, d.choosers);
    view.Type(setup::kExportFile, u"/typed/new.txt");
    view.Click(setup::kBrowseExport);  // cancelled: nothing changes
    EXPECT_EQ(choosers.started.back(), u"/srv/old.txt");
    EXPECT_EQ(view.Text(setup::kExportFile), u"/typed/new.txt");
    choosers.picks = {u"/srv/picked.txt"};
    view.Click(setup::kBrowseSummary);
    EXPECT_EQ(choosers.started.back(), u"LastLogonSummary.txt");
    EXPECT_EQ(view.Text(setup::kSummaryFile), u"/srv/picked.txt");
    view.Type(setup::kExportFile, u"");
    view.Click(kIdOk);
    EXPECT_EQ(p.Setup().m_SummaryFile, u"/srv/picked.txt");
    EXPECT_EQ(p.Setup().m_ExportFile, u"");  // an empty box is an empty name
}

TEST(SetupForm, KeepsNothingOfANestedPrintSetupOnCancel) {
    for (int ending : {kIdCancel, kIdOk}) {
        SetupDialog d{cSetupData{}};
        d.runner.act = [](FakeFormView& print) {
            print.Type(print_setup::kHeaderLeft, u"Audit");
            print.Click(kIdOk);
        };
        auto [view, p] = std::tie(d.view, d.p);
        view.Click(setup::kPrintSetup);
        view.Type(setup::kMaxThreads, u"8");
        view.Click(ending);
        EXPECT_EQ(view.Ended(), ending == kIdOk ? 1 : -1);
        if (ending == kIdOk) {
            EXPECT_EQ(p.Setup().m_HeaderLeft, u"Audit");  // what Cancel leaves, nobody takes
        }
    }
}

TEST(PrintSetupForm, FontsAndTexts) {
    FakeChoosers choosers;
    cSetupData start;
    start.m_StrongFont = u"broken";
    start.m_RegularFont = u"-11, 0,0,0,400,0,0,0,0,3,2,1,34,Arial";  // not as it would be written
    cPrintSetupPresenter p(start, choosers);
    FakeFormView view(p);
    EXPECT_EQ(view.Text(print_setup::kHeaderRight), u"Ambrel data");
    view.Click(print_setup::kStrongFont);  // cancelled, but the broken string became the default
    EXPECT_EQ(p.Setup().m_StrongFont, DefaultFontString(Strong));
    EXPECT_EQ(choosers.offered.back().lfWeight, 700);
    LogFont regular;
    ParseFontString(start.m_RegularFont, regular);
    choosers.fontAnswer = regular;
    view.Click(print_setup::kRegularFont);  // confirmed unchanged: the string stays byte for byte
    EXPECT_EQ(p.Setup().m_RegularFont, start.m_RegularFont);
    LogFont chosen = choosers.offered.back();
    chosen.lfHeight = -15;
    chosen.lfFaceName = u"DejaVu Sans";
    choosers.fontAnswer = chosen;
    view.Click(print_setup::kHeaderFooterFont);
    EXPECT_EQ(p.Setup().m_HeaderFooterFont, u"-15,0,0,0,400,0,0,0,0,3,2,1,34,DejaVu Sans");
    view.Type(print_setup::kFooterLeft, u"Printed %DATE%");
    view.Click(kIdOk);
    EXPECT_EQ(p.Setup().m_FooterLeft, u"Printed %DATE%");
}

}  // namespace
}  // namespace orvik
