#include "ui/cQtListView.h"

#include "ui/QtText.h"

#include <algorithm>

#include "base/TextCompare.h"

namespace orvik {

namespace {}  // namespace

cQtListView::cQtListView(QTreeWidget& widget, std::vector<QPixmap> images, bool sortedByText)
    : m_Widget(widget), m_Images(std::move(images)), m_SortedByText(sortedByText) {}

QTreeWidgetItem* cQtListView::Item(int row) const {
    if (row < 0 || row >= m_Widget.topLevelItemCount()) return nullptr;
    return m_Widget.topLevelItem(row);
}

int cQtListView::InsertRow(int row, const std::u16string& text, int image) {
    const int count = m_Widget.topLevelItemCount();
    if (m_SortedByText) {
        row = 0;
        while (row < count && CompareNoCase(FromQt(m_Widget.topLevelItem(row)->text(0)), text) <= 0) ++row;
    } else if (row < 0 || row > count) {
        row = count;
    }
    auto* item = new QTreeWidgetItem;
    item->setText(0, ToQt(text));
    m_Widget.insertTopLevelItem(row, item);
    SetRowImage(row, image);
    return row;
}

void cQtListView::SetCellText(int row, int column, const std::u16string& text) {
    if (QTreeWidgetItem* item = Item(row); item != nullptr && column >= 0 && column < m_Widget.columnCount()) {
        item->setText(column, ToQt(text));
        if (column == m_TipColumn && m_TipFor) item->setToolTip(column, m_TipFor(text));
    }
}

std::u16string cQtListView::GetCellText(int row, int column) const {
    const QTreeWidgetItem* item = Item(row);
    return item != nullptr ? FromQt(item->text(column)) : std::u16string();
}

void cQtListView::SetRowImage(int row, int image) {
    QTreeWidgetItem* item = Item(row);
    if (item == nullptr) return;
    if (image >= 0 && static_cast<std::size_t>(image) < m_Images.size()) item->setIcon(0, QIcon(m_Images[image]));
}

void cQtListView::SetItemData(int row, void* data) {
    if (QTreeWidgetItem* item = Item(row))
        item->setData(0, Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(data)));
}

void* cQtListView::GetItemData(int row) const {
    const QTreeWidgetItem* item = Item(row);
    return item != nullptr ? reinterpret_cast<void*>(item->data(0, Qt::UserRole).value<quintptr>()) : nullptr;
}

void cQtListView::DeleteRow(int row) { delete Item(row); }

void cQtListView::DeleteAllRows() { m_Widget.clear(); }

int cQtListView::GetRowCount() const { return m_Widget.topLevelItemCount(); }

std::vector<int> cQtListView::GetSelectedRows() const {
    std::vector<int> rows;
    for (int row = 0; row < m_Widget.topLevelItemCount(); ++row) {
        if (m_Widget.topLevelItem(row)->isSelected()) rows.push_back(row);
    }
    return rows;
}

void cQtListView::SetSelected(int row, bool selected) {
    if (QTreeWidgetItem* item = m_Widget.topLevelItem(row)) item->setSelected(selected);
}

void cQtListView::SortRows(const std::function<int(const void*, const void*)>& compare) {
    std::vector<QTreeWidgetItem*> items;
    std::vector<QTreeWidgetItem*> selected;
    while (m_Widget.topLevelItemCount() > 0) {
        QTreeWidgetItem* item = m_Widget.topLevelItem(0);
        if (item->isSelected()) selected.push_back(item);
        items.push_back(m_Widget.takeTopLevelItem(0));
    }
    auto dataOf = [](const QTreeWidgetItem* item) {
        return reinterpret_cast<const void*>(item->data(0, Qt::UserRole).value<quintptr>());
    };
    std::stable_sort(items.begin(), items.end(), [&](const QTreeWidgetItem* a, const QTreeWidgetItem* b) {
        const void* da = dataOf(a);
        const void* db = dataOf(b);
        if (da == nullptr || db == nullptr) return false;  // rows without a record compare equal
        return compare(da, db) < 0;
    });
    for (QTreeWidgetItem* item : items) m_Widget.addTopLevelItem(item);
    for (QTreeWidgetItem* item : selected) item->setSelected(true);
}

}  // namespace orvik
