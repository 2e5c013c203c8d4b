#include "app/DemoRun.h"

#include <cstdlib>
#include <string>

#include "engine/TextCompare.h"
#include "engine/cDomainControllerCollection.h"
#include "engine/cMemoryCollectionView.h"
#include "engine/cUserDataCollector.h"
#include "platform/DemoDirectory.h"
#include "platform/cSimulatedDirectory.h"
#include "platform/iClock.h"

namespace orvik {

namespace {

constexpr std::int32_t kExitWaitMs = 10000;

void PrintRow(std::ostream& out, const cMemoryListView& list, int row, int columns) {
    for (int c = 0; c < columns; ++c) out << (c ? "\t" : "") << ToUtf8(list.GetCellText(row, c));
    out << "\n";
}

}  // namespace

int RunDemo(std::ostream& out) {
    std::string error;
    auto directory = cSimulatedDirectory::FromJson(DemoDirectoryJson(), error);
    if (!directory) {
        out << "demo directory: " << error << "\n";
        return 2;
    }
    cSystemClock clock;
    cUserDataCollector collector(*directory, clock);
    cDomainControllerCollection collection(collector, clock);
    cMemoryCollectionView view;
    collection.SetMainWindow(&view);
    for (const auto& name : directory->ControllerNames()) collection.AddDomainController(view.Controllers(), name);

    collection.StartAll();
    bool complete = false;
    while (!complete) {
        clock.SleepMs(100);
        collection.Poll(complete);
    }
    collection.SortUsers();
    collection.ShowUsers(u"");

    out << "Domain controller\tUser count\tStart time\tLast call time\tEnd time\tStatus\tError code\n";
    for (int r = 0; r < view.Controllers().GetRowCount(); ++r) PrintRow(out, view.Controllers(), r, 7);
    out << "\n" << collection.GetTotalUsers() << " users; the " << view.Users().GetRowCount()
        << " most recent last logons:\n";
    out << "User name\tLast logon time\tFull name\tDescription\tDomain\n";
    for (int r = 0; r < view.Users().GetRowCount(); ++r) PrintRow(out, view.Users(), r, 5);
    out.flush();
    // No worker may outlive what it reports to. After a complete run none
    // runs; should one hang all the same, leave without destroying anything.
    if (!collection.StopForExit(kExitWaitMs)) std::_Exit(0);
    return 0;
}

}  // namespace orvik
