#include "win32/cWin32MainWindow.h"

#include <commctrl.h>
#include <shellapi.h>

#include <optional>
#include <string>

#include "base/TextCompare.h"
#include "base/Vendor.h"
#include "forms/Forms.h"
#include "forms/HelpPage.h"
#include "platform/Win32Text.h"
#include "win32/Win32Pictures.h"

namespace orvik {
namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr UINT kPostedMessage = WM_APP + 1;

const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

// The progress window has no behaviour of its own: it only shows a text.
class cProgressPresenter final : public cFormPresenter {
public:
    const cForm& Form() const override { return ProgressForm(); }
    void Initialise(iFormView& /*view*/) override {}
};

// Up while it lives, over the main window (which takes no input meanwhile),
// or over the screen while the main window is not shown yet.
class cWin32Progress final : public iProgressWindow {
public:
    explicit cWin32Progress(HWND mainWindow) : m_Main(mainWindow), m_View(m_Presenter) {
        m_View.SetOwnHandling([](bool) {}, {});  // Esc does not end it
        m_Window = CreateForm(::IsWindowVisible(mainWindow) ? mainWindow : nullptr, m_View);
        ::EnableWindow(m_Main, FALSE);
        ::ShowWindow(m_Window, SW_SHOWNORMAL);
        ::UpdateWindow(m_Window);
    }
    ~cWin32Progress() override {
        ::EnableWindow(m_Main, TRUE);
        ::DestroyWindow(m_Window);
    }
    cWin32Progress(const cWin32Progress&) = delete;
    cWin32Progress& operator=(const cWin32Progress&) = delete;

    void SetText(const std::u16string& text) override {
        m_View.SetText(progress::kText, text);
        ::UpdateWindow(m_Window);
    }
    // The windows stay painted: their messages run while the user's input
    // goes nowhere (the main window is disabled).
    void WaitUntil(const std::function<bool()>& done, int pollMs) override {
        // A request to quit meanwhile is kept for the main loop: what is waited for must still end first.
        std::optional<WPARAM> quit;
        while (!done()) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(pollMs), QS_ALLINPUT);
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.message == WM_QUIT) {
                    quit = msg.wParam;
                    continue;
                }
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
        if (quit) ::PostQuitMessage(static_cast<int>(*quit));
    }

private:
    HWND m_Main;
    cProgressPresenter m_Presenter;
    cWin32FormView m_View;
    HWND m_Window = nullptr;
};

}  // namespace

void cWin32Desktop::Beep() { ::MessageBeep(MB_OK); }

void cWin32Desktop::OpenUrl(const std::u16string& url) {
    ::ShellExecuteW(m_Owner, L"open", Wide(url), nullptr, nullptr, SW_SHOWNORMAL);
}

void cWin32Desktop::ShowMessage(const std::u16string& text, const std::u16string& caption) {
    ::MessageBoxW(m_Owner, Wide(text), Wide(caption), MB_OK | MB_ICONINFORMATION);
}

bool cWin32Desktop::AskYesNo(const std::u16string& question, bool yesIsDefault) {
    return ::MessageBoxW(m_Owner, Wide(question), Wide(std::u16string(kProductName)),
                         MB_YESNO | MB_ICONQUESTION | (yesIsDefault ? MB_DEFBUTTON1 : MB_DEFBUTTON2)) == IDYES;
}

cWin32MainWindow::cWin32MainWindow(cMainPresenter& presenter, iDesktop& desktop)
    : m_Presenter(presenter), m_Desktop(desktop), m_View(presenter) {
    m_View.SetOwnHandling(
        [this](bool) {
            // Closing ends the message loop (woken by an empty message; a quit
            // message would end the next one too); the window goes with this object.
            m_Closed = true;
            ::ShowWindow(Window(), SW_HIDE);
            ::PostMessageW(Window(), WM_NULL, 0, 0);
        },
        [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
            return OwnMessage(message, wParam, lParam, result);
        });
    HWND window = CreateForm(nullptr, m_View);
    m_Boxes.SetOwner(window);
    m_Runner = cWin32FormRunner(window);
    m_Files = cWin32FileChooser(window);
    m_Fonts = cWin32FontChooser(window);
    m_Printers = cWin32PrinterChooser(window);
    if (window != nullptr) m_Presenter.Open(m_View, *this);
}

cWin32MainWindow::~cWin32MainWindow() {
    m_Presenter.Close();
    if (Window() != nullptr) ::DestroyWindow(Window());
}

