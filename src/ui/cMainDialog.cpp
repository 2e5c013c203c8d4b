#include "ui/cMainDialog.h"

#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QShortcut>
#include <QTreeWidget>

#include "app/ProgramStart.h"
#include "app/Usage.h"
#include "base/TextCompare.h"
#include "base/Vendor.h"
#include "engine/ListFunctions.h"
#include "engine/UserCountTexts.h"
#include "engine/cDomainControllerCollection.h"
#include "engine/cUserDataCollector.h"
#include "forms/cInputPresenter.h"
#include "forms/cSelectDcPresenter.h"
#include "forms/cSetupPresenter.h"
#include "output/ResultsExport.h"
#include "output/cReportPrinter.h"
#include "output/cResultsReport.h"
#include "platform/NetErrorText.h"
#include "platform/iClock.h"
#include "settings/ConfigurationFile.h"
#include "ui/DialogUnits.h"
#include "ui/HelpPage.h"
#include "ui/Pictures.h"
#include "ui/QtText.h"
#include "ui/cProgressDialog.h"
#include "ui/cQtForm.h"
#include "ui/cQtSurface.h"

namespace orvik {

namespace {

// "Ambrel by Corvanta: www.corvanta.example"
QString MainTitle() {
    return QStringLiteral("%1 by %2: %3").arg(ToQt(kProductName), ToQt(kVendorName), ToQt(kVendorWebAddress));
}

struct ButtonLayout {
    int id;
    const char* name;
    int pictureWidth;
    int pictureHeight;
};

// Top to bottom, as they stand in the window's button column.
constexpr ButtonLayout kButtons[] = {
    {kIdStart, "Start", 50, 14},        {kIdAddDc, "Add DC", 56, 16},
    {kIdRemoveDc, "Remove DC", 56, 16}, {kIdSetup, "Setup", 56, 16},
    {kIdReset, "Reset", 56, 16},        {kIdShowResults, "Show results", 56, 16},
    {kIdSearch, "Search", 56, 16},      {kIdSaveResults, "Save results", 56, 16},
    {kIdPrint, "Print", 56, 16},        {kIdHelp, "Help", 56, 16},
    {kIdAbout, "About", 56, 16},        {kIdWeb, "Web", 56, 16},
    {kIdMail, "Mail", 56, 16},          {kIdClose, "Close", 56, 16},
};

QTreeWidget* MakeList(QWidget* parent, int id, const QStringList& titles, const std::vector<int>& widths) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(QStringLiteral("id%1").arg(id));
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setIconSize(QSize(20, 16));
    list->setAllColumnsShowFocus(true);
    list->setColumnCount(static_cast<int>(titles.size()));
    list->setHeaderLabels(titles);
    list->header()->setSectionsClickable(true);
    list->header()->setStretchLastSection(false);
    list->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (std::size_t c = 0; c < widths.size(); ++c) list->setColumnWidth(static_cast<int>(c), widths[c]);
    return list;
}

}  // namespace

cMainDialog::cMainDialog(cDomainControllerCollection& collection, cUserDataCollector& collector, iClock& clock,
                         iDesktop& desktop, iStartupMarker& marker, iFileSystem& files, cMainDialogOptions options)
    : m_Collection(collection),
      m_Collector(collector),
      m_Clock(clock),
      m_Desktop(desktop),
      m_Marker(marker),
      m_Files(files),
      m_Options(std::move(options)),
      m_Boxes(this),
      m_Messages(m_Options.messages != nullptr ? *m_Options.messages : m_Boxes),
      m_Questions(m_Options.questions != nullptr ? *m_Options.questions : m_Boxes),
      m_bAutoStart(m_Options.autoStart),
      m_Ticks(collection, clock,
              {[this] { OnSaveResults(); }, [this] { RefreshKeepingPlace(); }, [this] { m_Desktop.Beep(); },
               [this] { SaveConfiguration(); }}) {
    setObjectName(QStringLiteral("id102"));
    setWindowTitle(MainTitle());
    setWindowIcon(ProgramIcon());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    Initialise();
}

cMainDialog::~cMainDialog() {
    m_Collector.SetWake({});  // no worker posts to the window from here on
    m_Timer.stop();
    m_Collection.SetMainWindow(nullptr);
}

QPushButton* cMainDialog::Button(int id) const {
    auto it = m_Buttons.find(id);
    return it == m_Buttons.end() ? nullptr : it->second;
}

