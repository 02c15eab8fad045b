#include "wimdows/Gamepad.hpp"

#include "settings/SettingsFolder.hpp"
#include "support/Program.hpp"
#include "wimdows/Input.hpp"
#include "wimdows/Shared.hpp"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

namespace Wimdows {

std::atomic<std::uint32_t> repeatDelayMs{DefaultRepeatDelayMs};
std::atomic<std::uint32_t> repeatIntervalMs{DefaultRepeatIntervalMs};

namespace {

// A hundred reads a second are still quicker than a screen's frame, and a tenth of SDL's own.
constexpr Uint64 ReadIntervalMs = 10;
// Without a pad open, only to notice one plugged in: soon enough for a player who presses at
// once, and still next to nothing for an idle game.
constexpr Uint64 PlugCheckIntervalMs = 1000;

// A third of the way out the stick counts as pushed, and it stays pushed until it is back
// within a quarter, so a stick resting near the edge does not flicker.
constexpr int StickDeadZone = SDL_JOYSTICK_AXIS_MAX / 3;
constexpr int StickLetGoZone = SDL_JOYSTICK_AXIS_MAX / 4;

constexpr const char* MappingFile = "gamecontrollerdb.txt";

bool IsArrow(std::uint32_t code) {
    return code >= KEY_LEFT && code <= KEY_DOWN;
}

// The key a button stands for, 0 for none.
std::uint32_t ButtonKey(int button) {
    switch (button) {
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
        return KEY_UP;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
        return KEY_DOWN;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
        return KEY_LEFT;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
        return KEY_RIGHT;
    case SDL_CONTROLLER_BUTTON_A:
        return KEY_ENTER;
    case SDL_CONTROLLER_BUTTON_B:
        return KEY_ESCAPE;
    case SDL_CONTROLLER_BUTTON_Y:
        return KEY_H;
    case SDL_CONTROLLER_BUTTON_START:
        return NextPauseKey();
    default:
        return 0;
    }
}

// How far the stick is out towards an arrow.
int Along(std::uint32_t arrow, int x, int y) {
    switch (arrow) {
    case KEY_LEFT:
        return -x;
    case KEY_RIGHT:
        return x;
    case KEY_UP:
        return -y;
    default:
        return y;
    }
}

// The arrow the stick holds, given the one it held: only the larger axis counts, so a push
// between two arrows moves one cell, not two.
std::uint32_t StickKey(int x, int y, std::uint32_t before) {
    if (before != 0 && Along(before, x, y) > StickLetGoZone) {
        return before;
    }
    const bool across = std::abs(x) >= std::abs(y);
    const int out = across ? x : y;
    if (std::abs(out) <= StickDeadZone) {
        return 0;
    }
    if (across) {
        return out > 0 ? KEY_RIGHT : KEY_LEFT;
    }
    return out > 0 ? KEY_DOWN : KEY_UP;
}

// A line SDL would take from a mapping file on this system: neither blank nor a comment, and
// not meant for another system (the shared files hold every system's mappings).
bool ForThisSystem(std::string_view line) {
    if (line.empty() || line.front() == '#') {
        return false;
    }
    constexpr std::string_view Platform = "platform:";
    const std::size_t at = line.find(Platform);
    if (at == std::string_view::npos) {
        return true;
    }
    const std::string_view name = line.substr(at + Platform.size());
    return name.substr(0, name.find(',')) == SDL_GetPlatform();
}

void Complain(const std::filesystem::path& file, const std::string& what) {
    std::fprintf(stderr, "%s: %s: %s\n", Program::Name().c_str(), file.string().c_str(), what.c_str());
}

// The player's own mappings, for a pad SDL does not know or lays out otherwise. No file is no
// fault. Every line SDL can use counts; the first it cannot, or a file that cannot be read,
// gets one line, and the pads go on with what mappings there are.
void LoadPlayerMappings() {
    const std::filesystem::path folder = Settings::SettingsFolder();
    if (folder.empty()) {
        return;
    }
    const std::filesystem::path file = folder / MappingFile;
    std::error_code unknown;
    if (!std::filesystem::exists(file, unknown)) {
        return;
    }
    std::ifstream in(file);
    std::string line;
    std::string fault;
    int unusable = 0;
    for (int number = 1; std::getline(in, line); ++number) {
        if (line.ends_with('\r')) {
            line.pop_back();
        }
        if (ForThisSystem(line) && SDL_GameControllerAddMapping(line.c_str()) < 0 &&
            unusable++ == 0) {
            fault = "line " + std::to_string(number) + ": " + SDL_GetError();
        }
    }
    if (!in.eof()) {
        Complain(file, std::strerror(errno));
    } else if (unusable > 0) {
        Complain(file, fault + (unusable > 1 ? " (and " + std::to_string(unusable - 1) +
                                                   " more lines left out)"
                                             : " (left out)"));
    }
}

} // namespace

Gamepads::~Gamepads() {
    pads.clear();
    if (up) {
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    }
}

void Gamepads::Start() {
    if (std::exchange(tried, true)) {
        return;
    }
    // Else SDL reads them at every look at the event queue, which then never sleeps while a
    // pad is attached; Tick reads them instead.
    SDL_SetHint(SDL_HINT_AUTO_UPDATE_JOYSTICKS, "0");
    up = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    if (up) {
        LoadPlayerMappings();
    }
}

void Gamepads::Begin() {
    if (!up) {
        return;
    }
    repeat.reset();
    Read();
    // What the pads did before this window is over; what they hold now is taken below.
    SDL_FlushEvents(SDL_JOYAXISMOTION, SDL_CONTROLLERSENSORUPDATE);
    std::erase_if(
        pads, [](const Pad& pad) { return !SDL_GameControllerGetAttached(pad.controller.get()); });
    for (Pad& pad : pads) {
        LeaveOutHeld(pad);
    }
    for (int index = 0; index < SDL_NumJoysticks(); ++index) {
        Open(index);
    }
}

void Gamepads::Take(const SDL_Event& event) {
    switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
        Open(event.cdevice.which);
        return;
    case SDL_CONTROLLERDEVICEREMOVED:
        Remove(event.cdevice.which);
        return;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        OnButton(event.cbutton);
        return;
    case SDL_CONTROLLERAXISMOTION:
        OnAxis(event.caxis);
        return;
    default:
        return;
    }
}

