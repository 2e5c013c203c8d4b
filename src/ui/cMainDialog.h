#pragma once
// The program's main window: the controller list, the user list, a column of
// picture buttons, and the one-second timer and the ending workers' wake-ups
// that move a collection forward.

#include <QDialog>
#include <QTimer>
#include <atomic>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/cTickDriver.h"
#include "base/Result.h"
#include "engine/iCollectionView.h"
#include "ui/cQtChoosers.h"
#include "ui/cQtDesktop.h"
#include "ui/cQtListView.h"

class QLabel;
class QPushButton;
class QTreeWidget;

namespace orvik {

class cDomainControllerCollection;
class cHelpWindow;
class cUserDataCollector;
class iClock;
class iFileSystem;
class iNetApi;
class iFileChooser;
class iFontChooser;
class iPrinterChooser;
class cResultsReport;

// Button ids, which are also the controls' object names ("id1" ...).
enum eMainButton : int {
    kIdStart = 1,
    kIdClose = 2,
    kIdAddDc = 3,
    kIdRemoveDc = 4,
    kIdSetup = 5,
    kIdShowResults = 6,
    kIdReset = 7,
    kIdSaveResults = 8,
    kIdPrint = 9,
    kIdSearch = 10,
    kIdAbout = 11,
    kIdWeb = 12,
    kIdMail = 13,
    kIdHelp = 14,
    kIdControllerList = 1000,
    kIdUserList = 1001,
    kIdUserCount = 1002,  // the line under the user list
    kIdStartSelected = 32771,
};

// How often a reset looks whether the workers have ended.
constexpr int kResetPollMs = 100;

struct cMainDialogOptions {
    bool autoStart = false;  // "/AS": start at the first tick
    int tickMs = 1000;       // the timer's period
    // Controllers to list when the configuration file lists none (a simulated directory's).
    std::vector<std::u16string> defaultControllers;
    // Where messages and questions go; the window's own message boxes when not given.
    iMessageSink* messages = nullptr;
    iQuestions* questions = nullptr;
    // Answers the controller selection's Search; without it Search finds nothing.
    iNetApi* net = nullptr;
    // The file and font dialogs; the platform's own when not given.
    iFileChooser* fileChooser = nullptr;
    iFontChooser* fontChooser = nullptr;
    // The print dialog; the platform's own when not given.
    iPrinterChooser* printerChooser = nullptr;
};

class cMainDialog final : public QDialog, public iCollectionView {
public:
    cMainDialog(cDomainControllerCollection& collection, cUserDataCollector& collector, iClock& clock,
                iDesktop& desktop, iStartupMarker& marker, iFileSystem& files, cMainDialogOptions options = {});
    ~cMainDialog() override;

    // iCollectionView
    iListView& GetControllerList() override { return *m_ControllerRows; }
    iListView& GetUserList() override { return *m_UserRows; }
    void ShowControllers(const std::vector<const cDomainController*>& changed) override;
    void ShowUserCount(const cShownUsers& users) override;

    void RefreshUserList();

    // The commands, as the buttons, the menu and the timer give them.
    void OnStart();
    void OnAddDc();
    void OnRemoveDc();
    void OnSetup();
    void OnReset();
    void OnShowResults() { RefreshUserList(); }
    void OnSearch();
    void OnSaveResults();
    void OnPrint();
    void OnHelp();
    void OnAbout();
    void OnWeb();
    void OnMail();
    void OnStartSelected();
    void OnTimer();
    // A worker ended (posted from its thread): the next controller starts now, not at the next tick.
    void OnWorkerEnded();
    void OnControllerHeader(int column);
    void OnUserHeader(int column);
    void ShowControllerMenu(const QPoint& at);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void SaveConfiguration();
    void ShowSaveOutcome(const tResult<>& saved);
    // How a control follows the window's size: `moves` right with the extra
    // width, or grows with it; its top moves and its height grows by thirds of
    // the extra height.
    struct cAnchor {
        QWidget* widget;
        QRect base;
        int moves;
        int topThirds;
        int heightThirds;
    };
    // The user list shown afresh, keeping its scroll position and the
    // selection of users still shown.
    void RefreshKeepingPlace();
    // Stops every worker and waits for them with the progress window up; the
    // run being reset never completes.
    void ResetAndWait();
    void BuildControls();
    void Initialise();
    void UpdateRemoveState();
    QPushButton* Button(int id) const;

    cDomainControllerCollection& m_Collection;
    cUserDataCollector& m_Collector;
    iClock& m_Clock;
    iDesktop& m_Desktop;
    iStartupMarker& m_Marker;
    iFileSystem& m_Files;
    QString m_ExportProblem, m_SaveProblem;  // what the title tells of the last export and save
    cMainDialogOptions m_Options;
    cQtMessageSink m_Boxes;
    cQtFileChooser m_FileDialog;
    cQtFontChooser m_FontDialog;
    iMessageSink& m_Messages;
    iQuestions& m_Questions;

    bool m_bAutoStart = false;
    cTickDriver m_Ticks;
    std::map<int, QPushButton*> m_Buttons;
    QTreeWidget* m_ControllerList = nullptr;
    QTreeWidget* m_UserList = nullptr;
    QLabel* m_UserCount = nullptr;
    std::unique_ptr<cQtListView> m_ControllerRows;
    std::unique_ptr<cQtListView> m_UserRows;
    QTimer m_Timer;
    std::atomic<bool> m_WakePosted{false};  // an OnWorkerEnded call is on its way
    cHelpWindow* m_Help = nullptr;
    std::u16string m_LoadFailure;
    QSize m_BaseSize;
    // The results report over the user list, for Print.
    std::unique_ptr<cResultsReport> m_Report;
    std::vector<cAnchor> m_Anchors;
};

}  // namespace orvik
