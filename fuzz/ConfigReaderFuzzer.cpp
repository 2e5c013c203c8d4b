// Any bytes given to the configuration reader either load or fail with a
// message; what loads, saved and loaded again, saves to the same bytes.

#include <cstdint>
#include <string>

#include "base/iWriteSink.h"
#include "engine/cDomainControllerCollection.h"
#include "engine/cMemoryListView.h"
#include "engine/cUserDataCollector.h"
#include "platform/cSimulatedDirectory.h"
#include "platform/iClock.h"
#include "settings/ConfigurationFile.h"

using namespace orvik;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static cSimulatedDirectory directory{{}};
    static cSystemClock clock;
    static cUserDataCollector collector{directory, clock};

    cDomainControllerCollection first(collector, clock);
    cMemoryListView rows;
    if (const tResult<> loaded = first.LoadFromBytes(data, size, rows, "fuzz.cfg"); !loaded) {
        if (LoadFailureText(loaded.error()).empty()) __builtin_trap();  // a failure always has its text
        return 0;
    }
    if (rows.GetRowCount() != static_cast<int>(first.Controllers().size())) __builtin_trap();
    cMemorySink saved;
    if (!first.SaveToSink(saved)) __builtin_trap();
    cDomainControllerCollection second(collector, clock);
    if (!second.LoadFromBytes(saved.Bytes().data(), saved.Bytes().size(), rows, "fuzz.cfg")) __builtin_trap();
    cMemorySink again;
    second.SaveToSink(again);
    if (again.Bytes() != saved.Bytes()) __builtin_trap();
    return 0;
}
