#include "game/Signals.hpp"
#include "wimdows/Wimdows.hpp"

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <pthread.h>
#include <thread>

namespace Meandor {
namespace {

// The signal that stopped the game; Ending once the program ends without one.
constexpr int Ending = -1;
std::atomic<int> stoppingSignal{0};
// Sequentially consistent with `stoppingSignal`: of a signal and a new EndAtOnce, at least one
// side sees the other.
std::atomic<bool> endAtOnce{false};

[[noreturn]] void EndBySignal(int signal) {
    std::signal(signal, SIG_DFL);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, signal);
    pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
    std::raise(signal);
    std::_Exit(128 + signal);
}

// Those of SIGINT, SIGTERM and SIGHUP that the program did not inherit as ignored: `nohup`, or a
// script's `meandor &` that leaves Ctrl+C to the script, has chosen for them.
sigset_t Stopping() {
    sigset_t set;
    sigemptyset(&set);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction inherited {};
        if (sigaction(signal, nullptr, &inherited) == 0 && inherited.sa_handler != SIG_IGN) {
            sigaddset(&set, signal);
        }
    }
    return set;
}

// Every thread keeps these signals blocked; this one takes them one at a time. The first ends
// the game, later ones find it ending already; one after the program has begun to end ends the
// process itself.
void Wait(sigset_t set) {
    for (;;) {
        int signal = 0;
        if (sigwait(&set, &signal) != 0) {
            continue;
        }
        int before = 0;
        if (stoppingSignal.compare_exchange_strong(before, signal)) {
            Wimdows::Interrupt();
            if (endAtOnce.load()) {
                EndBySignal(signal);
            }
        } else if (before == Ending) {
            EndBySignal(signal);
        }
    }
}

} // namespace

void StopOnSignals() {
    const sigset_t set = Stopping();
    if (sigisemptyset(&set) != 0) {
        return;
    }
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    std::thread(Wait, set).detach();
}

void EndIfSignalled() {
    int before = 0;
    if (!stoppingSignal.compare_exchange_strong(before, Ending) && before != Ending) {
        EndBySignal(before);
    }
}

EndAtOnce::EndAtOnce() {
    endAtOnce.store(true);
    if (const int signal = stoppingSignal.load(); signal > 0) {
        EndBySignal(signal);
    }
}

EndAtOnce::~EndAtOnce() {
    endAtOnce.store(false);
}

} // namespace Meandor
