#pragma once
// Chooses the domain controllers the program collects from: the selected
// list on the left, typed names and names found by a Search of the network on
// the right.

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "ui/cQtListView.h"

class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace orvik {

class iNetApi;

class cSelectDCDialog final : public QDialog {
public:
    // `names`: the current controllers in collection order, shown reversed
    // (each goes in at the top). `net` answers Search; without it Search
    // finds nothing.
    cSelectDCDialog(QWidget* parent, const std::vector<std::u16string>& names, std::u16string defaultDomains,
                    iNetApi* net);

    // After OK: the names of the selected list, top to bottom.
    const std::vector<std::u16string>& Names() const { return m_Names; }

    void OnAdd();
    void OnRemove();
    void OnSearch();
    void OnOK();

private:
    void UpdateButtons();
    void OnAvailableSelected();

    std::u16string m_DefaultDomains;
    std::vector<std::u16string> m_Names;
    iNetApi* m_Net;
    QLineEdit* m_Edit;
    QPushButton* m_Remove;
    QPushButton* m_Add;
    QTreeWidget* m_Selected;
    QTreeWidget* m_Available;
    std::unique_ptr<cQtListView> m_SelectedRows;
    std::unique_ptr<cQtListView> m_AvailableRows;
};

}  // namespace orvik
