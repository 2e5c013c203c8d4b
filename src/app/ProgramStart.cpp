#include "app/ProgramStart.h"

#include <cstdlib>

#include "app/CommandLine.h"
#include "base/TextCompare.h"
#include "engine/cDomainControllerCollection.h"
#include "platform/iMessageSink.h"
#include "settings/ConfigurationFile.h"

namespace orvik {

bool PrepareStart(const cCommandLine& arguments, iMessageSink& messages, const tPasswordPrompt& askPassword,
                  bool needConfigName, cProgramStart& out) {
    std::u16string value;
    out.configPath = DefaultConfigPath();
    out.createConfigFolder = true;
    if (GetCommandLineOption(arguments.Text(), u"/CF:", value) == 0) {
        if (value.empty() && needConfigName) {
            messages.ShowMessage(u"/CF: needs the configuration file's name.");
            return false;
        }
        out.configPath = ToUtf8(value);
        out.createConfigFolder = false;
    }
    out.autoStart = GetCommandLineOption(arguments.Text(), u"/AS", value) == 0;
    return SetUpNetwork(arguments, messages, askPassword, out.network);
}

void AddDefaultControllers(cDomainControllerCollection& collection, iListView& list,
                           const std::vector<std::u16string>& names) {
    if (!collection.Controllers().empty()) return;
    for (const auto& name : names) collection.AddDomainController(list, name);
}

int LeaveWhenWorkersStopped(cDomainControllerCollection& collection, int code) {
    if (!collection.StopForExit(kExitWaitMs)) std::_Exit(code);
    return code;
}

}  // namespace orvik
