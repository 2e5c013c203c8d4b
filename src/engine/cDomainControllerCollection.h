#pragma once
// The program's model: the controllers with the figures of their runs, the
// settings, the merged users and the sort choices. It drives a collection run
// by a poll step, keeps every controller's figures itself and asks the view,
// if there is one, to draw what changed; the window decides when.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/Result.h"
#include "engine/UserCountTexts.h"
#include "engine/cDomainController.h"
#include "engine/cUserInfoTable.h"
#include "platform/SystemFileSystem.h"
#include "settings/cSetupData.h"

namespace orvik {

class cArchiveReader;
class cArchiveWriter;
class cUserDataCollector;
class iWriteSink;
class iClock;
class iCollectionView;
class iListView;

class cDomainControllerCollection {
public:
    // The configuration file is read and written through `files`.
    cDomainControllerCollection(cUserDataCollector& collector, iClock& clock, iFileSystem& files = SystemFileSystem());
    cDomainControllerCollection(const cDomainControllerCollection&) = delete;
    cDomainControllerCollection& operator=(const cDomainControllerCollection&) = delete;

    // With `createFolder` (the default per-user path), the first save creates the folder.
    void SetConfigPath(std::string path, bool createFolder = false) {
        m_ConfigPath = std::move(path);
        m_CreateConfigFolder = createFolder;
    }
    const std::string& GetConfigPath() const noexcept { return m_ConfigPath; }
    void SetMainWindow(iCollectionView* view) noexcept { m_View = view; }

    void GetControllerNames(std::vector<std::u16string>& names) const;
    // Brings the controllers in line with `names` (ignoring case), keeping
    // the figures and spelling of those that stay, then saves the configuration.
    tResult<> SetDomainControllers(iListView& list, const std::vector<std::u16string>& names);
    int FindDomainController(std::u16string_view name) const;
    void AddDomainController(iListView& list, const std::u16string& name);
    void RemoveDomainController(iListView& list, const std::u16string& name);

    // Stops and resets everything, then starts every controller. Both starts
    // queue the controllers longest previous run first (those without one
    // before all); the list keeps its order.
    void StartAll();
    // Starts the selected controllers that are not Busy, adding to the users there.
    void StartSelected();
    // Stops every worker and waits for all of them; empties the users, drops
    // the pages queued before the stop, ends the start request and sets every
    // controller row back to Idle.
    void StopAndReset();
    // StopAndReset in three steps, for a caller that keeps its window alive
    // while the workers end: BeginReset asks them to stop and empties the
    // users; once AreWorkersStopped, FinishReset does the rest.
    void BeginReset();
    bool AreWorkersStopped() const;
    void FinishReset();
    // One tick: merge the queued pages, start controllers while threads are
    // free, apply changed job figures to the rows. `complete` is true at every
    // tick that finds a non-empty request fully started, no worker running
    // and every page merged.
    void Poll(bool& complete);
    // How long one Poll may merge pages, by the clock's elapsed time (at
    // least one page is merged).
    static constexpr std::int32_t kMergeBudgetMs = 100;

    void SortUsers() { m_Users.Sort(); }
    void ShowUsers(std::u16string_view filter);
    // The text the user list was last filled with (ShowUsers); empty when it shows every user.
    const std::u16string& ShownFilter() const noexcept { return m_Shown.filter; }
    // How many users the list shows of how many, as the view was last told.
    const cShownUsers& Shown() const noexcept { return m_Shown; }
    void SetUserSortColumn(int column);
    void SetControllerSortColumn(int column);
    int CompareControllers(const cDomainController& a, const cDomainController& b) const;

    std::uint32_t GetChangeNumber() const noexcept { return m_ChangeNumber; }
    std::size_t GetTotalUsers() const noexcept { return m_Users.GetCount(); }

    // For leaving the program: asks every worker to stop and waits up to
    // `maxWaitMs` for all of them; false when some are still running (the
    // caller must then not destroy what they use).
    bool StopForExit(std::int32_t maxWaitMs);

    cSetupData& Settings() noexcept { return m_Setup; }
    const cSetupData& Settings() const noexcept { return m_Setup; }
    cUserInfoTable& Users() noexcept { return m_Users; }
    const cUserInfoTable& Users() const noexcept { return m_Users; }
    // In the order they were added, which the configuration file keeps.
    const std::vector<std::unique_ptr<cDomainController>>& Controllers() const noexcept { return m_Controllers; }
    // In the controller list's order: as added, until a column sorts them.
    const std::vector<const cDomainController*>& ControllersInListOrder() const noexcept { return m_ListOrder; }

    // Writes the configuration file; a failure names the file and the
    // reason, and leaves the file that was there as it was.
    [[nodiscard]] tResult<> SaveConfiguration();
    // Reads the configuration file and puts one row per controller into
    // `list`: true, or false when there is no file yet (a first start). A file
    // that is there but cannot be read is a failure naming it and the reason
    // (LoadFailureText says it in the program's words). After a failure, or
    // without a file, the collection holds no controllers; after a failure it
    // holds no users either and its settings are the defaults, and a regular
    // file is moved aside (".damaged" or ".unread" added to its name) before
    // the next save.
    [[nodiscard]] tResult<bool> LoadConfiguration(iListView& list);
    // Where the file that could not be read goes at the next save; empty when nowhere.
    const std::string& KeepAsidePath() const noexcept { return m_KeepAsideAs; }
    // The same from bytes already in memory; `path` only names the file in a failure.
    [[nodiscard]] tResult<> LoadFromBytes(const std::uint8_t* data, std::size_t size, iListView& list,
                                          const std::string& path);
    // The whole configuration written to `sink`; false when a write failed.
    bool SaveToSink(iWriteSink& sink) const;

private:
    void Serialize(cArchiveWriter& ar) const;
    // Reads everything or, on a fault, throws cArchiveError and changes nothing.
    void Serialize(cArchiveReader& ar);
    // The thread limit under the current settings (at least 1).
    std::int32_t ThreadLimit() const noexcept;
    void ResetToDefaults(iListView& list);
    // The file that could not be read goes to its name with `suffix` at the next save.
    void KeepAside(const char* suffix);

    cUserDataCollector& m_Collector;
    iClock& m_Clock;
    iFileSystem& m_Files;
    std::vector<std::unique_ptr<cDomainController>> m_Controllers;
    std::vector<const cDomainController*> m_ListOrder;
    iCollectionView* m_View = nullptr;
    std::string m_ConfigPath;
    bool m_CreateConfigFolder = false;
    std::string m_KeepAsideAs;  // where the unread file goes at the next save; empty: nowhere
    cSetupData m_Setup;
    std::vector<std::u16string> m_NamesToStart;
    std::size_t m_NextToStart = 0;
    std::uint32_t m_ChangeNumber = 0;
    cUserInfoTable m_Users;
    cShownUsers m_Shown;
    std::int32_t m_ControllerSortKey = 0;
    std::int32_t m_ControllerAscending = 1;
};

}  // namespace orvik
