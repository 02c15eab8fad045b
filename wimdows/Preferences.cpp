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

// Called without the lock, so a procedure may call back into the library.
template <typename Proc> Proc Copy(const Proc& proc) {
    const std::scoped_lock guard(mutex);
    return proc;
}

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

Placement WantedPlacement() {
    const std::scoped_lock guard(mutex);
    return wanted;
}

void PlacementChanged(const Placement& placement) {
    if (const PlacementProc proc = Copy(placementProc)) {
        proc(placement);
    }
}

void MuteKeyPressed() {
    if (const std::function<void()> proc = Copy(muteProc)) {
        proc();
    }
}

bool PauseWhenAway() {
    return pauseWhenAway.load(std::memory_order_relaxed);
}

} // namespace Wimdows
