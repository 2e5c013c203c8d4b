#pragma once
// Drives windows from a timer of the thread, so that their own message loops
// run. With ORVIK_WIN32_PICTURES naming a folder, each dialog's picture is
// saved there, named after its caption, when a step first acts on it.

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

// Steps run from a timer of the thread, in whatever message loop runs then
// (a step that opens a window runs the next ones from that window's loop):
// each is tried again at the next tick until it says it is done, and one not
// done must not open a window. Past the deadline the script counts as timed
// out and skips what is left; once the steps are done, `after` runs at each
// tick, told whether the script timed out.
class Script {
public:
    using Step = std::function<bool()>;
    Script(std::vector<Step> steps, std::function<void(bool late)> after, int seconds)
        : m_Steps(std::move(steps)),
          m_After(std::move(after)),
          m_Deadline(std::chrono::steady_clock::now() + std::chrono::seconds(seconds)) {
        Current() = this;
        m_Timer = ::SetTimer(nullptr, 0, 20, &Script::Tick);
    }
    ~Script() {
        ::KillTimer(nullptr, m_Timer);
        Current() = nullptr;
    }
    std::size_t done = 0;
    bool timedOut = false;

private:
    static Script*& Current() {
        static Script* current = nullptr;
        return current;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        Script* self = Current();
        if (self == nullptr) return;
        if (!self->timedOut && std::chrono::steady_clock::now() > self->m_Deadline) {
            self->timedOut = true;
            self->done = self->m_Steps.size();
        }
        if (self->done < self->m_Steps.size()) {
            const std::size_t step = self->done++;  // taken before it runs
            if (!self->m_Steps[step]()) --self->done;
        } else {
            self->m_After(self->timedOut);
        }
    }
    std::vector<Step> m_Steps;
    std::function<void(bool)> m_After;
    std::chrono::steady_clock::time_point m_Deadline;
    UINT_PTR m_Timer;
};

// The innermost dialog: the enabled one of this thread's dialogs.
inline HWND Innermost() {
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

// Runs the presenter's dialog modally over a hidden owner far off the screen,
// one step per tick on the innermost dialog standing, the way a user would
// type and click; true when it ended with OK. A dialog still open 20 s after
// the start is cancelled, and the run counts as failed.
inline bool RunDialog(cFormPresenter& presenter, const std::vector<std::function<void(HWND dialog)>>& steps) {
    std::vector<Script::Step> tries;
    for (const auto& step : steps) {
        tries.push_back([step] {
            HWND dialog = Innermost();
            if (dialog == nullptr) return false;
            if (const char* folder = std::getenv("ORVIK_WIN32_PICTURES"); folder != nullptr && *folder != '\0') {
                wchar_t caption[128] = {};
                ::GetWindowTextW(dialog, caption, 128);
                std::string path = std::string(folder) + "/";
                for (const wchar_t* c = caption; *c != 0; ++c) path += *c == L' ' ? '-' : static_cast<char>(*c);
                if (std::ifstream(path + ".bmp").fail()) SavePicture(dialog, path + ".bmp");
            }
            step(dialog);
            return true;
        });
    }
    HWND owner =
        ::CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, -32000, -32000, 10, 10, nullptr, nullptr, nullptr, nullptr);
    Script script(
        std::move(tries),
        [](bool late) {
            if (HWND dialog = Innermost(); late && dialog != nullptr)
                ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        },
        20);
    const bool ok = RunForm(owner, presenter);
    ::DestroyWindow(owner);
    return ok && !script.timedOut;
}

}  // namespace orvik::test
