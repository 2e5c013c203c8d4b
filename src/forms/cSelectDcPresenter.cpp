#include "forms/cSelectDcPresenter.h"

#include "app/ServerSearch.h"
#include "engine/ListFunctions.h"
#include "engine/iListView.h"
#include "forms/Forms.h"

namespace orvik {
namespace {

using namespace select_dc;

// The typed name without leading and trailing blanks (only the blank counts).
std::u16string TrimBlanks(const std::u16string& text) {
    const std::size_t first = text.find_first_not_of(u' ');
    if (first == std::u16string::npos) return {};
    return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

}  // namespace

cSelectDcPresenter::cSelectDcPresenter(std::vector<std::u16string> names, std::u16string defaultDomains, iNetApi* net)
    : m_Names(std::move(names)), m_DefaultDomains(std::move(defaultDomains)), m_Net(net) {}

const cForm& cSelectDcPresenter::Form() const { return SelectDcForm(); }

void cSelectDcPresenter::Initialise(iFormView& view) {
    // Reversed: each name goes in at the top.
    for (const auto& name : m_Names) view.List(kSelected).InsertRow(0, name, 0);
    UpdateButtons(view);
}

void cSelectDcPresenter::OnEvent(iFormView& view, int id, eFormEvent event) {
    switch (id) {
        case kName:
            // Enter adds a typed name, as Add does; with nothing typed it is OK.
            if (event == eFormEvent::kEnter && !TrimBlanks(view.Text(kName)).empty()) {
                Add(view);
            } else if (event == eFormEvent::kEnter) {
                cFormPresenter::OnEvent(view, id, event);
            } else {
                UpdateButtons(view);
            }
            break;
        case kSelected:
            if (event == eFormEvent::kDoubleClicked) Remove(view);
            UpdateButtons(view);
            break;
        case kAvailable:
            if (event == eFormEvent::kDoubleClicked) {
                Add(view);
            } else if (const int row = GetFirstSelectedItem(view.List(kAvailable)); row >= 0) {
                view.SetText(kName, view.List(kAvailable).GetCellText(row, 0));
            }
            break;
        case kAdd: Add(view); break;
        case kRemove: Remove(view); break;
        case kSearch: Search(view); break;
        case kIdOk: {
            iListView& selected = view.List(kSelected);
            m_Names.clear();
            for (int row = 0; row < selected.GetRowCount(); ++row) m_Names.push_back(selected.GetCellText(row, 0));
            view.End(true);
            break;
        }
        default: cFormPresenter::OnEvent(view, id, event);
    }
}

void cSelectDcPresenter::UpdateButtons(iFormView& view) {
    view.Enable(kAdd, !TrimBlanks(view.Text(kName)).empty());
    view.Enable(kRemove, GetFirstSelectedItem(view.List(kSelected)) >= 0);
}

void cSelectDcPresenter::Add(iFormView& view) {
    const std::u16string name = TrimBlanks(view.Text(kName));
    if (name.empty()) return;
    iListView& selected = view.List(kSelected);
    if (FindListItem(selected, name) < 0) {
        selected.InsertRow(0, name, 0);
        view.SetText(kName, u"");
    }
    iListView& available = view.List(kAvailable);
    if (const int row = FindListItem(available, name); row >= 0) available.DeleteRow(row);
    UpdateButtons(view);
}

void cSelectDcPresenter::Remove(iFormView& view) {
    iListView& selected = view.List(kSelected);
    if (const int row = GetFirstSelectedItem(selected); row >= 0) {
        const std::u16string name = selected.GetCellText(row, 0);
        iListView& available = view.List(kAvailable);
        if (FindListItem(available, name) < 0) available.InsertRow(0, name, 0);
        selected.DeleteRow(row);
    }
    UpdateButtons(view);
}

void cSelectDcPresenter::Search(iFormView& view) {
    std::vector<std::u16string> found;
    std::u16string said = u"Search added nothing: there is no network to search.";
    view.SetBusy(true);
    const int result = m_Net != nullptr ? SearchDomainControllers(*m_Net, m_DefaultDomains, found, &said) : -2;
    view.SetBusy(false);
    view.SetText(kSearchOutcome, said);
    if (result != 0) return;  // any domain failed: nothing is added
    iListView& available = view.List(kAvailable);
    for (const auto& name : found) {
        if (FindListItem(available, name) < 0) available.InsertRow(0, name, 0);
    }
    UpdateButtons(view);
}

}  // namespace orvik
