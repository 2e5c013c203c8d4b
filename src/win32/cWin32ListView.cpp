#include "win32/cWin32ListView.h"

#include <commctrl.h>

#include <map>

#include "win32/Win32Pictures.h"

namespace orvik {
namespace {

LPWSTR Wide(const std::u16string& text) { return const_cast<LPWSTR>(reinterpret_cast<const wchar_t*>(text.c_str())); }

}  // namespace

cWin32ListView::cWin32ListView(HWND list, const cControl& description)
    : m_List(list),
      m_Images(description.caption == u"user"         ? UserImages()
               : description.caption == u"controller" ? ControllerImages(4)
                                                      : ControllerImages()) {
    // The control shares the image list (LVS_SHAREIMAGELISTS): it is destroyed with this.
    ::SendMessageW(m_List, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(m_Images));
    ::SendMessageW(m_List, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    // A name list has one column, as wide as a long name.
    const std::vector<cColumn> columns =
        description.columns.empty() ? std::vector<cColumn>{{u"", 175}} : description.columns;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_WIDTH | LVCF_FMT | LVCF_TEXT;
        column.fmt = LVCFMT_LEFT;
        column.cx = columns[i].width;
        column.pszText = Wide(columns[i].title);
        ::SendMessageW(m_List, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
}

cWin32ListView::~cWin32ListView() { ::ImageList_Destroy(m_Images); }

int cWin32ListView::InsertRow(int row, const std::u16string& text, int image) {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = row < 0 || row > GetRowCount() ? GetRowCount() : row;
    item.pszText = Wide(text);
    item.iImage = image;
    return static_cast<int>(::SendMessageW(m_List, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

void cWin32ListView::SetCellText(int row, int column, const std::u16string& text) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = Wide(text);
    ::SendMessageW(m_List, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

std::u16string cWin32ListView::GetCellText(int row, int column) const {
    if (row < 0 || row >= GetRowCount()) return {};
    // The control copies at most the buffer's length less one: a full buffer may have cut the text.
    std::u16string text(64, u'\0');
    for (;;) {
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = reinterpret_cast<wchar_t*>(text.data());
        item.cchTextMax = static_cast<int>(text.size());
        const auto length =
            static_cast<std::size_t>(::SendMessageW(m_List, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)));
        if (length + 1 < text.size()) {
            text.resize(length);
            return text;
        }
        text.resize(text.size() * 2);
    }
}

void cWin32ListView::SetRowImage(int row, int image) {
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iImage = image;
    ::SendMessageW(m_List, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void cWin32ListView::SetItemData(int row, void* data) {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    item.lParam = reinterpret_cast<LPARAM>(data);
    ::SendMessageW(m_List, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void* cWin32ListView::GetItemData(int row) const {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!::SendMessageW(m_List, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return nullptr;
    return reinterpret_cast<void*>(item.lParam);
}

void cWin32ListView::DeleteRow(int row) { ::SendMessageW(m_List, LVM_DELETEITEM, row, 0); }

void cWin32ListView::DeleteAllRows() { ::SendMessageW(m_List, LVM_DELETEALLITEMS, 0, 0); }

int cWin32ListView::GetRowCount() const { return static_cast<int>(::SendMessageW(m_List, LVM_GETITEMCOUNT, 0, 0)); }

std::vector<int> cWin32ListView::GetSelectedRows() const {
    std::vector<int> rows;
    for (int row = -1; (row = static_cast<int>(::SendMessageW(m_List, LVM_GETNEXTITEM, row, LVNI_SELECTED))) >= 0;)
        rows.push_back(row);
    return rows;
}

void cWin32ListView::SetSelected(int row, bool selected) {
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED;
    state.state = selected ? LVIS_SELECTED : 0;
    ::SendMessageW(m_List, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
}

void cWin32ListView::SortRows(const std::function<int(const void*, const void*)>& compare) {
    // The control's sort need not be stable: rows that compare equal keep their order by where they stood.
    struct cOrder {
        const std::function<int(const void*, const void*)>& compare;
        std::map<LPARAM, int> place;
    } order{compare, {}};
    for (int row = 0; row < GetRowCount(); ++row) order.place.emplace(reinterpret_cast<LPARAM>(GetItemData(row)), row);
    auto byOrder = [](LPARAM a, LPARAM b, LPARAM context) -> int {
        const auto& o = *reinterpret_cast<const cOrder*>(context);
        if (a != 0 && b != 0) {
            if (const int c = o.compare(reinterpret_cast<const void*>(a), reinterpret_cast<const void*>(b)); c != 0)
                return c;
        }
        return o.place.at(a) - o.place.at(b);
    };
    ::SendMessageW(m_List, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&order),
                   reinterpret_cast<LPARAM>(static_cast<PFNLVCOMPARE>(byOrder)));
}

}  // namespace orvik
