#include "win32/cWin32Form.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "win32/DialogTemplate.h"
#include "win32/Win32Pictures.h"

namespace orvik {
namespace {

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
    for (HBITMAP picture : m_Pictures) ::DeleteObject(picture);
}

bool cWin32FormView::Attach(HWND dialog) {
    m_Dialog = dialog;
    for (const cControl& c : m_Presenter.Form().controls) {
        switch (c.kind) {
            case eControlKind::kNameList:
            case eControlKind::kReportList: m_Lists[c.id] = std::make_unique<cWin32ListView>(Item(c.id), c); break;
            case eControlKind::kButton:
            case eControlKind::kDefaultButton: {
                if (c.pictureWidth == 0) break;
                // Drawn at the screen's scale, so that it stays sharp at 200%.
                HDC screen = ::GetDC(dialog);
                const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
                ::ReleaseDC(dialog, screen);
                HBITMAP picture =
                    ButtonBitmap(c.caption, ::MulDiv(c.pictureWidth, dpi, 96), ::MulDiv(c.pictureHeight, dpi, 96));
                m_Pictures.push_back(picture);
                ::SendMessageW(Item(c.id), BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
                break;
            }
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
    if (m_Presenter.Form().resizable) {
        RECT client{}, window{};
        ::GetClientRect(dialog, &client);
        ::GetWindowRect(dialog, &window);
        m_BaseClient = {client.right, client.bottom};
        m_BaseWindow = {window.right - window.left, window.bottom - window.top};
        for (const cControl& c : m_Presenter.Form().controls) {
            HWND control = c.id != 0 ? Item(c.id) : nullptr;
            RECT place{};
            if (control == nullptr) continue;
            ::GetWindowRect(control, &place);
            ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
            m_BasePlaces.emplace_back(control, place);
        }
    }
    m_Presenter.Initialise(*this);
    return m_Focused;
}

void cWin32FormView::Layout() {
    RECT client{};
    ::GetClientRect(m_Dialog, &client);
    const int dx = std::max(0L, client.right - m_BaseClient.cx), dy = std::max(0L, client.bottom - m_BaseClient.cy);
    for (const auto& [control, base] : m_BasePlaces) {
        const cControl* c = m_Presenter.Form().Find(::GetDlgCtrlID(control));
        if (c == nullptr) continue;
        const cResize& r = c->resize;
        RECT place = base;
        if (r.movesRight) {
            ::OffsetRect(&place, dx, 0);
        } else {
            place.right += dx;
            place.top += dy * r.topThirds / 3;
            place.bottom += dy * (r.topThirds + r.heightThirds) / 3;
        }
        ::MoveWindow(control, place.left, place.top, place.right - place.left, place.bottom - place.top, FALSE);
    }
    ::InvalidateRect(m_Dialog, nullptr, TRUE);
}

bool cWin32FormView::Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (m_Handler && m_Handler(message, wParam, lParam, result)) return true;
    switch (message) {
        case WM_SIZE:
            if (m_BasePlaces.empty()) return false;
            Layout();
            return true;
        case WM_GETMINMAXINFO:
            if (m_BasePlaces.empty()) return false;
            reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {m_BaseWindow.cx, m_BaseWindow.cy};
            return true;
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
        case LVN_COLUMNCLICK:
            m_Presenter.OnColumnClicked(*this, id, reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
            return true;
        case NM_RCLICK:
            if (m_Lists.count(id) == 0) return false;
            m_Presenter.OnContextMenu(*this, id);
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

void cWin32FormView::End(bool ok) {
    if (m_Ending)
        m_Ending(ok);
    else
        ::EndDialog(m_Dialog, ok ? IDOK : IDCANCEL);
}

namespace {

void RegisterControls() {
    static const bool registered = [] {
        const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                                           ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS};
        return ::InitCommonControlsEx(&classes) != FALSE;
    }();
    (void)registered;
}

}  // namespace

HWND CreateForm(HWND owner, cWin32FormView& view) {
    RegisterControls();
    const std::vector<WORD> words = BuildDialogTemplate(view.Presenter().Form());
    return ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(words.data()),
                                        owner, FormProc, reinterpret_cast<LPARAM>(&view));
}

bool RunForm(HWND owner, cFormPresenter& presenter) {
    RegisterControls();
    const std::vector<WORD> words = BuildDialogTemplate(presenter.Form());
    cWin32FormView view(presenter);
    HWND over = RunningForms().empty() ? owner : RunningForms().back();
    return ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(words.data()), over,
                                     FormProc, reinterpret_cast<LPARAM>(&view)) == IDOK;
}

}  // namespace orvik