void cMainDialog::BuildControls() {
    const cDialogUnits du(font());
    // Opens at its designed size and may grow (not shrink): the lists take
    // the room, the button column stays at the right.
    m_BaseSize = QSize(du.X(527), du.Y(330));
    setMinimumSize(m_BaseSize);
    resize(m_BaseSize);

    auto* controllers = new QGroupBox(QStringLiteral("Domain controllers"), this);
    controllers->setGeometry(du.Rect(3, 7, 461, 124));
    m_Anchors.push_back({controllers, controllers->geometry(), 0, 0, 1});
    auto* users = new QGroupBox(QStringLiteral("User last logon information"), this);
    users->setGeometry(du.Rect(3, 138, 461, 184));
    m_Anchors.push_back({users, users->geometry(), 0, 1, 2});

    m_ControllerList = MakeList(this, kIdControllerList,
                                {QStringLiteral("Domain controller"), QStringLiteral("User count"),
                                 QStringLiteral("Start time"), QStringLiteral("Last call time"),
                                 QStringLiteral("End time"), QStringLiteral("Status"), QStringLiteral("Error code")},
                                {145, 75, 120, 120, 125, 70, 100});  // Status holds one word: all fit
    m_ControllerList->setGeometry(du.Rect(9, 17, 449, 108));
    m_Anchors.push_back({m_ControllerList, m_ControllerList->geometry(), 0, 0, 1});
    m_ControllerList->setContextMenuPolicy(Qt::CustomContextMenu);
    m_UserList = MakeList(this, kIdUserList,
                          {QStringLiteral("User name"), QStringLiteral("Last logon time"), QStringLiteral("Full name"),
                           QStringLiteral("Description"), QStringLiteral("Domain")},
                          {150, 150, 150, 250, 150});
    m_UserList->setGeometry(du.Rect(9, 149, 449, 154));
    m_Anchors.push_back({m_UserList, m_UserList->geometry(), 0, 1, 2});
    // Under the list: how many users it shows of how many.
    m_UserCount = new QLabel(this);
    m_UserCount->setObjectName(QStringLiteral("id%1").arg(kIdUserCount));
    m_UserCount->setGeometry(du.Rect(9, 305, 449, 10));
    m_Anchors.push_back({m_UserCount, m_UserCount->geometry(), 0, 3, 0});

    m_ControllerRows = std::make_unique<cQtListView>(
        *m_ControllerList,
        std::vector<QPixmap>{ControllerPicture(0), ControllerPicture(1), ControllerPicture(2), ControllerPicture(3)},
        true);
    m_UserRows = std::make_unique<cQtListView>(*m_UserList, std::vector<QPixmap>{UserPicture()}, false);
    m_Report = std::make_unique<cResultsReport>(m_Collection, *m_UserRows, m_Clock);
    // The error cell says what its code means.
    m_ControllerRows->SetToolTips(kColErrorCode, [](const std::u16string& code) {
        if (code.empty()) return QString();
        const long value = std::strtol(ToUtf8(code).c_str(), nullptr, 10);
        return ToQt(NetErrorText(static_cast<std::int32_t>(value)));
    });

    int y = 10;
    for (const ButtonLayout& layout : kButtons) {
        auto* button = new QPushButton(this);
        button->setObjectName(QStringLiteral("id%1").arg(layout.id));
        button->setGeometry(du.Rect(470, y, 50, 14));
        button->setIcon(
            QIcon(ButtonPicture(QString::fromLatin1(layout.name), layout.pictureWidth, layout.pictureHeight)));
        button->setIconSize(QSize(layout.pictureWidth, layout.pictureHeight));
        button->setToolTip(QString::fromLatin1(layout.name));
        button->setAccessibleName(QString::fromLatin1(layout.name));
        button->setAutoDefault(false);
        m_Buttons[layout.id] = button;
        m_Anchors.push_back({button, button->geometry(), 1, 0, 0});
        y += 23;
    }
    Button(kIdStart)->setDefault(true);

    connect(Button(kIdStart), &QPushButton::clicked, this, [this] { OnStart(); });
    connect(Button(kIdClose), &QPushButton::clicked, this, [this] { reject(); });
    connect(Button(kIdAddDc), &QPushButton::clicked, this, [this] { OnAddDc(); });
    connect(Button(kIdRemoveDc), &QPushButton::clicked, this, [this] { OnRemoveDc(); });
    connect(Button(kIdSetup), &QPushButton::clicked, this, [this] { OnSetup(); });
    connect(Button(kIdShowResults), &QPushButton::clicked, this, [this] { OnShowResults(); });
    connect(Button(kIdReset), &QPushButton::clicked, this, [this] { OnReset(); });
    connect(Button(kIdSaveResults), &QPushButton::clicked, this, [this] { OnSaveResults(); });
    connect(Button(kIdPrint), &QPushButton::clicked, this, [this] { OnPrint(); });
    connect(Button(kIdSearch), &QPushButton::clicked, this, [this] { OnSearch(); });
    connect(Button(kIdAbout), &QPushButton::clicked, this, [this] { OnAbout(); });
    connect(Button(kIdWeb), &QPushButton::clicked, this, [this] { OnWeb(); });
    connect(Button(kIdMail), &QPushButton::clicked, this, [this] { OnMail(); });
    connect(Button(kIdHelp), &QPushButton::clicked, this, [this] { OnHelp(); });
    connect(m_ControllerList, &QTreeWidget::itemSelectionChanged, this, [this] { UpdateRemoveState(); });
    connect(m_ControllerList, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { ShowControllerMenu(m_ControllerList->viewport()->mapToGlobal(at)); });
    connect(m_ControllerList->header(), &QHeaderView::sectionClicked, this, [this](int c) { OnControllerHeader(c); });
    connect(m_UserList->header(), &QHeaderView::sectionClicked, this, [this](int c) { OnUserHeader(c); });
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, [this] { OnHelp(); });
    connect(&m_Timer, &QTimer::timeout, this, [this] { OnTimer(); });
}

