#pragma once
// Drives windows from a timer of the thread, so that their own message loops
// run.

#include <windows.h>

#include <chrono>
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
