#include "win32/cWin32Form.h"

#include <commctrl.h>

#include <vector>

#include "win32/DialogTemplate.h"
#include "win32/Win32Pictures.h"

namespace orvik {
namespace {

// The width of a name list's one column, in pixels.
constexpr int kNameColumnWidth = 175;
constexpr UINT_PTR kEditSubclass = 1;

const wchar_t* Wide(std::u16string_view text) { return reinterpret_cast<const wchar_t*>(text.data()); }

std::u16string WindowText(HWND window) {
    std::u16string text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, u'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(window, reinterpret_cast<wchar_t*>(text.data()), static_cast<int>(text.size()))));
    return text;
}

// The forms running on this thread, innermost last: a form opened from another goes over it.
std::vector<HWND>& RunningForms() {
    thread_local std::vector<HWND> forms;
    return forms;
}

// Enter in an edit box is the presenter's to handle (by default it presses the default button).
LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR view) {
    switch (message) {
        case WM_GETDLGCODE: {
            const auto* msg = reinterpret_cast<const MSG*>(lParam);
            const LRESULT code = ::DefSubclassProc(edit, message, wParam, lParam);
            if (msg != nullptr && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN)
                return code | DLGC_WANTALLKEYS;
            return code;
        }
        case WM_KEYDOWN:
            if (wParam != VK_RETURN) break;
            reinterpret_cast<cWin32FormView*>(view)->PressEnter(::GetDlgCtrlID(edit));
            return 0;
        case WM_CHAR:
            if (wParam == L'\r' || wParam == L'\n') return 0;  // taken at the key press, without the edit box's beep
            break;
        case WM_NCDESTROY: ::RemoveWindowSubclass(edit, EditProc, kEditSubclass); break;
    }
    return ::DefSubclassProc(edit, message, wParam, lParam);
}

INT_PTR CALLBACK FormProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        RunningForms().push_back(dialog);
        // FALSE: the presenter chose the focus.
        return reinterpret_cast<cWin32FormView*>(lParam)->Attach(dialog) ? FALSE : TRUE;
    }
    auto* view = reinterpret_cast<cWin32FormView*>(::GetWindowLongPtrW(dialog, DWLP_USER));
    if (view == nullptr) return FALSE;
    if (message == WM_DESTROY) std::erase(RunningForms(), dialog);
    LRESULT result = 0;
    if (!view->Handle(message, wParam, lParam, result)) return FALSE;
    ::SetWindowLongPtrW(dialog, DWLP_MSGRESULT, result);
    return TRUE;
}

}  // namespace

cWin32FormView::~cWin32FormView() {
    while (m_Busy > 0) SetBusy(false);
}

bool cWin32FormView::Attach(HWND dialog) {
    m_Dialog = dialog;
    for (const cControl& c : m_Presenter.Form().controls) {
        switch (c.kind) {
            case eControlKind::kNameList:
                m_Lists[c.id] = std::make_unique<cWin32ListView>(Item(c.id), kNameColumnWidth);
                break;
            case eControlKind::kEdit:
                ::SetWindowSubclass(Item(c.id), EditProc, kEditSubclass, reinterpret_cast<DWORD_PTR>(this));
                break;
            case eControlKind::kSpin: {
                // The arrows only tell the presenter; the control's own position stays in the middle.
                HWND spin = Item(c.id);
                ::SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(Item(c.buddy)), 0);
                ::SendMessageW(spin, UDM_SETRANGE32, 0, 100);
                ::SendMessageW(spin, UDM_SETPOS32, 0, 50);
                break;
            }
            default: break;
        }
    }
    // The program's icon in every icon control (they have no id to find them by).
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if ((::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            ::SendMessageW(child, STM_SETICON, reinterpret_cast<WPARAM>(ProgramIcon()), 0);
    }
    ::SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(ProgramIcon()));
    // Centred on a visible owner; the template centres it on the screen otherwise.
    if (HWND owner = ::GetWindow(dialog, GW_OWNER); owner != nullptr && ::IsWindowVisible(owner)) {
        RECT o{}, d{};
        ::GetWindowRect(owner, &o);
        ::GetWindowRect(dialog, &d);
        ::SetWindowPos(dialog, nullptr, (o.left + o.right - (d.right - d.left)) / 2,
                       (o.top + o.bottom - (d.bottom - d.top)) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    m_Presenter.Initialise(*this);
    return m_Focused;
}

bool cWin32FormView::Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            switch (HIWORD(wParam)) {
                case BN_CLICKED: Tell(id, eFormEvent::kClicked); return true;
                case EN_CHANGE: Tell(id, eFormEvent::kTextChanged); return true;
                case CBN_SELCHANGE: Tell(id, eFormEvent::kSelectionChanged); return true;
            }
            return false;
        }
        case WM_NOTIFY: return Notify(*reinterpret_cast<const NMHDR*>(lParam), result);
        case WM_SETCURSOR:
            if (m_Busy == 0) return false;
            ::SetCursor(::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
            result = TRUE;
            return true;
    }
    return false;
}