void Gamepads::Read() {
    if (up) {
        SDL_GameControllerUpdate();
        lastRead = SDL_GetTicks64();
    }
}

void Gamepads::Tick() {
    if (!up) {
        return;
    }
    const Uint64 now = SDL_GetTicks64();
    if (now >= ReadDue()) {
        Read();
    }
    if (repeat && now >= repeat->due) {
        AddKey(repeat->code);
        repeat->due = now + repeatIntervalMs.load(std::memory_order_relaxed);
    }
}

int Gamepads::WaitMs() const {
    if (!up) {
        return -1;
    }
    const Uint64 due = repeat ? std::min(ReadDue(), repeat->due) : ReadDue();
    const Uint64 now = SDL_GetTicks64();
    // A wait of 0 would be a mere look at the queue.
    return due > now ? static_cast<int>(due - now) : 1;
}

Uint64 Gamepads::ReadDue() const {
    return lastRead + (pads.empty() ? PlugCheckIntervalMs : ReadIntervalMs);
}

Gamepads::Pad* Gamepads::Find(SDL_JoystickID id) {
    const auto found = std::ranges::find(pads, id, &Pad::id);
    return found == pads.end() ? nullptr : &*found;
}

void Gamepads::Open(int deviceIndex) {
    if (!SDL_IsGameController(deviceIndex) ||
        Find(SDL_JoystickGetDeviceInstanceID(deviceIndex)) != nullptr) {
        return;
    }
    GameControllerPtr controller{SDL_GameControllerOpen(deviceIndex)};
    if (!controller) {
        return;
    }
    Pad pad;
    pad.id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller.get()));
    pad.controller = std::move(controller);
    LeaveOutHeld(pad);
    pads.push_back(std::move(pad));
}