void cMainDialog::Initialise() {
    cProgressDialog progress(this);
    progress.Show(1);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    BuildControls();
    progress.SetText(QStringLiteral("Starting %1 application, reading configuration file ...").arg(ToQt(kProductName)));
    if (const tResult<bool> loaded = m_Collection.LoadConfiguration(*m_ControllerRows); !loaded)
        m_LoadFailure = LoadFailureText(loaded.error());
    if (!m_LoadFailure.empty() && !m_Collection.KeepAsidePath().empty()) {
        m_LoadFailure += u"\n" + KeptAsideText(m_Collection.KeepAsidePath());
    }
    AddDefaultControllers(m_Collection, *m_ControllerRows, m_Options.defaultControllers);
    m_Collection.SetMainWindow(this);
    RefreshUserList();
    m_Timer.start(m_Options.tickMs);
    // Many ends at once post one call; it runs on the window's thread.
    m_Collector.SetWake([this] {
        if (!m_WakePosted.exchange(true))
            QMetaObject::invokeMethod(
                this, [this] { OnWorkerEnded(); }, Qt::QueuedConnection);
    });
    UpdateRemoveState();
    Button(kIdReset)->setEnabled(true);
    progress.Show(0);
    // First start: the marker exists and is still 0.
    std::uint32_t marker = 0;
    if (m_Marker.Read(marker)) {
        if (marker == 0) OnHelp();
        m_Marker.Write(static_cast<std::uint32_t>(m_Clock.Now()));
    }
    QApplication::restoreOverrideCursor();
    // A configuration file that could not be read is said once, after the
    // window has come up with default settings and empty lists.
    if (!m_LoadFailure.empty()) {
        QTimer::singleShot(0, this, [this] {
            m_Messages.ShowMessage(m_LoadFailure, kProductName);
            m_LoadFailure.clear();
        });
    }
}

void cMainDialog::ShowControllers(const std::vector<const cDomainController*>& changed) {
    RedrawControllerRows(*m_ControllerRows, changed);
}

void cMainDialog::ShowUserCount(const cShownUsers& users) {
    m_UserCount->setText(ToQt(ShownUsersText(users, GroupSeparator())));
}

void cMainDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const int dx = std::max(0, width() - m_BaseSize.width());
    const int dy = std::max(0, height() - m_BaseSize.height());
    for (const cAnchor& a : m_Anchors) {
        // The controller list takes a third of the extra height, the user list the rest.
        const int top = a.base.top() + dy * a.topThirds / 3;
        const int bottom = a.base.bottom() + dy * (a.topThirds + a.heightThirds) / 3;
        if (a.moves)
            a.widget->setGeometry(a.base.translated(dx, 0));
        else
            a.widget->setGeometry(QRect(QPoint(a.base.left(), top), QPoint(a.base.right() + dx, bottom)));
    }
}

