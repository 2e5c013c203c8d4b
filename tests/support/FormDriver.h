#pragma once
// Runs a dialog modally and drives it from a timer of the thread, so that the
// dialog's own message loop runs: one step per tick on the innermost dialog
// standing, the way a user would type and click. A dialog still open a while
// after the last step is cancelled, and the run counts as failed.
// With ORVIK_WIN32_PICTURES naming a folder, each dialog's picture is saved
// there, named after its caption, when it first stands.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "forms/cFormPresenter.h"
#include "win32/cWin32Form.h"

namespace orvik::test {

using Step = std::function<void(HWND dialog)>;

inline HWND Control(HWND dialog, int id) { return ::GetDlgItem(dialog, id); }

inline std::u16string ControlText(HWND dialog, int id) {
    wchar_t text[512] = {};
    ::GetDlgItemTextW(dialog, id, text, 512);
    return reinterpret_cast<const char16_t*>(text);
}

// Each as the control tells its dialog when a user does it.
inline void Type(HWND dialog, int id, const std::u16string& text) {
    ::SetDlgItemTextW(dialog, id, reinterpret_cast<const wchar_t*>(text.c_str()));
}
// A disabled button takes no click (a button message would reach it all the same).
inline void Click(HWND dialog, int id) {
    if (::IsWindowEnabled(Control(dialog, id))) ::SendMessageW(Control(dialog, id), BM_CLICK, 0, 0);
}
inline void PressKey(HWND dialog, int id, WPARAM key) { ::SendMessageW(Control(dialog, id), WM_KEYDOWN, key, 0); }

// The ids of the controls that do not stand where the description puts them,
// in dialog units as Windows maps them for this dialog. A spin control and
// its edit box share the edit box's place; a drop-down list is a line high.
inline std::vector<int> Misplaced(HWND dialog, const cForm& form) {
    std::vector<int> misplaced;
    for (const cControl& c : form.controls) {
        if (c.id == 0 || c.kind == eControlKind::kSpin) continue;
        // Windows maps a control's place and its size each on its own, as the dialog manager does.
        RECT want{c.x, c.y, c.width, c.height}, got{};
        ::MapDialogRect(dialog, &want);
        ::GetWindowRect(Control(dialog, c.id), &got);
        ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&got), 2);
        const bool buddy =
            std::any_of(form.controls.begin(), form.controls.end(), [&](const cControl& s) { return s.buddy == c.id; });
        const bool sized = c.kind != eControlKind::kDropDownList && !buddy;
        if (got.left != want.left || got.top != want.top ||
            (sized && (got.right - got.left != want.right || got.bottom - got.top != want.bottom)))
            misplaced.push_back(c.id);
    }
    return misplaced;
}

// Saves the window's picture as a 24-bit BMP file.
inline void SavePicture(HWND window, const std::string& path) {
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT r{};
    ::GetWindowRect(window, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    ::BitBlt(dc, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    ::SelectObject(dc, old);
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    const int stride = (width * 3 + 3) & ~3;
    std::vector<char> pixels(static_cast<std::size_t>(stride * height));
    ::GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
                DIB_RGB_COLORS);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof info;
    const BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(offset + pixels.size()), 0, 0, offset};
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
}

class FormDriver {
public:
    // Runs the presenter's dialog over a hidden owner far off the screen; true when it ended with OK.
    bool Run(cFormPresenter& presenter, std::vector<Step> steps) {
        m_Steps = std::move(steps);
        m_Next = 0;
        m_TimedOut = false;
        m_Deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        HWND owner = ::CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, -32000, -32000, 10, 10, nullptr, nullptr,
                                       nullptr, nullptr);
        Current() = this;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, &FormDriver::Tick);
        const bool ok = RunForm(owner, presenter);
        ::KillTimer(nullptr, timer);
        Current() = nullptr;
        ::DestroyWindow(owner);
        return ok && !m_TimedOut;
    }
    bool TimedOut() const { return m_TimedOut; }

private:
    static FormDriver*& Current() {
        static FormDriver* current = nullptr;
        return current;
    }
    // The innermost dialog: the enabled one of this thread's dialogs.
    static HWND Innermost() {
        HWND found = nullptr;
        ::EnumThreadWindows(
            ::GetCurrentThreadId(),
            [](HWND window, LPARAM out) -> BOOL {
                wchar_t name[16] = {};
                ::GetClassNameW(window, name, 16);
                if (std::wstring(name) != L"#32770" || !::IsWindowEnabled(window) || !::IsWindowVisible(window))
                    return TRUE;
                *reinterpret_cast<HWND*>(out) = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        FormDriver* self = Current();
        HWND dialog = Innermost();
        if (self == nullptr || dialog == nullptr) return;
        if (const char* folder = std::getenv("ORVIK_WIN32_PICTURES"); folder != nullptr && *folder != '\0') {
            const std::string path = std::string(folder) + "/" + Caption(dialog) + ".bmp";
            if (std::ifstream(path).fail()) SavePicture(dialog, path);
        }
        if (self->m_Next < self->m_Steps.size()) {
            // Taken before it runs: a step that opens another dialog runs the next ones from that dialog's loop.
            const Step step = self->m_Steps[self->m_Next++];
            step(dialog);
        } else if (std::chrono::steady_clock::now() > self->m_Deadline) {
            self->m_TimedOut = true;
            ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        }
    }
    static std::string Caption(HWND dialog) {
        wchar_t text[128] = {};
        ::GetWindowTextW(dialog, text, 128);
        std::string name;
        for (const wchar_t* c = text; *c != 0; ++c) name += *c == L' ' ? '-' : static_cast<char>(*c);
        return name;
    }

    std::vector<Step> m_Steps;
    std::size_t m_Next = 0;
    bool m_TimedOut = false;
    std::chrono::steady_clock::time_point m_Deadline;
};

}  // namespace orvik::test
