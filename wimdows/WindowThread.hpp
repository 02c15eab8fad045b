#pragma once

#include "wimdows/NativeWindow.hpp"

namespace Wimdows {

// Hands a window the caller asked for to the window thread, starting the thread with the first
// window; the thread then answers it through the shared state. FALSE when the thread cannot be
// started.
bool OpenOnWindowThread(OpenRequest request);

} // namespace Wimdows