void Gamepads::Remove(SDL_JoystickID id) {
    const auto found = std::ranges::find(pads, id, &Pad::id);
    if (found == pads.end()) {
        return;
    }
    for (std::size_t control = 0; control < Controls; ++control) {
        Set(*found, control, 0);
    }
    pads.erase(found);
    // The game pauses, as on P; every other screen ignores P.
    AddKey(KEY_PAUSE);
}

void Gamepads::OnButton(const SDL_ControllerButtonEvent& event) {
    Pad* pad = Find(event.which);
    if (pad == nullptr || event.button >= SDL_CONTROLLER_BUTTON_MAX) {
        return;
    }
    if (event.state != SDL_PRESSED) {
        Set(*pad, event.button, 0);
    } else if (pad->holding[event.button] == 0) {
        Set(*pad, event.button, ButtonKey(event.button));
    }
}

void Gamepads::OnAxis(const SDL_ControllerAxisEvent& event) {
    Pad* pad = Find(event.which);
    if (pad == nullptr) {
        return;
    }
    if (event.axis == SDL_CONTROLLER_AXIS_LEFTX) {
        pad->x = event.value;
    } else if (event.axis == SDL_CONTROLLER_AXIS_LEFTY) {
        pad->y = event.value;
    } else {
        return;
    }
    Set(*pad, Stick, StickKey(pad->x, pad->y, pad->holding[Stick]));
}

void Gamepads::LeaveOutHeld(Pad& pad) {
    SDL_GameController* controller = pad.controller.get();
    for (int button = 0; button < SDL_CONTROLLER_BUTTON_MAX; ++button) {
        const bool down = SDL_GameControllerGetButton(
                              controller, static_cast<SDL_GameControllerButton>(button)) != 0;
        pad.holding[static_cast<std::size_t>(button)] = down ? ButtonKey(button) : 0;
    }
    pad.x = SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTX);
    pad.y = SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTY);
    pad.holding[Stick] = StickKey(pad.x, pad.y, 0);
    for (std::size_t control = 0; control < Controls; ++control) {
        pad.stale[control] = pad.holding[control] != 0;
    }
}

void Gamepads::Set(Pad& pad, std::size_t control, std::uint32_t code) {
    if (pad.holding[control] == code) {
        return;
    }
    const std::uint32_t before = std::exchange(pad.holding[control], code);
    const bool stale = pad.stale[control];
    pad.stale[control] = false;
    if (before != 0 && !stale) {
        LetGo(pad, control, before);
    }
    if (code != 0) {
        Press(pad, control, code);
    }
}

void Gamepads::Press(const Pad& pad, std::size_t control, std::uint32_t code) {
    key[code].store(true, std::memory_order_relaxed);
    AddKey(code);
    if (IsArrow(code)) {
        repeat = Repeat{pad.id, control, code,
                        SDL_GetTicks64() + repeatDelayMs.load(std::memory_order_relaxed)};
    }
}

void Gamepads::LetGo(const Pad& pad, std::size_t control, std::uint32_t code) {
    if (repeat && repeat->pad == pad.id && repeat->control == control) {
        repeat.reset();
    }
    // The D-pad and the stick, or a second pad, may hold the same key still.
    key[code].store(Holds(code), std::memory_order_relaxed);
}

bool Gamepads::Holds(std::uint32_t code) const {
    return std::ranges::any_of(pads, [code](const Pad& pad) {
        for (std::size_t control = 0; control < Controls; ++control) {
            if (pad.holding[control] == code && !pad.stale[control]) {
                return true;
            }
        }
        return false;
    });
}

} // namespace Wimdows
