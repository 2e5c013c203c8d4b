#pragma once
// The export file (one line per user from the format template) and the
// summary block appended after it.

#include <cstdint>
#include <string>

#include "base/FormatTime.h"
#include "base/cFileError.h"

namespace orvik {

class cDomainControllerCollection;
class cSetupData;
class cUserInfo;
class cTextVariables;
class cUserInfoTable;
class iFileSystem;
class iListView;
class iMessageSink;

// What an export wrote, and why it failed when it did.
struct cExportOutcome {
    std::string exportFile;  // the export file's name once it is written completely, else empty
    cFileError error;        // the file that failed and the reason (none for a missing export file name)
};

// The six export variables of one user, in the order they are applied.
void SetExportVariables(cTextVariables& variables, const cUserInfo& user);

// Writes every user of the display order to a fresh export file (the
// configured name made unique), then appends the summary block when a
// summary file is set. 0 on success; -1 when the export file name is empty
// (said through `messages`) or any file operation failed; `outcome` says
// which file was written and what failed.
int ExportResults(const cUserInfoTable& users, const cSetupData& setup, const iListView& controllerList,
                  iFileSystem& files, tTimeValue now, iMessageSink* messages, cExportOutcome* outcome = nullptr);
// The same for the collection: its users in their current display order (sort
// them first), its settings and its controller rows (none before the window
// has given them).
int ExportResults(const cDomainControllerCollection& collection, iFileSystem& files, tTimeValue now,
                  iMessageSink* messages, cExportOutcome* outcome = nullptr);

// Appends one summary block naming `exportFile`, dated `now`, with one line
// per controller row of `controllerList`. 0, or -1 when the file cannot be
// opened or written; a character above 255 is written as '?' and gives -1.
int WriteSummaryBlock(iFileSystem& files, const std::string& summaryFile, const std::u16string& exportFile,
                      const iListView& controllerList, tTimeValue now, cFileError* error = nullptr);

}  // namespace orvik
