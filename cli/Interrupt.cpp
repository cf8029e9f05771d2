#include "Interrupt.h"

#include <atomic>
#include <csignal>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#endif

namespace qolmex::cli {
namespace {

std::atomic<unsigned> presses{0};
std::atomic<int> shields{0};

#ifdef _WIN32
HANDLE pressed = nullptr; // an event the sleeper waits on

BOOL WINAPI onConsoleControl(DWORD type) {
    if (type != CTRL_C_EVENT && type != CTRL_BREAK_EVENT && type != CTRL_CLOSE_EVENT)
        return FALSE;
    ++presses;
    if (shields == 0)
        ExitProcess(130);
    if (pressed != nullptr)
        SetEvent(pressed);
    return TRUE;
}
#else
int wakeRead = -1; // a pipe the handler writes a byte into, for the sleeper to wake on
int wakeWrite = -1;

// Only async-signal-safe calls here.
void onSignal(int) {
    ++presses;
    if (shields == 0)
        ::_exit(130);
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(wakeWrite, &byte, 1);
    errno = saved;
}
#endif

} // namespace

void installInterruptHandler() {
#ifdef _WIN32
    pressed = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    SetConsoleCtrlHandler(onConsoleControl, TRUE);
#else
    int ends[2];
    if (::pipe(ends) == 0) {
        for (const int fd : ends) {
            ::fcntl(fd, F_SETFL, O_NONBLOCK);
            ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        }
        wakeRead = ends[0];
        wakeWrite = ends[1];
    }
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
#endif
}

unsigned interruptCount() {
    return presses;
}

// A press makes every later sleep return at once too, which is all its callers need: they
// end on the first press.
void sleepUnlessInterrupted(std::chrono::milliseconds span) {
    if (presses != 0)
        return;
#ifdef _WIN32
    if (pressed != nullptr)
        WaitForSingleObject(pressed, static_cast<DWORD>(span.count()));
    else
        Sleep(static_cast<DWORD>(span.count()));
#else
    // The pipe wakes it even when the signal went to another thread.
    pollfd wake{wakeRead, POLLIN, 0};
    ::poll(&wake, wakeRead < 0 ? 0 : 1, static_cast<int>(span.count()));
#endif
}

InterruptShield::InterruptShield() {
    ++shields;
}

InterruptShield::~InterruptShield() {
    --shields;
}

} // namespace qolmex::cli
