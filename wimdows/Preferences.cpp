#include "wimdows/Preferences.hpp"

#include <atomic>
#include <mutex>
#include <utility>

namespace Wimdows {
namespace {

std::mutex mutex;
Placement wanted;
PlacementProc placementProc;
std::function<void()> muteProc;
std::atomic<bool> pauseWhenAway{false};
std::atomic<bool> askBeforeClose{false};
std::atomic<bool> closeAsked{false};

} // namespace

void SetPlacement(const Placement& placement) {
    const std::scoped_lock guard(mutex);
    wanted = placement;
}

void OnPlacementChanged(PlacementProc proc) {
    const std::scoped_lock guard(mutex);
    placementProc = std::move(proc);
}

void OnMuteKey(std::function<void()> proc) {
    const std::scoped_lock guard(mutex);
    muteProc = std::move(proc);
}

void SetPauseWhenAway(bool on) {
    pauseWhenAway.store(on, std::memory_order_relaxed);
}

void SetAskBeforeClose(bool on) {
    askBeforeClose.store(on, std::memory_order_relaxed);
}

bool CloseAsked() {
    return closeAsked.exchange(false, std::memory_order_relaxed);
}

Placement WantedPlacement() {
    const std::scoped_lock guard(mutex);
    return wanted;
}

// Under the lock, so that once a procedure is unregistered it is no longer running either.
void PlacementChanged(const Placement& placement) {
    const std::scoped_lock guard(mutex);
    if (placementProc) {
        placementProc(placement);
    }
}

void MuteKeyPressed() {
    const std::scoped_lock guard(mutex);
    if (muteProc) {
        muteProc();
    }
}

bool PauseWhenAway() {
    return pauseWhenAway.load(std::memory_order_relaxed);
}

bool HoldClose() {
    if (!askBeforeClose.load(std::memory_order_relaxed)) {
        return false;
    }
    closeAsked.store(true, std::memory_order_relaxed);
    return true;
}

} // namespace Wimdows