void cMainDialog::RefreshKeepingPlace() {
    // The users still shown stay selected (told apart by name and domain),
    // and the list stays scrolled where it was.
    QSet<QPair<QString, QString>> selected;
    for (const QTreeWidgetItem* item : m_UserList->selectedItems()) selected.insert({item->text(0), item->text(4)});
    const int scrolled = m_UserList->verticalScrollBar()->value();
    RefreshUserList();
    if (!selected.isEmpty()) {
        for (int row = 0; row < m_UserList->topLevelItemCount(); ++row) {
            QTreeWidgetItem* item = m_UserList->topLevelItem(row);
            if (selected.contains({item->text(0), item->text(4)})) item->setSelected(true);
        }
    }
    m_UserList->verticalScrollBar()->setValue(scrolled);
}

void cMainDialog::RefreshUserList() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_UserList->setUpdatesEnabled(false);
    m_Collection.SortUsers();
    m_Collection.ShowUsers(u"");
    m_UserList->setUpdatesEnabled(true);
    QApplication::restoreOverrideCursor();
}

void cMainDialog::OnStart() {
    if (m_Collector.GetRunningCount() > 0) {
        if (!m_Questions.AskYesNo(u"The data collection process is already in progress. Would you like to terminate "
                                  u"the running data collection process and restart the process?",
                                  false)) {
            return;
        }
        ResetAndWait();
    }
    m_Ticks.RunStarted();
    m_Collection.StartAll();
    Button(kIdReset)->setEnabled(true);
}

void cMainDialog::OnAddDc() {
    std::vector<std::u16string> names;
    m_Collection.GetControllerNames(names);
    cSelectDcPresenter dialog(names, m_Collection.Settings().m_DefaultDomains, m_Options.net);
    if (!RunForm(this, dialog)) return;
    ShowSaveOutcome(m_Collection.SetDomainControllers(*m_ControllerRows, dialog.Names()));
    UpdateRemoveState();
}

void cMainDialog::OnRemoveDc() {
    const int row = GetFirstSelectedItem(*m_ControllerRows);
    if (row >= 0) {
        const std::u16string name = m_ControllerRows->GetCellText(row, 0);
        if (!name.empty()) {
            m_Collection.RemoveDomainController(*m_ControllerRows, name);
            SaveConfiguration();
        }
    }
    UpdateRemoveState();
}

void cMainDialog::OnSetup() {
    cQtFormRunner runner(this);
    cSetupPresenter dialog(m_Collection.Settings(),
                           m_Options.fileChooser != nullptr ? *m_Options.fileChooser : m_FileDialog,
                           m_Options.fontChooser != nullptr ? *m_Options.fontChooser : m_FontDialog, runner);
    if (!RunForm(this, dialog)) return;
    m_Collection.Settings().CopyFrom(dialog.Setup());
    SaveConfiguration();
}

void cMainDialog::ResetAndWait() {
    // No tick may run from here on: painting the progress window runs the
    // events, and a tick there could complete (and export) the run being reset.
    m_Timer.stop();
    m_Ticks.RunReset();
    // The window stays painted while the workers end: the progress window
    // runs the events (without the user's input) instead of a blocked thread.
    cProgressDialog progress(this);
    progress.Show(1);
    progress.SetText(QStringLiteral("Waiting for collection process to respond and terminate ..."));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_Collection.BeginReset();
    progress.WaitUntil([this] { return m_Collection.AreWorkersStopped(); }, kResetPollMs);
    m_Collection.FinishReset();
    m_Timer.start(m_Options.tickMs);
    QApplication::restoreOverrideCursor();
}

void cMainDialog::OnReset() {
    // Collected users are not thrown away at one click.
    const std::u16string question = ResetQuestion(m_Collection.GetTotalUsers(), GroupSeparator());
    if (!question.empty() && !m_Questions.AskYesNo(question, false)) return;
    ResetAndWait();
    Button(kIdReset)->setEnabled(true);
    SaveConfiguration();
}

void cMainDialog::OnSearch() {
    cInputPresenter ask(u"Specify text in name to search for:", u"");  // empty every time
    if (!RunForm(this, ask)) return;
    const std::u16string& text = ask.Value();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_Collection.SortUsers();
    m_Collection.ShowUsers(text);
    QApplication::restoreOverrideCursor();
}

void cMainDialog::OnSaveResults() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_Collection.SortUsers();
    const tResult<cExportOutcome> outcome = ExportResults(m_Collection, m_Files, m_Clock.Now(), &m_Messages);
    QApplication::restoreOverrideCursor();
    // A failed export shows no message box, but the title says so until an export succeeds.
    m_ExportProblem.clear();
    if (const cFileError* failure = ExportFailure(outcome)) {
        m_ExportProblem = !outcome ? QStringLiteral(" - the export file was not written")
                                   : QStringLiteral(" - the summary file was not written");
        if (*failure) m_ExportProblem += QStringLiteral(" (%1)").arg(QString::fromStdString(failure->reason.message()));
    }
    setWindowTitle(MainTitle() + m_ExportProblem + m_SaveProblem);
}

