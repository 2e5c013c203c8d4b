#include "app/cTickDriver.h"

#include "engine/cDomainControllerCollection.h"
#include "platform/iClock.h"

namespace orvik {

cTickDriver::cTickDriver(cDomainControllerCollection& collection, iClock& clock, cActions actions)
    : m_Collection(collection), m_Clock(clock), m_Actions(std::move(actions)) {}

bool cTickDriver::Wake() {
    bool complete = false;
    m_Collection.Poll(complete);
    const bool completing = complete && m_RunPending;
    if (completing) {
        m_RunPending = false;
        if (m_Actions.exportResults) m_Actions.exportResults();
        if (m_Actions.saveConfiguration)
            m_Actions.saveConfiguration();
        else
            (void)m_Collection.SaveConfiguration();
        if (m_Actions.refreshUserList) m_Actions.refreshUserList();
        if (m_Actions.beep) m_Actions.beep();
    }
    return completing;
}

bool cTickDriver::Tick() {
    const bool completing = Wake();
    const cSetupData& s = m_Collection.Settings();
    const std::uint32_t change = m_Collection.GetChangeNumber();
    const tTimeValue now = m_Clock.Now();
    if (m_ShownChangeNumber < change && s.m_AutoRefresh != 0 &&
        std::int64_t{now} >= std::int64_t{m_LastRefresh} + s.m_RefreshPeriod) {
        m_ShownChangeNumber = change;
        m_LastRefresh = now;
        if (m_Actions.refreshUserList) m_Actions.refreshUserList();
    }
    return completing;
}

}  // namespace orvik
