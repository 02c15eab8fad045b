#include "game/Signals.hpp"
#include "wimdows/Wimdows.hpp"

#include <atomic>
#include <windows.h>

namespace Meandor {
namespace {

// What the system's own handler gives for Ctrl+C: the program was stopped from its console.
constexpr UINT StoppedFromConsole = 0xC000013AU;

// 0 while the game runs; Stopped once a console event stopped it; Ending once the program
// ends without one.
constexpr int Running = 0;
constexpr int Stopped = 1;
constexpr int Ending = -1;
std::atomic<int> stopping{Running};
// Sequentially consistent with `stopping`: of an event and a new EndAtOnce, at least one side
// sees the other.
std::atomic<bool> endAtOnce{false};

[[noreturn]] void EndByConsole() {
    ExitProcess(StoppedFromConsole);
}

// A closed console, a log-off or a shutdown ends the process as soon as this returns: it waits
// for the game, which ends the process as it returns; the system ends it itself after a few
// seconds.
[[noreturn]] void AwaitTheEnd() {
    for (;;) {
        Sleep(INFINITE);
    }
}

// Runs on a thread of its own, which the system starts for each event. The first ends the game,
// later ones find it ending already; one after the program has begun to end ends the process.
BOOL WINAPI OnConsoleEvent(DWORD event) {
    int before = Running;
    if (stopping.compare_exchange_strong(before, Stopped)) {
        Wimdows::Interrupt();
        if (endAtOnce.load()) {
            EndByConsole();
        }
    } else if (before == Ending) {
        EndByConsole();
    }
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) {
        AwaitTheEnd();
    }
    return TRUE;
}

} // namespace

void StopOnSignals() {
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

void EndIfSignalled() {
    int before = Running;
    if (!stopping.compare_exchange_strong(before, Ending) && before == Stopped) {
        EndByConsole();
    }
}

EndAtOnce::EndAtOnce() {
    endAtOnce.store(true);
    if (stopping.load() == Stopped) {
        EndByConsole();
    }
}

EndAtOnce::~EndAtOnce() {
    endAtOnce.store(false);
}

} // namespace Meandor