void cMainDialog::SaveConfiguration() { ShowSaveOutcome(m_Collection.SaveConfiguration()); }

void cMainDialog::ShowSaveOutcome(const tResult<>& saved) {
    // As a failed export: the title says so until a save succeeds.
    m_SaveProblem.clear();
    if (!saved)
        m_SaveProblem = QStringLiteral(" - the configuration was not saved (%1)").arg(ToQt(saved.error().Describe()));
    setWindowTitle(MainTitle() + m_ExportProblem + m_SaveProblem);
}

void cMainDialog::OnPrint() {
    cQtPrinterChooser dialog(this);
    cReportPrinter printer;
    if (printer.SelectPrinter(m_Options.printerChooser != nullptr ? *m_Options.printerChooser : dialog) != 0) return;
    m_Report->CopyTexts();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    printer.Print(*m_Report, m_Clock.Now());
    QApplication::restoreOverrideCursor();
}

void cMainDialog::OnHelp() {
    if (m_Help == nullptr) m_Help = new cHelpWindow(this);
    m_Help->ShowTopic(kHelpContextOverview);
}

void cMainDialog::OnAbout() {
    QMessageBox box(QMessageBox::Information, QStringLiteral("About Ambrel"),
                    QStringLiteral("%1 %2 (%3)\nThe real last logon of every user of a Windows domain.\n\n%4, %5")
                        .arg(ToQt(kProductName), QString::fromStdString(ProgramVersion()), ToQt(kProgramName),
                             ToQt(kVendorName), ToQt(kVendorWebAddress)),
                    QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("id100"));
    box.setIconPixmap(ProgramIcon().pixmap(48, 48));
    box.exec();
}

void cMainDialog::OnWeb() { m_Desktop.OpenUrl(u"https://" + std::u16string(kVendorWebAddress) + u"/"); }

void cMainDialog::OnMail() { m_Desktop.OpenUrl(u"mailto:" + std::u16string(kVendorMailAddress)); }

void cMainDialog::OnStartSelected() {
    if (!m_Questions.AskYesNo(u"This will start the logon user data collection process for the selected server(s) "
                              u"only. Press the 'Start' button to reset all results and collect this information for "
                              u"all domain controllers in the list. Press 'Yes' to start the logon user data "
                              u"collection process for the selected server(s) only.",
                              true)) {
        return;
    }
    m_Collection.StartSelected();
    m_Ticks.RunStarted();
}

void cMainDialog::ShowControllerMenu(const QPoint& at) {
    int startable = 0;
    for (int row : m_ControllerRows->GetSelectedRows()) {
        const auto* dc = static_cast<const cDomainController*>(m_ControllerRows->GetItemData(row));
        if (dc != nullptr && dc->GetStatus() != kStatusBusy) ++startable;
    }
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("ControllerMenu"));
    QAction* start = menu.addAction(QStringLiteral("Start DC data collection"));
    start->setObjectName(QStringLiteral("id%1").arg(kIdStartSelected));
    start->setEnabled(startable > 0);
    if (menu.exec(at) == start) OnStartSelected();
}

void cMainDialog::OnTimer() {
    if (m_bAutoStart) {
        m_bAutoStart = false;
        QMetaObject::invokeMethod(
            this, [this] { OnStart(); }, Qt::QueuedConnection);
    }
    m_Ticks.Tick();
}

void cMainDialog::OnWorkerEnded() {
    m_WakePosted = false;
    // While the timer stands still (a reset waits for its workers) nothing polls.
    if (m_Timer.isActive()) m_Ticks.Wake();
}

void cMainDialog::OnControllerHeader(int column) {
    m_Collection.SetControllerSortColumn(column);
    m_ControllerRows->SortRows([this](const void* a, const void* b) {
        return m_Collection.CompareControllers(*static_cast<const cDomainController*>(a),
                                               *static_cast<const cDomainController*>(b));
    });
}

void cMainDialog::OnUserHeader(int column) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_Collection.SetUserSortColumn(column);
    m_UserList->setUpdatesEnabled(false);
    m_Collection.ShowUsers(u"");
    m_UserList->setUpdatesEnabled(true);
    QApplication::restoreOverrideCursor();
}

void cMainDialog::UpdateRemoveState() { Button(kIdRemoveDc)->setEnabled(!m_ControllerRows->GetSelectedRows().empty()); }

}  // namespace orvik
