#include "app/ProgramStart.h"

#include <cstdlib>

#include "app/CommandLine.h"
#include "base/TextCompare.h"
#include "engine/cDomainControllerCollection.h"
#include "platform/iMessageSink.h"
#include "settings/ConfigurationFile.h"

namespace orvik {

bool PrepareStart(const cCommandLine& arguments, iMessageSink& messages, const tPasswordPrompt& askPassword,
                  bool needConfigName, cProgramStart& out, const std::string& besideProgram) {
    std::u16string value;
    out.configPath = besideProgram.empty() ? DefaultConfigPath() : besideProgram;
    out.createConfigFolder = besideProgram.empty();
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

std::string ConfigPathBesideProgram(std::u16string_view commandLine) {
    while (!commandLine.empty() && commandLine.front() == u'"') commandLine.remove_prefix(1);
    std::u16string upper(commandLine);
    for (char16_t& c : upper) {
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    }
    const std::size_t at = upper.find(u"ORVIK.EXE");
    const std::u16string folder = at == std::u16string::npos ? u".\\" : std::u16string(commandLine.substr(0, at));
    return ToUtf8(folder) + "orvik.cfg";
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
