#include "engine/cDomainControllerCollection.h"

#include <algorithm>
#include <chrono>
#include <limits>
#include <new>
#include <unordered_set>

#include "base/TextCompare.h"
#include "engine/ListFunctions.h"
#include "engine/UserDataWorker.h"
#include "engine/cUserDataCollector.h"
#include "engine/iCollectionView.h"
#include "engine/iListView.h"
#include "platform/iClock.h"
#include "settings/ConfigurationFile.h"
#include "settings/cArchiveReader.h"
#include "settings/cArchiveWriter.h"

namespace orvik {

namespace {

// The names in the order to start them: the longest previous run (start to
// last call) first, as the slow controllers then overlap the many quick
// ones instead of running on alone at the end. One without a previous run
// may be the slowest of all and goes before them; equal ones keep their order.
std::vector<std::u16string> LongestFirst(std::vector<const cDomainController*> dcs) {
    const auto duration = [](const cDomainController* dc) {
        const std::int64_t start = dc->GetStartTime(), last = dc->GetLastCallTime();
        return start == 0 || last < start ? std::numeric_limits<std::int64_t>::max() : last - start;
    };
    std::stable_sort(dcs.begin(), dcs.end(), [&](auto* a, auto* b) { return duration(a) > duration(b); });
    std::vector<std::u16string> names;
    for (const cDomainController* dc : dcs) names.push_back(dc->GetName());
    return names;
}

}  // namespace

cDomainControllerCollection::cDomainControllerCollection(cUserDataCollector& collector, iClock& clock,
                                                         iFileSystem& files)
    : m_Collector(collector), m_Clock(clock), m_Files(files) {}

void cDomainControllerCollection::GetControllerNames(std::vector<std::u16string>& names) const {
    names.clear();
    for (const auto& dc : m_Controllers) names.push_back(dc->GetName());
}

tResult<> cDomainControllerCollection::SetDomainControllers(iListView& list, const std::vector<std::u16string>& names) {
    std::vector<std::u16string> gone;
    for (std::size_t i = m_Controllers.size(); i-- > 0;) {
        if (FindStringInArray(names, m_Controllers[i]->GetName()) < 0) gone.push_back(m_Controllers[i]->GetName());
    }
    for (const auto& name : gone) RemoveDomainController(list, name);
    std::vector<std::u16string> added;
    for (const auto& name : names) {
        // A name given twice is added once.
        if (!name.empty() && FindDomainController(name) < 0 && FindStringInArray(added, name) < 0) {
            added.push_back(name);
        }
    }
    for (const auto& name : added) AddDomainController(list, name);
    return SaveConfiguration();
}

int cDomainControllerCollection::FindDomainController(std::u16string_view name) const {
    for (std::size_t i = 0; i < m_Controllers.size(); ++i) {
        if (EqualNoCase(m_Controllers[i]->GetName(), name)) return static_cast<int>(i);
    }
    return -1;
}

void cDomainControllerCollection::AddDomainController(iListView& list, const std::u16string& name) {
    // A name is one controller whatever its letter case.
    if (name.empty() || FindDomainController(name) >= 0) return;
    m_Controllers.push_back(std::make_unique<cDomainController>(name));
    cDomainController* dc = m_Controllers.back().get();
    m_ListOrder.push_back(dc);
    const int row = list.InsertRow(list.GetRowCount(), name, 0);
    list.SetItemData(row, dc);
    dc->FillRow(list, row);
}

void cDomainControllerCollection::RemoveDomainController(iListView& list, const std::u16string& name) {
    const int index = FindDomainController(name);
    int row = -1;
    if (index >= 0) {
        // The row that carries the record goes with it, so no row is left
        // pointing at a deleted record.
        const cDomainController* dc = m_Controllers[static_cast<std::size_t>(index)].get();
        row = FindListItemByData(list, dc);
        std::erase(m_ListOrder, dc);
        m_Controllers.erase(m_Controllers.begin() + index);
    }
    if (row < 0) row = FindListItem(list, name);
    if (row >= 0) list.DeleteRow(row);
}

void cDomainControllerCollection::StartAll() {
    // Ordered by the figures of the previous run, which the reset clears.
    std::vector<const cDomainController*> all;
    for (const auto& dc : m_Controllers) all.push_back(dc.get());
    std::vector<std::u16string> order = LongestFirst(std::move(all));
    StopAndReset();
    m_Users.Clear();
    m_NamesToStart = std::move(order);
    m_NextToStart = 0;
    bool complete = false;
    Poll(complete);
}

void cDomainControllerCollection::StartSelected() {
    std::vector<const cDomainController*> selected;
    if (m_View != nullptr) {
        iListView& list = m_View->GetControllerList();
        for (int row : list.GetSelectedRows()) {
            const auto* dc = static_cast<const cDomainController*>(list.GetItemData(row));
            if (dc != nullptr && dc->GetStatus() != kStatusBusy) selected.push_back(dc);
        }
    }
    m_NamesToStart = LongestFirst(std::move(selected));
    m_NextToStart = 0;
    bool complete = false;
    Poll(complete);
}

void cDomainControllerCollection::StopAndReset() {
    BeginReset();
    m_Collector.WaitForWorkers(-1);
    FinishReset();
}

void cDomainControllerCollection::BeginReset() {
    m_Collector.StopAllJobs();
    m_Users.Clear();
    m_Shown = {};
    if (m_View != nullptr) {
        m_View->GetUserList().DeleteAllRows();
        m_View->ShowUserCount(m_Shown);
    }
}

bool cDomainControllerCollection::AreWorkersStopped() const { return m_Collector.GetRunningCount() == 0; }

void cDomainControllerCollection::FinishReset() {
    // What the workers queued before they saw the stop, and the figures they
    // reported before it, belong to the run that was reset: neither may come
    // back at the next tick.
    m_Collector.DiscardResults();
    std::vector<cCollectionJob> stale;
    m_Collector.CollectChangedJobs(m_ChangeNumber, stale);
    // The start request ends too: no waiting controller starts by itself.
    m_NamesToStart.clear();
    m_NextToStart = 0;
    for (const auto& dc : m_Controllers) dc->ResetToIdle();
    if (m_View != nullptr) m_View->ShowControllers(m_ListOrder);
}

std::int32_t cDomainControllerCollection::ThreadLimit() const noexcept {
    return std::max<std::int32_t>(1, m_Setup.m_MaxThreads);
}

void cDomainControllerCollection::Poll(bool& complete) {
    complete = false;
    // Merge for a bounded time, at least one page, so that a tick never
    // blocks the window for long; what is left waits for the next tick.
    const std::int64_t mergeUntil = m_Clock.ElapsedMs() + kMergeBudgetMs;
    std::unique_ptr<cUserInfoBatch> batch;
    while (m_Collector.PopResult(batch) == 0) {
        m_Users.MergeBatch(std::move(batch));
        if (m_Clock.ElapsedMs() >= mergeUntil) break;
    }

    if (m_NextToStart < m_NamesToStart.size()) {
        const std::int32_t limit = ThreadLimit();
        while (m_NextToStart < m_NamesToStart.size()) {
            if (m_Collector.GetRunningCount() >= limit) break;
            auto job =
                std::make_unique<cCollectionJob>(m_NamesToStart[m_NextToStart], PageBufferBytes(m_Setup.m_BufferSize));
            // A controller whose earlier worker has not ended yet waits for it,
            // and so do the names after it.
            if (m_Collector.StartJob(std::move(job)) != 0) break;
            ++m_NextToStart;
        }
    } else if (!m_NamesToStart.empty() && m_Collector.IsIdle()) {
        // Idle means no worker runs and every page they queued was merged
        // above: a worker that ends between the merge and this check leaves
        // its last page queued, and the run completes at the next tick.
        complete = true;
    }

    std::vector<cCollectionJob> jobs;
    m_Collector.CollectChangedJobs(m_ChangeNumber, jobs);
    std::vector<const cDomainController*> changed;
    for (const cCollectionJob& job : jobs) {
        // A job whose controller was removed while it ran is dropped.
        const int index = FindDomainController(job.name);
        if (index < 0) continue;
        cDomainController& dc = *m_Controllers[static_cast<std::size_t>(index)];
        dc.UpdateFromJob(job);
        changed.push_back(&dc);
    }
    if (m_View != nullptr && !changed.empty()) m_View->ShowControllers(changed);
}

void cDomainControllerCollection::ShowUsers(std::u16string_view filter) {
    if (m_View == nullptr) return;
    m_Shown = m_Users.ShowUsers(m_View->GetUserList(), filter, m_Setup.m_UsersShown);
    m_View->ShowUserCount(m_Shown);
}

void cDomainControllerCollection::SetUserSortColumn(int column) {
    m_Users.SetSortColumn(column);
    m_Users.Sort();
}

void cDomainControllerCollection::SetControllerSortColumn(int column) {
    int key;
    switch (column) {
        case kColController: key = kSortName; break;
        case kColUserCount: key = kSortUserCount; break;
        case kColStartTime: key = kSortStartTime; break;
        case kColLastCallTime: key = kSortLastCallTime; break;
        case kColEndTime: key = kSortEndTime; break;
        case kColStatus: key = kSortStatus; break;
        case kColErrorCode: key = kSortErrorCode; break;
        default: return;
    }
    if (key == m_ControllerSortKey) {
        m_ControllerAscending = m_ControllerAscending ? 0 : 1;
    } else {
        m_ControllerSortKey = key;
        m_ControllerAscending = 1;
    }
    std::stable_sort(
        m_ListOrder.begin(), m_ListOrder.end(),
        [this](const cDomainController* a, const cDomainController* b) { return CompareControllers(*a, *b) < 0; });
}

int cDomainControllerCollection::CompareControllers(const cDomainController& a, const cDomainController& b) const {
    return a.Compare(b, m_ControllerSortKey, m_ControllerAscending != 0);
}

bool cDomainControllerCollection::StopForExit(std::int32_t maxWaitMs) {
    m_Collector.StopAllJobs();
    return m_Collector.WaitForWorkers(maxWaitMs);
}

tResult<> cDomainControllerCollection::SaveConfiguration() {
    if (!m_KeepAsideAs.empty()) {
        // The file that could not be read is never overwritten: it moves
        // aside first, and without that nothing is saved.
        if (auto moved = m_Files.MoveAside(m_Files.ResolveLinks(m_ConfigPath), m_KeepAsideAs); !moved) return moved;
        m_KeepAsideAs.clear();
    }
    return m_Files.ReplaceAtomically(
        m_ConfigPath, [this](iWriteSink& sink) { return SaveToSink(sink); }, m_CreateConfigFolder);
}

bool cDomainControllerCollection::SaveToSink(iWriteSink& sink) const {
    cArchiveWriter ar(sink);
    Serialize(ar);
    return ar.Finish();
}

void cDomainControllerCollection::Serialize(cArchiveWriter& ar) const {
    ar.WriteCount(m_Controllers.size());
    for (const auto& dc : m_Controllers) {
        ar.WriteObjectClass(cDomainController::kClassName, cDomainController::kSchema);
        dc->Serialize(ar);
    }
    m_Setup.Serialize(ar);
    m_Users.Serialize(ar);
    ar.WriteU32(static_cast<std::uint32_t>(m_ControllerSortKey));
    ar.WriteU32(static_cast<std::uint32_t>(m_ControllerAscending));
}

void cDomainControllerCollection::Serialize(cArchiveReader& ar) {
    // Everything is read aside first, so a damaged file changes nothing.
    std::vector<std::unique_ptr<cDomainController>> controllers;
    const std::uint32_t count = ar.ReadCount();
    for (std::uint32_t i = 0; i < count; ++i) {
        ar.ReadObjectClass(cDomainController::kClassName);
        auto dc = std::make_unique<cDomainController>();
        dc->Serialize(ar);
        controllers.push_back(std::move(dc));
    }
    cSetupData setup;
    setup.CopyFrom(m_Setup);  // keeps the summary file, which the file does not hold
    setup.Serialize(ar);
    cUserInfoTable users;
    users.Serialize(ar);
    const auto sortKey = static_cast<std::int32_t>(ar.ReadU32());
    const auto ascending = static_cast<std::int32_t>(ar.ReadU32());

    m_Controllers = std::move(controllers);
    m_ListOrder.clear();
    for (const auto& dc : m_Controllers) m_ListOrder.push_back(dc.get());
    m_Setup.CopyFrom(setup);
    m_Users.Swap(users);
    m_ControllerSortKey = sortKey;
    m_ControllerAscending = ascending;
}

tResult<bool> cDomainControllerCollection::LoadConfiguration(iListView& list) {
    m_KeepAsideAs.clear();
    std::vector<std::uint8_t> bytes;
    eReadResult read;
    std::error_code why;
    try {
        read = m_Files.ReadWhole(m_ConfigPath, bytes, why);
    } catch (const std::bad_alloc&) {
        bytes = {};
        ResetToDefaults(list);
        KeepAside(".unread");
        return Failure({m_ConfigPath, std::make_error_code(std::errc::not_enough_memory)});
    }
    if (read != eReadResult::kRead) {
        m_Controllers.clear();
        m_ListOrder.clear();
        list.DeleteAllRows();
        // No file yet is a first start; a file that is there but cannot be read is worth a word.
        if (read != eReadResult::kUnreadable) return false;
        if (m_Files.IsRegularFile(m_ConfigPath)) KeepAside(".unread");
        return Failure({m_ConfigPath, why});
    }
    const tResult<> loaded = LoadFromBytes(bytes.data(), bytes.size(), list, m_ConfigPath);
    if (!loaded) return Failure(loaded.error());
    return true;
}

void cDomainControllerCollection::KeepAside(const char* suffix) {
    if (!m_ConfigPath.empty()) m_KeepAsideAs = m_Files.ResolveLinks(m_ConfigPath) + suffix;
}

void cDomainControllerCollection::ResetToDefaults(iListView& list) {
    m_Controllers.clear();
    m_ListOrder.clear();
    list.DeleteAllRows();
    // Start over from nothing: default settings (the summary file stays), no users.
    const std::u16string summary = m_Setup.m_SummaryFile;
    m_Setup.CopyFrom(cSetupData());
    m_Setup.m_SummaryFile = summary;
    m_Users.Clear();
    m_Users.RestoreSortColumn(cUserInfoTable::kDefaultSortColumn);
    m_ControllerSortKey = 0;
    m_ControllerAscending = 1;
}

tResult<> cDomainControllerCollection::LoadFromBytes(const std::uint8_t* data, std::size_t size, iListView& list,
                                                     const std::string& path) {
    m_Controllers.clear();
    m_ListOrder.clear();
    list.DeleteAllRows();
    try {
        cArchiveReader ar(data, size);
        Serialize(ar);
    } catch (const cArchiveError& e) {
        ResetToDefaults(list);
        KeepAside(".damaged");
        return Failure({path, MakeErrorCode(e.kind)});
    } catch (const std::bad_alloc&) {
        ResetToDefaults(list);
        KeepAside(".unread");
        return Failure({path, std::make_error_code(std::errc::not_enough_memory)});
    }
    // A file that lists one controller under two spellings keeps the first.
    std::unordered_set<std::u16string> seen;
    std::erase_if(m_Controllers, [&](const auto& dc) { return !seen.insert(ToUpperAscii(dc->GetName())).second; });
    m_ListOrder.clear();
    for (const auto& dc : m_Controllers) {
        m_ListOrder.push_back(dc.get());
        const int row = list.InsertRow(list.GetRowCount(), dc->GetName(), 0);
        list.SetItemData(row, dc.get());
        dc->FillRow(list, row);
    }
    return {};
}

}  // namespace orvik
