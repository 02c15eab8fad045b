#pragma once

#include "wimdows/Sdl.hpp"

#include <array>
#include <atomic>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// Game controllers, on the window thread. Each pad is read through SDL's mapping for it, so
// every pad SDL knows lays out the same, and stands in for the keyboard: its buttons and its
// left stick hold and queue the key codes the caller already reads. While another program has
// the keyboard focus SDL drops a pad's presses, as the keyboard's go there too; releases still
// come, so nothing stays held.
namespace Wimdows {

// A held direction repeats as a held arrow key does on the desktop: first after the delay, then
// every interval. Tests change them.
inline constexpr std::uint32_t DefaultRepeatDelayMs = 500;
inline constexpr std::uint32_t DefaultRepeatIntervalMs = 30;
extern std::atomic<std::uint32_t> repeatDelayMs;
extern std::atomic<std::uint32_t> repeatIntervalMs;

class Gamepads {
  public:
    Gamepads() = default;
    ~Gamepads();
    Gamepads(const Gamepads&) = delete;
    Gamepads& operator=(const Gamepads&) = delete;

    // Once video is up: SDL's game controllers, with the player's own mappings. Where they
    // cannot start, the game goes on without pads and says nothing.
    void Start();

    // As a window opens: every attached pad open, and what the pads hold now left out until it
    // is let go, so that nothing pressed for one screen reaches the next.
    void Begin();

    // Every event of the window.
    void Take(const SDL_Event& event);

    // SDL reads the pads only when asked to; what changed then comes as events.
    void Read();
    // Reads the pads when it is time to, and queues a repeat that is due.
    void Tick();
    // How long the window thread may wait for an event before Tick has work: -1 for ever.
    int WaitMs() const;

  private:
    // The controls that give keys: the buttons by SDL's number, then the left stick.
    static constexpr std::size_t Stick = SDL_CONTROLLER_BUTTON_MAX;
    static constexpr std::size_t Controls = Stick + 1;

    struct Pad {
        GameControllerPtr controller;
        SDL_JoystickID id = -1;
        // The key each control holds, 0 for none.
        std::array<std::uint32_t, Controls> holding{};
        // Held as the window opened or the pad came: the key is not held for the caller, and
        // the control gives nothing until it is let go.
        std::bitset<Controls> stale;
        Sint16 x = 0;
        Sint16 y = 0;
    };

    struct Repeat {
        SDL_JoystickID pad;
        std::size_t control;
        std::uint32_t code;
        Uint64 due;
    };

    Pad* Find(SDL_JoystickID id);
    void Open(int deviceIndex);
    void Remove(SDL_JoystickID id);
    void OnButton(const SDL_ControllerButtonEvent& event);
    void OnAxis(const SDL_ControllerAxisEvent& event);
    static void LeaveOutHeld(Pad& pad);
    // A control comes to hold `code` (0: nothing), letting go of what it held.
    void Set(Pad& pad, std::size_t control, std::uint32_t code);
    void Press(const Pad& pad, std::size_t control, std::uint32_t code);
    void LetGo(const Pad& pad, std::size_t control, std::uint32_t code);
    bool Holds(std::uint32_t code) const;
    Uint64 ReadDue() const;

    bool tried = false;
    bool up = false;
    std::vector<Pad> pads;
    std::optional<Repeat> repeat;
    Uint64 lastRead = 0;
};

} // namespace Wimdows
