#include "forms/cMainPresenter.h"

#include <cstdlib>
#include <set>
#include <utility>

#include "app/ProgramStart.h"
#include "app/Usage.h"
#include "base/TextCompare.h"
#include "base/Vendor.h"
#include "engine/ListFunctions.h"
#include "engine/UserCountTexts.h"
#include "engine/cDomainControllerCollection.h"
#include "engine/cUserDataCollector.h"
#include "engine/iListView.h"
#include "forms/Forms.h"
#include "forms/cInputPresenter.h"
#include "forms/cSelectDcPresenter.h"
#include "forms/cSetupPresenter.h"
#include "output/ResultsExport.h"
#include "output/cReportPrinter.h"
#include "output/cResultsReport.h"
#include "platform/iClock.h"
#include "platform/iDesktop.h"
#include "platform/iMessageSink.h"
#include "platform/iNetApi.h"
#include "settings/ConfigurationFile.h"

namespace orvik {

using namespace main_window;

cMainPresenter::cMainPresenter(cDomainControllerCollection& collection, cUserDataCollector& collector, iClock& clock,
                               iDesktop& desktop, iStartupMarker& marker, iFileSystem& files, cMainOptions options)
    : m_Collection(collection),
      m_Collector(collector),
      m_Clock(clock),
      m_Desktop(desktop),
      m_Marker(marker),
      m_Files(files),
      m_Options(std::move(options)),
      m_bAutoStart(m_Options.autoStart),
      m_Ticks(collection, clock,
              {[this] { OnSaveResults(); }, [this] { RefreshKeepingPlace(); },
               [this] {
                   m_Desktop.Beep();
                   ShowNotices();
               },
               [this] { SaveConfiguration(); }}) {}

cMainPresenter::~cMainPresenter() { Close(); }

const cForm& cMainPresenter::Form() const { return MainForm(); }

void cMainPresenter::Open(iFormView& view, iMainWindow& window) {
    m_View = &view;
    m_Window = &window;
    std::unique_ptr<iProgressWindow> progress = window.ShowProgress();
    view.SetBusy(true);
    progress->SetText(u"Starting " + std::u16string(kProductName) + u" application, reading configuration file ...");
    std::u16string loadFailure;
    if (const tResult<bool> loaded = m_Collection.LoadConfiguration(GetControllerList()); !loaded)
        loadFailure = LoadFailureText(loaded.error());
    if (!loadFailure.empty() && !m_Collection.KeepAsidePath().empty())
        loadFailure += u"\n" + KeptAsideText(m_Collection.KeepAsidePath());
    AddDefaultControllers(m_Collection, GetControllerList(), m_Options.defaultControllers);
    m_Report = std::make_unique<cResultsReport>(m_Collection, GetUserList(), m_Clock);
    m_Collection.SetMainWindow(this);
    RefreshUserList();
    window.StartTimer(m_Options.tickMs);
    // Many ends at once post one call; it runs on the window's thread.
    m_Collector.SetWake([this] {
        if (!m_WakePosted.exchange(true) && m_Window != nullptr) m_Window->Post([this] { OnWorkerEnded(); });
    });
    UpdateRemoveState();
    progress.reset();
    // First start: the marker exists and is still 0.
    std::uint32_t marker = 0;
    if (m_Marker.Read(marker)) {
        if (marker == 0) window.ShowHelp();
        m_Marker.Write(static_cast<std::uint32_t>(m_Clock.Now()));
    }
    view.SetBusy(false);
    // A configuration file that could not be read is said once, after the
    // window has come up with default settings and empty lists.
    if (!loadFailure.empty()) window.Post([this, loadFailure] { m_Window->Messages().ShowMessage(loadFailure); });
}

void cMainPresenter::Close() {
    m_Collector.SetWake({});  // no worker posts to the window from here on
    if (m_Window != nullptr) m_Window->StopTimer();
    m_Collection.SetMainWindow(nullptr);
    m_Window = nullptr;
    m_View = nullptr;
}

iListView& cMainPresenter::GetControllerList() { return m_View->List(kControllerList); }
iListView& cMainPresenter::GetUserList() { return m_View->List(kUserList); }

void cMainPresenter::ShowControllers(const std::vector<const cDomainController*>& changed) {
    RedrawControllerRows(GetControllerList(), changed);
}

void cMainPresenter::ShowUserCount(const cShownUsers& users) {
    m_View->SetText(kUserCount, ShownUsersText(users, m_View->GroupSeparator()));
}

void cMainPresenter::OnEvent(iFormView& view, int id, eFormEvent event) {
    if (event == eFormEvent::kSelectionChanged && id == kControllerList) return UpdateRemoveState();
    if (event != eFormEvent::kClicked) return cFormPresenter::OnEvent(view, id, event);
    switch (id) {
        case kStart: return OnStart();
        case kAddDc: return OnAddDc();
        case kRemoveDc: return OnRemoveDc();
        case kSetup: return OnSetup();
        case kReset: return OnReset();
        case kShowResults: return RefreshUserList();
        case kSearch: return OnSearch();
        case kSaveResults: return OnSaveResults();
        case kPrint: return OnPrint();
        case kHelp: return m_Window->ShowHelp();
        case kAbout: return OnAbout();
        case kWeb: return m_Desktop.OpenUrl(u"https://" + std::u16string(kVendorWebAddress) + u"/");
        case kMail: return m_Desktop.OpenUrl(u"mailto:" + std::u16string(kVendorMailAddress));
        default: return cFormPresenter::OnEvent(view, id, event);  // Close
    }
}

void cMainPresenter::RefreshUserList() {
    m_View->SetBusy(true);
    m_Window->HoldDrawing(kUserList, true);
    m_Collection.SortUsers();
    m_Collection.ShowUsers(u"");
    m_Window->HoldDrawing(kUserList, false);
    m_View->SetBusy(false);
}

void cMainPresenter::RefreshKeepingPlace() {
    // The users still shown stay selected (told apart by name and domain),
    // and the list stays scrolled where it was.
    iListView& users = GetUserList();
    std::set<std::pair<std::u16string, std::u16string>> selected;
    for (int row : users.GetSelectedRows()) selected.emplace(users.GetCellText(row, 0), users.GetCellText(row, 4));
    const int top = m_Window->TopRow(kUserList);
    RefreshUserList();
    if (!selected.empty()) {
        for (int row = 0; row < users.GetRowCount(); ++row)
            if (selected.count({users.GetCellText(row, 0), users.GetCellText(row, 4)}) != 0)
                users.SetSelected(row, true);
    }
    m_Window->ScrollTo(kUserList, top);
}

void cMainPresenter::OnStart() {
    if (m_Collector.GetRunningCount() > 0) {
        if (!m_Window->Questions().AskYesNo(
                u"The data collection process is already in progress. Would you like to terminate the running data "
                u"collection process and restart the process?",
                false)) {
            return;
        }
        ResetAndWait();
    }
    m_Ticks.RunStarted();
    m_Collection.StartAll();
}

void cMainPresenter::OnAddDc() {
    std::vector<std::u16string> names;
    m_Collection.GetControllerNames(names);
    cSelectDcPresenter dialog(names, m_Collection.Settings().m_DefaultDomains, m_Options.net);
    if (!m_Window->Forms().Run(dialog)) return;
    ShowSaveOutcome(m_Collection.SetDomainControllers(GetControllerList(), dialog.Names()));
    UpdateRemoveState();
}

void cMainPresenter::OnRemoveDc() {
    const int row = GetFirstSelectedItem(GetControllerList());
    if (row >= 0) {
        const std::u16string name = GetControllerList().GetCellText(row, 0);
        if (!name.empty()) {
            m_Collection.RemoveDomainController(GetControllerList(), name);
            SaveConfiguration();
        }
    }
    UpdateRemoveState();
}

void cMainPresenter::OnSetup() {
    cSetupPresenter dialog(m_Collection.Settings(), m_Window->FileChooser(), m_Window->FontChooser(),
                           m_Window->Forms());
    if (!m_Window->Forms().Run(dialog)) return;
    m_Collection.Settings().CopyFrom(dialog.Setup());
    SaveConfiguration();
}

void cMainPresenter::ResetAndWait() {
    // No tick may run from here on: painting the progress window runs the
    // events, and a tick there could complete (and export) the run being reset.
    m_Window->StopTimer();
    m_Ticks.RunReset();
    // The window stays painted while the workers end: the progress window
    // runs the events (without the user's input) instead of a blocked thread.
    std::unique_ptr<iProgressWindow> progress = m_Window->ShowProgress();
    progress->SetText(u"Waiting for collection process to respond and terminate ...");
    m_View->SetBusy(true);
    m_Collection.BeginReset();
    const std::int64_t deadline = m_Clock.ElapsedMs() + kResetWaitMs;
    progress->WaitUntil(
        [this, deadline] { return m_Collection.AreWorkersStopped() || m_Clock.ElapsedMs() >= deadline; }, kResetPollMs);
    m_Collection.FinishReset();
    m_Window->StartTimer(m_Options.tickMs);
    m_View->SetBusy(false);
}

void cMainPresenter::OnReset() {
    // Collected users are not thrown away at one click.
    const std::u16string question = ResetQuestion(m_Collection.GetTotalUsers(), m_View->GroupSeparator());
    if (!question.empty() && !m_Window->Questions().AskYesNo(question, false)) return;
    ResetAndWait();
    SaveConfiguration();
}

void cMainPresenter::OnSearch() {
    cInputPresenter ask(u"Specify text in name to search for:", u"");  // empty every time
    if (!m_Window->Forms().Run(ask)) return;
    m_View->SetBusy(true);
    m_Collection.SortUsers();
    m_Collection.ShowUsers(ask.Value());
    m_View->SetBusy(false);
}

void cMainPresenter::OnSaveResults() {
    m_View->SetBusy(true);
    m_Collection.SortUsers();
    const tResult<cExportOutcome> outcome = ExportResults(m_Collection, m_Files, m_Clock.Now(), &m_Window->Messages());
    m_View->SetBusy(false);
    // A failed export shows no message box, but the title says so until an export succeeds.
    m_ExportProblem.clear();
    if (const cFileError* failure = ExportFailure(outcome)) {
        m_ExportProblem = !outcome ? u" - the export file was not written" : u" - the summary file was not written";
        if (*failure) m_ExportProblem += u" (" + FromUtf8(failure->reason.message()) + u")";
    }
    ShowTitle();
}

void cMainPresenter::SaveConfiguration() { ShowSaveOutcome(m_Collection.SaveConfiguration()); }

void cMainPresenter::ShowSaveOutcome(const tResult<>& saved) {
    // As a failed export: the title says so until a save succeeds.
    m_SaveProblem.clear();
    if (!saved) m_SaveProblem = u" - the configuration was not saved (" + saved.error().Describe() + u")";
    ShowTitle();
}

void cMainPresenter::ShowTitle() { m_Window->SetTitle(MainTitle() + m_ExportProblem + m_SaveProblem); }

void cMainPresenter::OnPrint() {
    cReportPrinter printer;
    if (printer.SelectPrinter(m_Window->PrinterChooser()) != 0) return;
    m_Report->CopyTexts();
    m_View->SetBusy(true);
    printer.Print(*m_Report, m_Clock.Now());
    m_View->SetBusy(false);
}

void cMainPresenter::OnAbout() {
    m_Window->ShowAbout(std::u16string(kProductName) + u" " + FromUtf8(ProgramVersion()) + u" (" +
                        std::u16string(kProgramName) +
                        u")\nThe real last logon of every user of a Windows "
                        u"domain.\n\n" +
                        std::u16string(kVendorName) + u", " + std::u16string(kVendorWebAddress));
}

void cMainPresenter::OnStartSelected() {
    if (!m_Window->Questions().AskYesNo(
            u"This will start the logon user data collection process for the selected server(s) only. Press the "
            u"'Start' button to reset all results and collect this information for all domain controllers in the "
            u"list. Press 'Yes' to start the logon user data collection process for the selected server(s) only.",
            true)) {
        return;
    }
    m_Collection.StartSelected();
    m_Ticks.RunStarted();
}

void cMainPresenter::OnContextMenu(iFormView& /*view*/, int id) {
    if (id != kControllerList) return;
    int startable = 0;
    iListView& list = GetControllerList();
    for (int row : list.GetSelectedRows()) {
        const auto* dc = static_cast<const cDomainController*>(list.GetItemData(row));
        if (dc != nullptr && dc->GetStatus() != kStatusBusy) ++startable;
    }
    if (m_Window->PopUpMenu({{kStartSelected, u"Start DC data collection", startable > 0}}) == kStartSelected)
        OnStartSelected();
}

void cMainPresenter::OnTimer() {
    if (m_bAutoStart) {
        m_bAutoStart = false;
        m_Window->Post([this] { OnStart(); });
    }
    m_Ticks.Tick();
}

void cMainPresenter::ShowNotices() {
    // What the directory had to say beside the codes (a server's own reason for
    // an error, last logons that were no time and count as never) is said once
    // the run's files are written, after the tick.
    if (m_Options.net == nullptr) return;
    const std::vector<std::u16string> notices = m_Options.net->TakeNotices();
    if (notices.empty()) return;
    constexpr std::size_t kMostLines = 20;
    std::u16string text = u"The domain controllers of this run had more to say:";
    for (std::size_t i = 0; i < notices.size() && i < kMostLines; ++i) text += u"\n" + notices[i];
    if (notices.size() > kMostLines)
        text += u"\n... and " + FormatLong(static_cast<std::int64_t>(notices.size() - kMostLines)) + u" more.";
    m_Window->Post([this, text] {
        if (m_Window != nullptr) m_Window->Messages().ShowMessage(text);
    });
}

void cMainPresenter::OnWorkerEnded() {
    m_WakePosted = false;
    // While the timer stands still (a reset waits for its workers) nothing polls.
    if (m_Window != nullptr && m_Window->TimerRunning()) m_Ticks.Wake();
}

void cMainPresenter::OnColumnClicked(iFormView& /*view*/, int id, int column) {
    if (id == kControllerList) {
        m_Collection.SetControllerSortColumn(column);
        GetControllerList().SortRows([this](const void* a, const void* b) {
            return m_Collection.CompareControllers(*static_cast<const cDomainController*>(a),
                                                   *static_cast<const cDomainController*>(b));
        });
    } else if (id == kUserList) {
        m_View->SetBusy(true);
        m_Collection.SetUserSortColumn(column);
        m_Window->HoldDrawing(kUserList, true);
        m_Collection.ShowUsers(u"");
        m_Window->HoldDrawing(kUserList, false);
        m_View->SetBusy(false);
    }
}

void cMainPresenter::UpdateRemoveState() { m_View->Enable(kRemoveDc, !GetControllerList().GetSelectedRows().empty()); }

}  // namespace orvik
