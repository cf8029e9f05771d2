#pragma once
// Windows only. Plays the user of the system's own file dialog from a thread of its own while
// the GUI thread is inside the dialog: waits for the dialog to come up, types the name into
// its name field, presses the dialog's default button and, when asked, answers "Yes" to the
// question whether to replace the file. A dialog that does not come, or a step that cannot be
// done, is cancelled after a minute, so that the test fails instead of hanging.

#include <chrono>
#include <string>
#include <thread>
#include <windows.h>

namespace qolmex::testing {

class NativeDialogUser {
public:
    enum Question { NoQuestion, AnswerYes };

    NativeDialogUser(std::wstring fileName, Question question)
        : guiThread_(GetCurrentThreadId()), fileName_(std::move(fileName)), question_(question),
          worker_([this] { run(); }) {}
    ~NativeDialogUser() { join(); }
    NativeDialogUser(const NativeDialogUser&) = delete;
    NativeDialogUser& operator=(const NativeDialogUser&) = delete;

    // Both wait for the thread: call them once the dialog has returned.
    bool finished() {
        join();
        return failure_.empty();
    }
    std::string failure() {
        join();
        return failure_;
    }

private:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::seconds patience{60};

    void join() {
        if (worker_.joinable())
            worker_.join();
    }

    void run() {
        HWND dialog = nullptr;
        if (!waitUntil([&] { return (dialog = visibleDialogOtherThan(nullptr)) != nullptr; }))
            return fail("no file dialog came up");
        HWND nameField = nullptr;
        if (!waitUntil([&] { return (nameField = focusedEdit(dialog)) != nullptr; }))
            return fail("the file dialog has no focused name field", dialog);
        SendMessageW(nameField, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(fileName_.c_str()));
        pressDefaultButton(dialog);
        if (question_ == AnswerYes) {
            HWND box = nullptr;
            if (!waitUntil([&] { return (box = visibleDialogOtherThan(dialog)) != nullptr; }))
                return fail("no replace question came up", dialog);
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
        }
        if (!waitUntil([&] { return !IsWindow(dialog); }))
            fail("the file dialog stayed open", dialog);
    }

    // Looks again every 20 ms until the condition holds, for a minute at most.
    template <typename Condition> static bool waitUntil(Condition condition) {
        const auto deadline = Clock::now() + patience;
        while (!condition()) {
            if (Clock::now() >= deadline)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return true;
    }

    // A dialog box (window class "#32770") of this process on the screen.
    HWND visibleDialogOtherThan(HWND known) const {
        struct Search {
            HWND known;
            HWND found = nullptr;
        } search{known};
        EnumWindows(
            [](HWND window, LPARAM data) -> BOOL {
                auto& s = *reinterpret_cast<Search*>(data);
                ::DWORD process = 0;
                GetWindowThreadProcessId(window, &process);
                wchar_t kind[16] = {};
                GetClassNameW(window, kind, 16);
                if (window != s.known && process == GetCurrentProcessId() &&
                    IsWindowVisible(window) && std::wstring(kind) == L"#32770") {
                    s.found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    HWND focusedEdit(HWND dialog) const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (!GetGUIThreadInfo(guiThread_, &info) || !info.hwndFocus ||
            !IsChild(dialog, info.hwndFocus))
            return nullptr;
        wchar_t kind[16] = {};
        GetClassNameW(info.hwndFocus, kind, 16);
        return _wcsicmp(kind, L"Edit") == 0 ? info.hwndFocus : nullptr;
    }

    static void pressDefaultButton(HWND dialog) {
        const LRESULT defaultId = SendMessageW(dialog, DM_GETDEFID, 0, 0);
        const int id = HIWORD(defaultId) == DC_HASDEFID ? LOWORD(defaultId) : IDOK;
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    }

    void fail(std::string why, HWND dialog = nullptr) {
        failure_ = std::move(why);
        if (dialog)
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }

    const ::DWORD guiThread_;
    const std::wstring fileName_;
    const Question question_;
    std::string failure_;
    std::thread worker_;
};

} // namespace qolmex::testing
