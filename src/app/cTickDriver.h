#pragma once
// What the window's one-second timer and its wake-ups from ending workers
// do, without the window: the poll step, the completion actions once per run
// (export and summary, saving the configuration, refreshing the user list,
// the beep), and, at the ticks alone, the timed refresh of the user list
// while results arrive.

#include <cstdint>
#include <functional>

#include "base/FormatTime.h"

namespace orvik {

class cDomainControllerCollection;
class iClock;

class cTickDriver {
public:
    struct cActions {
        std::function<void()> exportResults;    // sort and write the export and summary files
        std::function<void()> refreshUserList;  // sort and show the users
        std::function<void()> beep;
        // save the configuration and tell of a failure; without it the tick saves unheard
        std::function<void()> saveConfiguration;
    };

    cTickDriver(cDomainControllerCollection& collection, iClock& clock, cActions actions);

    // A run was started: its completion actions are due once it completes.
    void RunStarted() noexcept { m_RunPending = true; }
    // A run was reset: its completion actions never run.
    void RunReset() noexcept { m_RunPending = false; }
    bool IsRunPending() const noexcept { return m_RunPending; }

    // One tick: Wake, then the timed refresh of the user list; true when it
    // ran the completion actions.
    bool Tick();
    // A worker ended: the poll step (which starts the next controllers) and,
    // when the run is complete, its completion actions; true when it ran them.
    bool Wake();

private:
    cDomainControllerCollection& m_Collection;
    iClock& m_Clock;
    cActions m_Actions;
    bool m_RunPending = false;
    tTimeValue m_LastRefresh = 0;
    std::uint32_t m_ShownChangeNumber = 0;
};

}  // namespace orvik
