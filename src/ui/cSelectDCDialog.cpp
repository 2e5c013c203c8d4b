#include "ui/cSelectDCDialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "app/ServerSearch.h"
#include "base/TextCompare.h"
#include "engine/ListFunctions.h"
#include "ui/DialogLayout.h"
#include "ui/Pictures.h"
#include "ui/QtText.h"

namespace orvik {
namespace {

// The edit text without leading and trailing blanks (only the blank counts).
std::u16string TrimBlanks(const std::u16string& text) {
    const std::size_t first = text.find_first_not_of(u' ');
    if (first == std::u16string::npos) return {};
    return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

}  // namespace

cSelectDCDialog::cSelectDCDialog(QWidget* parent, const std::vector<std::u16string>& names,
                                 std::u16string defaultDomains, iNetApi* net)
    : QDialog(parent), m_DefaultDomains(std::move(defaultDomains)), m_Names(names), m_Net(net) {
    setObjectName(QStringLiteral("id129"));
    cDialogLayout layout(*this, QStringLiteral("Select domain controllers"), 406, 217);
    layout.Label(QStringLiteral("Selected domain controllers:"), 7, 7, 90, 11);
    m_Selected = layout.NameList(1004, 7, 18, 120, 192);
    m_Add = layout.Button(1005, QStringLiteral("<- Add"), 140, 80, 44, 14);
    m_Remove = layout.Button(1006, QStringLiteral("Remove ->"), 140, 106, 44, 14);
    layout.Label(QStringLiteral("Enter domain controller:"), 197, 7, 82, 9);
    m_Edit = layout.Edit(1008, 197, 18, 120, 12);
    layout.Label(QStringLiteral("Available domain controllers:"), 197, 40, 90, 11);
    m_Available = layout.NameList(1007, 197, 51, 120, 159);
    layout.OkCancel(349, 7, 48, 50, 14, [this] { OnOK(); });
    QPushButton* search = layout.Button(3, QStringLiteral("Search"), 349, 27, 50, 14);
    // Tab order follows the controls' order in the dialog.
    setTabOrder(m_Selected, m_Add);
    setTabOrder(m_Add, m_Remove);
    setTabOrder(m_Remove, m_Edit);
    setTabOrder(m_Edit, m_Available);
    setTabOrder(m_Available, Control<QPushButton>(*this, 1));
    setTabOrder(Control<QPushButton>(*this, 1), search);
    setTabOrder(search, Control<QPushButton>(*this, 2));

    m_SelectedRows = std::make_unique<cQtListView>(*m_Selected, std::vector<QPixmap>{ControllerPicture(0)}, false);
    m_AvailableRows = std::make_unique<cQtListView>(*m_Available, std::vector<QPixmap>{ControllerPicture(0)}, false);
    // Reversed: each name goes in at the top.
    for (const auto& name : m_Names) m_SelectedRows->InsertRow(0, name, 0);

    connect(m_Add, &QPushButton::clicked, this, [this] { OnAdd(); });
    connect(m_Remove, &QPushButton::clicked, this, [this] { OnRemove(); });
    connect(search, &QPushButton::clicked, this, [this] { OnSearch(); });
    connect(m_Edit, &QLineEdit::textChanged, this, [this] { UpdateButtons(); });
    connect(m_Selected, &QTreeWidget::itemSelectionChanged, this, [this] { UpdateButtons(); });
    connect(m_Available, &QTreeWidget::itemSelectionChanged, this, [this] { OnAvailableSelected(); });
    connect(m_Available, &QTreeWidget::itemDoubleClicked, this, [this] { OnAdd(); });
    connect(m_Selected, &QTreeWidget::itemDoubleClicked, this, [this] { OnRemove(); });
    UpdateButtons();
}

void cSelectDCDialog::UpdateButtons() {
    m_Add->setEnabled(!TrimBlanks(FromQt(m_Edit->text())).empty());
    m_Remove->setEnabled(GetFirstSelectedItem(*m_SelectedRows) >= 0);
}

void cSelectDCDialog::OnAvailableSelected() {
    const int row = GetFirstSelectedItem(*m_AvailableRows);
    if (row >= 0) m_Edit->setText(ToQt(m_AvailableRows->GetCellText(row, 0)));
}

void cSelectDCDialog::OnAdd() {
    const std::u16string name = TrimBlanks(FromQt(m_Edit->text()));
    if (name.empty()) return;
    if (FindListItem(*m_SelectedRows, name) < 0) {
        m_SelectedRows->InsertRow(0, name, 0);
        m_Edit->clear();
    }
    const int available = FindListItem(*m_AvailableRows, name);
    if (available >= 0) m_AvailableRows->DeleteRow(available);
    UpdateButtons();
}

void cSelectDCDialog::OnRemove() {
    const int row = GetFirstSelectedItem(*m_SelectedRows);
    if (row >= 0) {
        const std::u16string name = m_SelectedRows->GetCellText(row, 0);
        if (FindListItem(*m_AvailableRows, name) < 0) m_AvailableRows->InsertRow(0, name, 0);
        m_SelectedRows->DeleteRow(row);
    }
    UpdateButtons();
}

void cSelectDCDialog::OnSearch() {
    std::vector<std::u16string> found;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const int result = m_Net != nullptr ? SearchDomainControllers(*m_Net, m_DefaultDomains, found) : -2;
    QApplication::restoreOverrideCursor();
    if (result != 0) return;  // any domain failed: nothing is added, nothing said
    for (const auto& name : found) {
        if (FindListItem(*m_AvailableRows, name) < 0) m_AvailableRows->InsertRow(0, name, 0);
    }
    UpdateButtons();
}

void cSelectDCDialog::OnOK() {
    m_Names.clear();
    for (int row = 0; row < m_SelectedRows->GetRowCount(); ++row)
        m_Names.push_back(m_SelectedRows->GetCellText(row, 0));
    accept();
}

}  // namespace orvik
