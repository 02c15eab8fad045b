#pragma once

#include "wimdows/Gamepad.hpp"
#include "wimdows/Input.hpp"
#include "wimdows/NativeWindow.hpp"
#include "wimdows/Presenter.hpp"
#include "wimdows/Shared.hpp"

namespace Wimdows {

// Who closed a window.
enum class Ending { None, ByCaller, ByUser };

// The window thread's loop for one of the caller's windows: it waits for SDL's events and hands
// each to input, to the screen or to the caller's requests, until the window is to close; and
// wakes for the pads while they need it.
class MessageLoop {
  public:
    MessageLoop(NativeWindow& nativeIn, Gamepads& padsIn, int width, int height)
        : native(nativeIn), presenter(nativeIn.Pixels(), width, height),
          input(nativeIn, width, height), pads(padsIn) {}

    Ending Run();
    void Paint() { presenter.Paint(); }

  private:
    Ending Dispatch(const SDL_Event& event);
    Ending OnWindowEvent(const SDL_WindowEvent& event);
    Ending OnRequest(Request request);

    NativeWindow& native;
    Presenter presenter;
    WindowInput input;
    Gamepads& pads;
};

} // namespace Wimdows
