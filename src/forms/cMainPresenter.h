#pragma once
// The main window's behaviour, without a toolkit: the buttons' commands, the
// one-second tick and the ending workers' wake-ups that move a collection
// forward, the start-up (configuration, first start), what the title says
// of a failed export or save, and the two lists as the collection sees them.

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/cTickDriver.h"
#include "base/Result.h"
#include "engine/iCollectionView.h"
#include "forms/cFormPresenter.h"
#include "forms/iMainWindow.h"

namespace orvik {

class cDomainControllerCollection;
class cResultsReport;
class cUserDataCollector;
class iClock;
class iDesktop;
class iFileSystem;
class iNetApi;
class iStartupMarker;

struct cMainOptions {
    bool autoStart = false;  // "/AS": start at the first tick
    int tickMs = 1000;       // the timer's period
    // Controllers to list when the configuration file lists none (a simulated directory's).
    std::vector<std::u16string> defaultControllers;
    // Answers the controller selection's Search; without it Search finds nothing.
    iNetApi* net = nullptr;
};

// How often a reset looks whether the workers have ended, and how long it
// waits for them: a controller whose call has not returned by then is left
// to end on its own, whatever it answers is dropped, and it starts again
// only once its old call has ended.
inline constexpr int kResetPollMs = 100;
inline constexpr std::int64_t kResetWaitMs = 30000;

class cMainPresenter final : public cFormPresenter, public iCollectionView {
public:
    cMainPresenter(cDomainControllerCollection& collection, cUserDataCollector& collector, iClock& clock,
                   iDesktop& desktop, iStartupMarker& marker, iFileSystem& files, cMainOptions options = {});
    ~cMainPresenter() override;

    const cForm& Form() const override;
    // The main window opens with Open, which needs the window's services too.
    void Initialise(iFormView& /*view*/) override {}
    // The window stands: read the configuration (with the progress window
    // up), fill the lists, start the timer, and on the first start show the help.
    void Open(iFormView& view, iMainWindow& window);
    // The window goes: no worker posts to it, no tick runs, the collection forgets it.
    void Close();

    void OnEvent(iFormView& view, int id, eFormEvent event) override;
    void OnColumnClicked(iFormView& view, int id, int column) override;
    void OnContextMenu(iFormView& view, int id) override;
    void OnTimer();

    // iCollectionView
    iListView& GetControllerList() override;
    iListView& GetUserList() override;
    void ShowControllers(const std::vector<const cDomainController*>& changed) override;
    void ShowUserCount(const cShownUsers& users) override;

private:
    void OnStart();
    void OnAddDc();
    void OnRemoveDc();
    void OnSetup();
    void OnReset();
    void OnSearch();
    void OnSaveResults();
    void OnPrint();
    void OnAbout();
    void OnStartSelected();
    // A worker ended (posted from its thread): the next controller starts now, not at the next tick.
    void OnWorkerEnded();
    void ShowNotices();
    void RefreshUserList();
    // The user list shown afresh, keeping its scroll position and the
    // selection of users still shown.
    void RefreshKeepingPlace();
    // Stops every worker and waits for them with the progress window up; the
    // run being reset never completes.
    void ResetAndWait();
    void SaveConfiguration();
    void ShowSaveOutcome(const tResult<>& saved);
    void ShowTitle();
    void UpdateRemoveState();

    cDomainControllerCollection& m_Collection;
    cUserDataCollector& m_Collector;
    iClock& m_Clock;
    iDesktop& m_Desktop;
    iStartupMarker& m_Marker;
    iFileSystem& m_Files;
    cMainOptions m_Options;
    iFormView* m_View = nullptr;
    iMainWindow* m_Window = nullptr;
    bool m_bAutoStart = false;
    cTickDriver m_Ticks;
    std::atomic<bool> m_WakePosted{false};          // an OnWorkerEnded call is on its way
    std::u16string m_ExportProblem, m_SaveProblem;  // what the title tells of the last export and save
    // The results report over the user list, for Print.
    std::unique_ptr<cResultsReport> m_Report;
};

}  // namespace orvik
