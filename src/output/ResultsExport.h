#pragma once
// The export file (one line per user from the format template) and the
// summary block appended after it.

#include <cstdint>
#include <string>

#include "base/FormatTime.h"
#include "base/Result.h"

namespace orvik {

class cDomainControllerCollection;
class cSetupData;
class cUserInfo;
class cTextVariables;
class cUserInfoTable;
class iFileSystem;
class iListView;
class iMessageSink;

// What an export wrote: the export file, and the summary block after it.
struct cExportOutcome {
    std::string exportFile;  // the export file's name, written completely
    tResult<> summary;       // appended, or no summary file is set; else the file and the reason
};

// The six export variables of one user, in the order they are applied.
void SetExportVariables(cTextVariables& variables, const cUserInfo& user);

// Writes every user of the display order to a fresh export file (the
// configured name made unique), then appends the summary block when a
// summary file is set. A failure when the export file name is empty (said
// through `messages`; the failure names no file) or the export file could
// not be written; the summary's own failure is in the outcome.
tResult<cExportOutcome> ExportResults(const cUserInfoTable& users, const cSetupData& setup,
                                      const iListView& controllerList, iFileSystem& files, tTimeValue now,
                                      iMessageSink* messages);
// The same for the collection: its users in their current display order (sort
// them first), its settings and its controller rows (none before the window
// has given them).
tResult<cExportOutcome> ExportResults(const cDomainControllerCollection& collection, iFileSystem& files, tTimeValue now,
                                      iMessageSink* messages);
// Why an export is not complete: the export file's failure, else the
// summary's; nullptr when both were written.
const cFileError* ExportFailure(const tResult<cExportOutcome>& exported);

// Appends one summary block naming `exportFile`, dated `now`, with one line
// per controller row of `controllerList`. A failure when the file cannot be
// opened or written; a character above 255 is written as '?' and fails.
tResult<> WriteSummaryBlock(iFileSystem& files, const std::string& summaryFile, const std::u16string& exportFile,
                            const iListView& controllerList, tTimeValue now);

}  // namespace orvik
