#include "win32/DialogTemplate.h"

#include <commctrl.h>

#include <string>

namespace orvik {
namespace {

// A text of a line no taller than this is one line: it is cut rather than wrapped.
constexpr int kOneLineUnits = 16;

class cTemplateWriter {
public:
    void Word(WORD w) { m_Words.push_back(w); }
    void Dword(DWORD d) {
        Word(LOWORD(d));
        Word(HIWORD(d));
    }
    void Text(std::u16string_view text) {
        for (char16_t c : text) Word(static_cast<WORD>(c));
        Word(0);
    }
    void AlignToDword() {
        if (m_Words.size() % 2 != 0) Word(0);
    }
    std::vector<WORD> Take() { return std::move(m_Words); }

private:
    std::vector<WORD> m_Words;
};

}  // namespace

cControlClass ControlClassOf(const cControl& control) {
    const DWORD child = WS_CHILD | WS_VISIBLE;
    switch (control.kind) {
        case eControlKind::kLabel:
            if (control.middle) return {L"STATIC", child | SS_NOPREFIX | SS_LEFTNOWORDWRAP | SS_CENTERIMAGE, 0};
            return {L"STATIC", child | SS_NOPREFIX | (control.height < kOneLineUnits ? SS_LEFTNOWORDWRAP : SS_LEFT), 0};
        case eControlKind::kIcon: return {L"STATIC", child | SS_ICON, 0};
        case eControlKind::kGroup: return {L"BUTTON", child | BS_GROUPBOX, 0};
        case eControlKind::kEdit: return {L"EDIT", child | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
        // A picture button gets its picture when the dialog stands.
        case eControlKind::kButton:
            return {L"BUTTON", child | WS_TABSTOP | BS_PUSHBUTTON | (control.pictureWidth > 0 ? BS_BITMAP : 0), 0};
        case eControlKind::kDefaultButton:
            return {L"BUTTON", child | WS_TABSTOP | BS_DEFPUSHBUTTON | (control.pictureWidth > 0 ? BS_BITMAP : 0), 0};
        case eControlKind::kCheck: return {L"BUTTON", child | WS_TABSTOP | BS_AUTOCHECKBOX, 0};
        // The presenter gives the entries in the order to show, so the list does not sort them again.
        case eControlKind::kDropDownList: return {L"COMBOBOX", child | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0};
        case eControlKind::kNameList:
            return {WC_LISTVIEWW,
                    child | WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS,
                    WS_EX_CLIENTEDGE};
        // Its columns and pictures are set when the dialog stands.
        case eControlKind::kReportList:
            return {WC_LISTVIEWW,
                    child | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS |
                        (control.sorted ? LVS_SORTASCENDING : 0),
                    WS_EX_CLIENTEDGE};
        // Its buddy is set when the dialog stands; it shows no number of its own.
        case eControlKind::kSpin: return {UPDOWN_CLASSW, child | UDS_ALIGNRIGHT | UDS_ARROWKEYS, 0};
    }
    return {L"STATIC", child, 0};
}

std::vector<WORD> BuildDialogTemplate(const cForm& form) {
    cTemplateWriter t;
    t.Word(1);       // dlgVer
    t.Word(0xFFFF);  // signature: the extended template
    t.Dword(0);      // helpID
    t.Dword(0);      // exStyle
    // A resizable form is a window of its own with a sizing frame; the others are modal dialogs.
    t.Dword(form.resizable ? WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX |
                                 DS_SETFONT | DS_3DLOOK | DS_CENTER
                           : WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT | DS_MODALFRAME | DS_3DLOOK | DS_CENTER);
    t.Word(static_cast<WORD>(form.controls.size()));
    for (int v : {0, 0, form.width, form.height}) t.Word(static_cast<WORD>(v));
    t.Word(0);  // no menu
    t.Word(0);  // the dialog class
    t.Text(form.caption);
    t.Word(8);  // points
    t.Word(FW_NORMAL);
    t.Word(MAKEWORD(FALSE, DEFAULT_CHARSET));  // italic, character set
    t.Text(u"MS Shell Dlg");
    for (const cControl& c : form.controls) {
        const cControlClass cls = ControlClassOf(c);
        t.AlignToDword();
        t.Dword(0);  // helpID
        t.Dword(cls.exStyle);
        t.Dword(cls.style);
        for (int v : {c.x, c.y, c.width, c.height}) t.Word(static_cast<WORD>(v));
        t.Dword(static_cast<DWORD>(c.id == 0 ? -1 : c.id));
        t.Text(std::u16string_view(reinterpret_cast<const char16_t*>(cls.className)));
        t.Text(c.caption);
        t.Word(0);  // no creation data
    }
    return t.Take();
}

}  // namespace orvik
