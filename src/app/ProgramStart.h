#pragma once
// What the window and the run without a window both do around their work:
// where the configuration file is, which directory is read, which
// controllers to list when the file lists none, and how to leave without
// destroying what a worker still uses.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/NetworkSetup.h"

namespace orvik {

class cCommandLine;
class cDomainControllerCollection;
class iListView;
class iMessageSink;

struct cProgramStart {
    std::string configPath;          // "/CF:", else beside the program or the per-user default
    bool createConfigFolder = true;  // the default path's folder is made at the first save
    bool autoStart = false;          // "/AS"
    cNetworkSetup network;           // the directory and the controllers of "/DC:" or the simulation
};

// How long leaving waits for workers to see their stop request and end.
inline constexpr std::int32_t kExitWaitMs = 30000;

// Reads the start options. With `needConfigName`, an empty "/CF:" is a
// usage error. Without "/CF:" the configuration file is `besideProgram` (the
// Windows program's place for it, beside the executable) or, when that is
// empty, the per-user default. False after saying what is wrong through
// `messages`.
bool PrepareStart(const cCommandLine& arguments, iMessageSink& messages, const tPasswordPrompt& askPassword,
                  bool needConfigName, cProgramStart& out, const std::string& besideProgram = {});

// The configuration file beside the Windows program, from its whole command
// line as GetCommandLineW gives it: the leading double quotes dropped, the
// text before "ORVIK.EXE" (in any case) is the program's folder as typed,
// followed by "orvik.cfg"; ".\orvik.cfg" when the name is not there.
std::string ConfigPathBesideProgram(std::u16string_view commandLine);

// Lists `names` when the collection lists no controller yet (the file had none).
void AddDefaultControllers(cDomainControllerCollection& collection, iListView& list,
                           const std::vector<std::u16string>& names);

// Asks every worker to stop and waits for them (at most kExitWaitMs); returns
// `code`. A worker still inside a network call after that would use what the
// caller is about to destroy: then the process ends at once with `code`.
int LeaveWhenWorkersStopped(cDomainControllerCollection& collection, int code);

}  // namespace orvik
