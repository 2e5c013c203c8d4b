#include "app/BatchRun.h"

#include <cstdlib>
#include <memory>

#include "app/CommandLine.h"
#include "app/NetworkSetup.h"
#include "app/ProgramStart.h"
#include "base/TextCompare.h"
#include "engine/cDomainControllerCollection.h"
#include "engine/cMemoryCollectionView.h"
#include "engine/cUserDataCollector.h"
#include "output/ResultsExport.h"
#include "output/cResultsReport.h"
#include "platform/SystemFileSystem.h"
#include "platform/iClock.h"
#include "platform/iMessageSink.h"
#include "platform/iNetApi.h"
#include "settings/ConfigurationFile.h"

namespace orvik {

void PollUntilComplete(cDomainControllerCollection& collection, cUserDataCollector& collector, std::int32_t tickMs,
                       const std::function<void()>& afterPoll) {
    std::uint64_t ended = 0;
    for (bool complete = false; !complete;) {
        collector.WaitForWorkerEnd(ended, tickMs);
        collection.Poll(complete);
        if (afterPoll) afterPoll();
    }
}

int RunBatch(const cCommandLine& arguments, std::ostream& out, std::ostream& progress, iMessageSink& messages,
             const cBatchSettings& settings) {
    if (const std::u16string_view option = arguments.UnclosedQuote(); !option.empty()) {
        messages.ShowMessage(std::u16string(option) + u" opens a double quote that is never closed.");
        return kBatchUsage;
    }
    cProgramStart start;
    if (!PrepareStart(arguments, messages, nullptr, true, start, settings.configBesideProgram)) return kBatchUsage;
    cNetworkSetup& network = start.network;
    // "/PDF:<file>": the results report as a PDF file too, found like "/CF:".
    std::u16string pdfPath;
    const bool wantPdf = GetCommandLineOption(arguments.Text(), u"/PDF:", pdfPath) == 0;
    if (wantPdf && (pdfPath.empty() || settings.pdfWriter == nullptr)) {
        messages.ShowMessage(pdfPath.empty() ? u"/PDF: needs the report file's name."
                                             : u"This program cannot write a PDF report.");
        return kBatchUsage;
    }

    cSystemClock clock;
    iFileSystem& files = SystemFileSystem();
    cUserDataCollector collector(*network.net, clock);
    cDomainControllerCollection collection(collector, clock);
    cMemoryCollectionView view;
    collection.SetMainWindow(&view);
    collection.SetConfigPath(start.configPath, start.createConfigFolder);
    if (const tResult<bool> loaded = collection.LoadConfiguration(view.Controllers()); !loaded) {
        messages.ShowMessage(LoadFailureText(loaded.error()));
        return kBatchUsage;
    }
    AddDefaultControllers(collection, view.Controllers(), network.defaultControllers);
    if (collection.Controllers().empty()) {
        messages.ShowMessage(u"No domain controllers are listed.");
        return kBatchUsage;
    }
    if (collection.Settings().m_ExportFile.empty()) {
        messages.ShowMessage(u"Export file name not specified.", u"Export error");
        return kBatchUsage;
    }

    collection.StartAll();
    const std::size_t total = collection.Controllers().size();
    PollUntilComplete(collection, collector, settings.tickMs, [&] {
        if (!settings.showProgress) return;
        std::size_t done = 0;
        for (const auto& dc : collection.Controllers()) {
            done += dc->GetStatus() == kStatusReady || dc->GetStatus() == kStatusError;
        }
        progress << "\rorvik: " << done << " of " << total << " controllers done, " << collection.GetTotalUsers()
                 << " users" << std::flush;
    });
    if (settings.showProgress) progress << "\n" << std::flush;

    collection.SortUsers();
    const tResult<cExportOutcome> exported = ExportResults(collection, files, clock.Now(), &messages);
    const tResult<> saved = collection.SaveConfiguration();
    std::u16string pdfFailure;
    bool pdfWritten = true;
    if (wantPdf) {
        // The report shows the users as the window's list would: sorted, up to the users shown.
        collection.ShowUsers(u"");
        cResultsReport report(collection, view.GetUserList(), clock);
        report.CopyTexts();
        pdfWritten = settings.pdfWriter->WritePdf(report, ToUtf8(pdfPath), clock.Now(), pdfFailure) == 0;
    }

    bool anyError = false;
    for (const cDomainController* dc : collection.ControllersInListOrder()) {
        anyError = anyError || dc->GetStatus() == kStatusError;
        const char16_t* word = StatusListWord(dc->GetStatus());
        out << ToUtf8(dc->GetName()) << '\t' << ToUtf8(word ? word : u"?") << '\t' << dc->GetUserCount() << '\t'
            << dc->GetErrorCode() << '\n';
    }
    for (const std::u16string& notice : network.net->TakeNotices()) messages.ShowMessage(notice);
    const std::u16string& summary = collection.Settings().m_SummaryFile;
    out << "Export file: " << (exported ? exported->exportFile : std::string("(none written)")) << '\n';
    out << "Summary file: " << (summary.empty() ? std::string("(none)") : ToUtf8(summary)) << '\n';
    if (wantPdf) out << "Report file: " << (pdfWritten ? ToUtf8(pdfPath) : std::string("(none written)")) << '\n';
    out.flush();

    int code = anyError ? kBatchSomeFailed : kBatchAllReady;
    if (const cFileError* failure = ExportFailure(exported)) {
        std::u16string text = u"The export or summary file could not be written completely.";
        if (*failure) text += u" (" + failure->Describe() + u")";
        messages.ShowMessage(text);
        code = kBatchOutputFailed;
    }
    if (!pdfWritten) {
        messages.ShowMessage(u"The report " + pdfPath + u" could not be written. (" + pdfFailure + u")");
        code = kBatchOutputFailed;
    }
    if (!saved) {
        std::u16string text = u"The configuration file " + FromUtf8(start.configPath) + u" could not be saved.";
        text += u" (" + FromUtf8(saved.error().reason.message()) + u")";
        messages.ShowMessage(text);
        code = kBatchOutputFailed;
    }
    // None runs after a complete run; should one hang all the same, leave without destroying anything.
    return LeaveWhenWorkersStopped(collection, code);
}

}  // namespace orvik
