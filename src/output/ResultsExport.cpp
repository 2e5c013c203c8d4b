#include "output/ResultsExport.h"

#include <cstdio>

#include "base/CodePage1252.h"
#include "base/TextCompare.h"
#include "base/Vendor.h"
#include "base/iFileSystem.h"
#include "engine/cDomainController.h"
#include "engine/cDomainControllerCollection.h"
#include "engine/cMemoryListView.h"
#include "engine/cUserInfoTable.h"
#include "engine/iListView.h"
#include "output/MakeUniqueFileName.h"
#include "output/cTextFileWriter.h"
#include "output/cTextVariables.h"
#include "platform/iMessageSink.h"
#include "settings/cSetupData.h"

namespace orvik {

namespace {

// One byte per character, as the summary file is written; a character
// above 255 becomes '?' and makes the result false.
bool AppendBytes(std::string& out, std::u16string_view text) {
    bool whole = true;
    for (char16_t c : text) {
        whole = whole && c <= 0xFF;
        out.push_back(c <= 0xFF ? static_cast<char>(c) : '?');
    }
    return whole;
}

// One user is one line: a line break inside a value becomes a blank.
std::u16string_view OnOneLine(const std::u16string& value, std::u16string& scratch) {
    bool broken = false;
    for (char16_t c : value) broken |= (c == u'\r') | (c == u'\n');
    if (!broken) return value;
    scratch = value;
    for (char16_t& c : scratch) {
        if (c == u'\r' || c == u'\n') c = u' ';
    }
    return scratch;
}

constexpr const char16_t* kExportVariableNames[] = {
    u"%DOMAIN%",      u"%USER_NAME%", u"%FULL_NAME%", u"%LAST_LOGON_TIME%", u"%LAST_LOGON_TIME_NUMBER_VALUE%",
    u"%DESCRIPTION%",
};

void Pad(std::string& out, std::size_t from, std::size_t width) {
    if (out.size() - from < width) out.append(width - (out.size() - from), ' ');
}

// printf's "%-<width>s" for 8-bit text.
bool AppendPadded(std::string& out, std::u16string_view text, std::size_t width) {
    const std::size_t from = out.size();
    const bool whole = AppendBytes(out, text);
    Pad(out, from, width);
    return whole;
}

}  // namespace

void SetExportVariables(cTextVariables& variables, const cUserInfo& user) {
    // The names stay from one user to the next; only the values change.
    if (variables.Size() != std::size(kExportVariableNames) || variables.Find(kExportVariableNames[0]) != 0) {
        variables.Clear();
        for (const char16_t* name : kExportVariableNames) variables.Add(name, u"");
    }
    std::u16string scratch;
    variables.SetValue(0, OnOneLine(user.m_Domain, scratch));
    variables.SetValue(1, OnOneLine(user.m_UserName, scratch));
    variables.SetValue(2, OnOneLine(user.m_FullName, scratch));
    variables.SetValue(3, FormatTime(user.m_LastLogon));
    variables.SetValue(4, FormatLong(user.m_LastLogon));
    variables.SetValue(5, OnOneLine(user.m_Description, scratch));
}

tResult<cExportOutcome> ExportResults(const cUserInfoTable& users, const cSetupData& setup,
                                      const iListView& controllerList, iFileSystem& files, tTimeValue now,
                                      iMessageSink* messages) {
    if (setup.m_ExportFile.empty()) {
        if (messages != nullptr) messages->ShowMessage(u"Export file name not specified.", u"Export error");
        return Failure({});
    }
    std::string name = ToUtf8(setup.m_ExportFile);
    MakeUniqueFileName(name, files);
    std::error_code why;
    auto file = files.Create(name, why);
    if (!file) return Failure({name, why});
    cTextFileWriter out(*file, cTextFileWriter::eOnFailure::kKeepWholeLines);
    cTextVariables variables;
    std::u16string line;
    bool ok = true;
    for (const cUserInfo* user : users.Display()) {
        SetExportVariables(variables, *user);
        line = setup.m_ExportFormat;
        variables.Apply(line);
        line.push_back(u'\n');
        // Characters the 8-bit code page lacks become '?'; every character
        // has a byte, so the conversion itself never fails.
        if (!out.Write(ToCp1252(line))) {
            ok = false;
            break;
        }
    }
    ok = out.Close() && ok;
    if (!ok) return Failure({name, out.Error()});
    cExportOutcome outcome{name, {}};
    if (!setup.m_SummaryFile.empty())
        outcome.summary = WriteSummaryBlock(files, ToUtf8(setup.m_SummaryFile), FromUtf8(name), controllerList, now);
    return outcome;
}

tResult<cExportOutcome> ExportResults(const cDomainControllerCollection& collection, iFileSystem& files, tTimeValue now,
                                      iMessageSink* messages) {
    // The summary lists the controllers in the list's order, from their records.
    cMemoryListView controllers;
    for (const cDomainController* dc : collection.ControllersInListOrder()) {
        const int row = controllers.InsertRow(controllers.GetRowCount(), dc->GetName(), 0);
        controllers.SetItemData(row, const_cast<cDomainController*>(dc));
    }
    return ExportResults(collection.Users(), collection.Settings(), controllers, files, now, messages);
}

const cFileError* ExportFailure(const tResult<cExportOutcome>& exported) {
    if (!exported) return &exported.error();
    return exported->summary ? nullptr : &exported->summary.error();
}

tResult<> WriteSummaryBlock(iFileSystem& files, const std::string& summaryFile, const std::u16string& exportFile,
                            const iListView& controllerList, tTimeValue now) {
    std::error_code why;
    auto file = files.Append(summaryFile, why);
    if (!file) return Failure({summaryFile, why});
    // The block is written whole or not at all; a character that has no
    // byte is written as '?' and the result says the block is not exact.
    cTextFileWriter out(*file, cTextFileWriter::eOnFailure::kKeepNothing);
    bool exact = true;
    std::string text = "Real user last logon summary information by ";
    exact = AppendBytes(text, kVendorName) && exact;
    text += " (";
    exact = AppendBytes(text, kVendorWebAddress) && exact;
    text += ").\nLast logon data written to text file: ";
    exact = AppendBytes(text, exportFile) && exact;
    text += ".\nDate: ";
    AppendBytes(text, FormatTime(now));
    text += ".\nContacted domain controllers:\n";
    char heading[160];
    std::snprintf(heading, sizeof heading, "%-20s %-16s %-32s %-8s %-32s\n", "Start time", "Server", "Status",
                  "# Users", "Elapsed (sec)");
    text += heading;
    for (int row = 0; row < controllerList.GetRowCount(); ++row) {
        const auto* dc = static_cast<const cDomainController*>(controllerList.GetItemData(row));
        if (dc == nullptr) continue;
        AppendPadded(text, FormatTime(dc->GetStartTime()), 20);
        text += ',';
        exact = AppendPadded(text, dc->GetName(), 16) && exact;
        text += ',';
        AppendPadded(text, dc->GetStatusText(), 32);
        text += ',';
        AppendPadded(text, FormatLong(dc->GetUserCount()), 8);
        text += ',';
        const auto elapsed = static_cast<std::int32_t>(static_cast<std::uint32_t>(dc->GetLastCallTime()) -
                                                       static_cast<std::uint32_t>(dc->GetStartTime()));
        AppendPadded(text, FormatLong(elapsed), 32);
        text += '\n';
    }
    text += '\n';
    out.Write(text);
    if (!out.Close()) return Failure({summaryFile, out.Error()});
    if (!exact) return Failure({summaryFile, std::make_error_code(std::errc::illegal_byte_sequence)});
    return {};
}

}  // namespace orvik
