#pragma once
// The engine's list interface over a Qt tree widget used as a report list.

#include <QPixmap>
#include <QTreeWidget>
#include <functional>
#include <vector>

#include "engine/iListView.h"

namespace orvik {

class cQtListView final : public iListView {
public:
    // `sortedByText`: rows go in ascending order of their first column
    // (ignoring case), as a self-sorting list control does.
    cQtListView(QTreeWidget& widget, std::vector<QPixmap> images, bool sortedByText);

    int InsertRow(int row, const std::u16string& text, int image) override;
    void SetCellText(int row, int column, const std::u16string& text) override;
    std::u16string GetCellText(int row, int column) const override;
    void SetRowImage(int row, int image) override;
    void SetItemData(int row, void* data) override;
    void* GetItemData(int row) const override;
    void DeleteRow(int row) override;
    void DeleteAllRows() override;
    int GetRowCount() const override;
    std::vector<int> GetSelectedRows() const override;

    // A tooltip for the cells of one column, from their text.
    void SetToolTips(int column, std::function<QString(const std::u16string&)> tipFor) {
        m_TipColumn = column;
        m_TipFor = std::move(tipFor);
    }

    void SetSelected(int row, bool selected) override;
    void SortRows(const std::function<int(const void*, const void*)>& compare) override;

    QTreeWidget& Widget() { return m_Widget; }

private:
    QTreeWidgetItem* Item(int row) const;

    QTreeWidget& m_Widget;
    std::vector<QPixmap> m_Images;
    bool m_SortedByText;
    int m_TipColumn = -1;
    std::function<QString(const std::u16string&)> m_TipFor;
};

}  // namespace orvik
