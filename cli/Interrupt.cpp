#include "Interrupt.h"

#include <atomic>
#include <csignal>

#ifdef _WIN32
#include <windows.h>
#endif

namespace qolmex::cli {
namespace {

std::atomic<bool> requested{false};

#ifdef _WIN32
BOOL WINAPI onConsoleControl(DWORD type) {
    if (type != CTRL_C_EVENT && type != CTRL_BREAK_EVENT)
        return FALSE;
    requested = true;
    return TRUE;
}
#else
void onSignal(int) {
    requested = true;
}
#endif

} // namespace

void installInterruptHandler() {
#ifdef _WIN32
    SetConsoleCtrlHandler(onConsoleControl, TRUE);
#else
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
#endif
}

bool interruptRequested() {
    return requested;
}

} // namespace qolmex::cli