bool cWin32FormView::Notify(const NMHDR& header, LRESULT& result) {
    const int id = static_cast<int>(header.idFrom);
    switch (header.code) {
        case LVN_ITEMCHANGED: {
            const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
            if ((change.uChanged & LVIF_STATE) == 0 || ((change.uOldState ^ change.uNewState) & LVIS_SELECTED) == 0)
                return false;
            Tell(id, eFormEvent::kSelectionChanged);
            return true;
        }
        case NM_DBLCLK:
            if (m_Lists.count(id) == 0 || reinterpret_cast<const NMITEMACTIVATE&>(header).iItem < 0) return false;
            Tell(id, eFormEvent::kDoubleClicked);
            return true;
        case UDN_DELTAPOS:
            Tell(id,
                 reinterpret_cast<const NMUPDOWN&>(header).iDelta > 0 ? eFormEvent::kStepUp : eFormEvent::kStepDown);
            result = TRUE;  // the position stays
            return true;
    }
    return false;
}

std::u16string cWin32FormView::Text(int id) const { return WindowText(Item(id)); }

void cWin32FormView::SetText(int id, std::u16string_view text) {
    const std::u16string whole(text);
    ::SetWindowTextW(Item(id), Wide(whole));
    // An edit box's caret goes to the end of its new text.
    if (const cControl* c = m_Presenter.Form().Find(id); c != nullptr && c->kind == eControlKind::kEdit)
        ::SendMessageW(Item(id), EM_SETSEL, whole.size(), whole.size());
}

cTextRange cWin32FormView::Selection(int id) const {
    DWORD start = 0, end = 0;
    ::SendMessageW(Item(id), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end - start)};
}

void cWin32FormView::SetSelection(int id, cTextRange range) {
    ::SendMessageW(Item(id), EM_SETSEL, range.start, range.start + range.length);
}

bool cWin32FormView::Checked(int id) const { return ::IsDlgButtonChecked(m_Dialog, id) == BST_CHECKED; }

void cWin32FormView::SetChecked(int id, bool checked) {
    ::CheckDlgButton(m_Dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void cWin32FormView::Enable(int id, bool enabled) { ::EnableWindow(Item(id), enabled); }

iListView& cWin32FormView::List(int id) { return *m_Lists.at(id); }

void cWin32FormView::SetChoices(int id, const std::vector<std::u16string>& choices) {
    HWND combo = Item(id);
    ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const auto& choice : choices) ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(choice)));
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

int cWin32FormView::Choice(int id) const {
    const LRESULT chosen = ::SendMessageW(Item(id), CB_GETCURSEL, 0, 0);
    return chosen == CB_ERR ? -1 : static_cast<int>(chosen);
}

std::u16string cWin32FormView::ChoiceText(int id) const {
    const int chosen = Choice(id);
    if (chosen < 0) return {};
    std::u16string text(static_cast<std::size_t>(::SendMessageW(Item(id), CB_GETLBTEXTLEN, chosen, 0)) + 1, u'\0');
    text.resize(static_cast<std::size_t>(
        ::SendMessageW(Item(id), CB_GETLBTEXT, chosen, reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

void cWin32FormView::Focus(int id) {
    ::SendMessageW(m_Dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(id)), TRUE);
    m_Focused = true;
}

char16_t cWin32FormView::GroupSeparator() const {
    wchar_t separator[4] = {};
    return ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, 4) > 1 ? separator[0] : u',';
}

void cWin32FormView::SetBusy(bool busy) {
    if (busy) {
        ++m_Busy;
    } else if (m_Busy > 0) {
        --m_Busy;
    } else {
        return;
    }
    ::SetCursor(::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(m_Busy > 0 ? IDC_WAIT : IDC_ARROW)));
}

void cWin32FormView::End(bool ok) { ::EndDialog(m_Dialog, ok ? IDOK : IDCANCEL); }

bool RunForm(HWND owner, cFormPresenter& presenter) {
    static const bool registered = [] {
        const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                                           ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS};
        return ::InitCommonControlsEx(&classes) != FALSE;
    }();
    (void)registered;
    const std::vector<WORD> words = BuildDialogTemplate(presenter.Form());
    cWin32FormView view(presenter);
    HWND over = RunningForms().empty() ? owner : RunningForms().back();
    return ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(words.data()), over,
                                     FormProc, reinterpret_cast<LPARAM>(&view)) == IDOK;
}

}  // namespace orvik
