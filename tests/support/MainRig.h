#pragma once
// The main window's presenter over a real collection and a simulated
// directory, the configuration, export and summary files in the test's
// folder; the directory lists its controllers unless told not to.

#include <memory>

#include "base/TextCompare.h"
#include "engine/cDomainControllerCollection.h"
#include "engine/cUserDataCollector.h"
#include "forms/cMainPresenter.h"
#include "platform/SystemFileSystem.h"
#include "platform/cSimulatedDirectory.h"
#include "support/RecordingDesktop.h"
#include "support/TempFolder.h"

namespace orvik::test {

struct MainRig {
    MainRig(std::unique_ptr<cSimulatedDirectory> simulated, iClock& clock, const TempFolder& folder,
            RecordingDesktop& desktop, cMainOptions options = {}, bool listed = true)
        : directory(std::move(simulated)), collector(*directory, clock), collection(collector, clock) {
        collection.SetConfigPath(folder.File("orvik.cfg"));
        collection.Settings().m_ExportFile = FromUtf8(folder.File("Ambrel.txt"));
        collection.Settings().m_SummaryFile = FromUtf8(folder.File("LastLogonSummary.txt"));
        if (options.net == nullptr) options.net = directory.get();
        if (listed) options.defaultControllers = directory->ControllerNames();
        presenter = std::make_unique<cMainPresenter>(collection, collector, clock, desktop, desktop, SystemFileSystem(),
                                                     options);
    }

    std::unique_ptr<cSimulatedDirectory> directory;
    cUserDataCollector collector;
    cDomainControllerCollection collection;
    std::unique_ptr<cMainPresenter> presenter;
};

}  // namespace orvik::test
