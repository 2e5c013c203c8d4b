#include "forms/RunMainWindow.h"

#include "app/ProgramStart.h"
#include "engine/cDomainControllerCollection.h"
#include "engine/cUserDataCollector.h"
#include "forms/cMainPresenter.h"
#include "platform/iClock.h"
#include "platform/iNetApi.h"

namespace orvik {

int RunMainWindow(cProgramStart& start, iDesktop& desktop, iStartupMarker& marker, iFileSystem& files,
                  const std::function<int(cMainPresenter& presenter)>& show) {
    cNetworkSetup& network = start.network;
    cMainOptions options;
    options.autoStart = start.autoStart;
    options.defaultControllers = network.defaultControllers;
    options.net = network.net.get();
    cSystemClock clock;
    cUserDataCollector collector(*network.net, clock);
    cDomainControllerCollection collection(collector, clock);
    collection.SetConfigPath(start.configPath, start.createConfigFolder);
    int status = 0;
    {
        cMainPresenter presenter(collection, collector, clock, desktop, marker, files, options);
        status = show(presenter);
    }
    // Closing does not wait for a run, but no worker may outlive what it reports to.
    return LeaveWhenWorkersStopped(collection, status);
}

}  // namespace orvik