void cWin32MainWindow::Run(int show) {
    HWND window = Window();
    if (window == nullptr) return;
    ::ShowWindow(window, show);
    MSG msg;
    while (!m_Closed && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (::IsDialogMessageW(window, &msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

bool cWin32MainWindow::OwnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message == WM_TIMER && wParam == kTimerId) {
        m_Presenter.OnTimer();
        result = 0;
        return true;
    }
    if (message == kPostedMessage) {
        RunPosted();
        result = 0;
        return true;
    }
    return false;
}

void cWin32MainWindow::SetTitle(const std::u16string& title) { ::SetWindowTextW(Window(), Wide(title)); }

void cWin32MainWindow::StartTimer(int ms) {
    m_TimerRunning = ::SetTimer(Window(), kTimerId, static_cast<UINT>(ms), nullptr) != 0;
}

void cWin32MainWindow::StopTimer() {
    ::KillTimer(Window(), kTimerId);
    m_TimerRunning = false;
}

void cWin32MainWindow::Post(std::function<void()> call) {
    {
        std::lock_guard<std::mutex> lock(m_PostedLock);
        m_Posted.push_back(std::move(call));
    }
    ::PostMessageW(Window(), kPostedMessage, 0, 0);
}

void cWin32MainWindow::RunPosted() {
    for (;;) {
        std::function<void()> call;
        {
            std::lock_guard<std::mutex> lock(m_PostedLock);
            if (m_Posted.empty()) return;
            call = std::move(m_Posted.front());
            m_Posted.pop_front();
        }
        call();
    }
}

std::unique_ptr<iProgressWindow> cWin32MainWindow::ShowProgress() { return std::make_unique<cWin32Progress>(Window()); }

int cWin32MainWindow::PopUpMenu(const std::vector<cMenuItem>& items) {
    HMENU menu = ::CreatePopupMenu();
    for (const cMenuItem& item : items)
        ::AppendMenuW(menu, MF_STRING | (item.enabled ? 0 : MF_GRAYED), static_cast<UINT_PTR>(item.id),
                      Wide(item.caption));
    POINT at{};
    ::GetCursorPos(&at);
    const int chosen = static_cast<int>(
        ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, Window(), nullptr));
    ::DestroyMenu(menu);
    return chosen;
}

void cWin32MainWindow::ShowHelp() {
    // The page goes to the user's temporary folder and opens in the browser.
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH) return;
    const std::u16string path =
        reinterpret_cast<const char16_t*>(folder) + std::u16string(kProductName) + u" help.html";
    // Only into a file made new for it: whatever is in its place (a link
    // planted there by another user of a shared folder) goes first, and a
    // name taken again meanwhile makes it fail.
    ::DeleteFileW(Wide(path));
    HANDLE file = ::CreateFileW(Wide(path), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    const std::string page = "\xEF\xBB\xBF" + ToUtf8(HelpPageHtml());
    DWORD written = 0;
    bool ok = file != INVALID_HANDLE_VALUE &&
              ::WriteFile(file, page.data(), static_cast<DWORD>(page.size()), &written, nullptr) &&
              written == page.size();
    std::error_code why = ok ? std::error_code() : LastWin32Error();
    if (file != INVALID_HANDLE_VALUE && !::CloseHandle(file) && ok) {
        ok = false;
        why = LastWin32Error();
    }
    if (!ok) {
        m_Boxes.ShowMessage(u"The help page could not be written to " + path + u" (" + FromUtf8(why.message()) + u").",
                            kProductName);
        return;
    }
    m_Desktop.OpenUrl(path);
}

void cWin32MainWindow::ShowAbout(const std::u16string& text) {
    MSGBOXPARAMSW box{};
    box.cbSize = sizeof box;
    box.hwndOwner = Window();
    box.hInstance = ::GetModuleHandleW(nullptr);
    const std::u16string caption = u"About " + std::u16string(kProductName);
    box.lpszText = Wide(text);
    box.lpszCaption = Wide(caption);
    box.dwStyle = MB_OK | MB_USERICON;
    box.lpszIcon = MAKEINTRESOURCEW(1);
    ::MessageBoxIndirectW(&box);
}

void cWin32MainWindow::HoldDrawing(int listId, bool hold) {
    HWND list = ::GetDlgItem(Window(), listId);
    ::SendMessageW(list, WM_SETREDRAW, hold ? FALSE : TRUE, 0);
    if (!hold) ::InvalidateRect(list, nullptr, TRUE);
}

int cWin32MainWindow::TopRow(int listId) const {
    return static_cast<int>(::SendMessageW(::GetDlgItem(Window(), listId), LVM_GETTOPINDEX, 0, 0));
}

void cWin32MainWindow::ScrollTo(int listId, int topRow) {
    HWND list = ::GetDlgItem(Window(), listId);
    RECT row{};
    row.left = LVIR_BOUNDS;
    if (!::SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row))) return;
    ::SendMessageW(list, LVM_SCROLL, 0, (topRow - TopRow(listId)) * (row.bottom - row.top));
}

}  // namespace orvik
