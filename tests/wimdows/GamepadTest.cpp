#include "TestWindow.hpp"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <gmock/gmock.h>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <tuple>

namespace {

using namespace WimdowsTest;
using namespace std::chrono_literals;
using ::testing::Each;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;
using Wimdows::Testing::WaitUntilHandled;
using Codes = std::vector<std::uint32_t>;
using Wimdows::KEY_DOWN, Wimdows::KEY_ENTER, Wimdows::KEY_ESCAPE, Wimdows::KEY_LEFT,
    Wimdows::KEY_RIGHT, Wimdows::KEY_UP;

// The dummy driver gives no window the keyboard focus, and SDL drops a pad's presses while the
// program has none. Set before any window opens.
[[maybe_unused]] const bool PadsWithoutFocus =
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1") == SDL_TRUE;

// A pad on SDL's virtual driver while it lives, mapped with each button and axis at SDL's own
// number; with a USB vendor and product as a real pad has, so that a mapping can name its GUID.
// SDL's joysticks must be up, as the first window starts them. A change shows once pads are read.
class VirtualPad {
  public:
    VirtualPad() {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.vendor_id = 0x1234;
        desc.product_id = 0x5678;
        joystick.reset(SDL_JoystickOpen(SDL_JoystickAttachVirtualEx(&desc)));
    }
    ~VirtualPad() { Unplug(); }

    void Button(int button, bool down) {
        SDL_JoystickSetVirtualButton(joystick.get(), button, down ? 1 : 0);
    }
    // The pads may be read between the two axes: each step of a test moves one, or passes only
    // through points that give what the step does.
    void Stick(Sint16 x, Sint16 y) {
        SDL_JoystickSetVirtualAxis(joystick.get(), SDL_CONTROLLER_AXIS_LEFTX, x);
        SDL_JoystickSetVirtualAxis(joystick.get(), SDL_CONTROLLER_AXIS_LEFTY, y);
    }
    std::string Guid() const {
        std::array<char, 33> text{};
        SDL_JoystickGetGUIDString(SDL_JoystickGetGUID(joystick.get()), text.data(), 33);
        return text.data();
    }
    void Unplug() {
        const SDL_JoystickID id = SDL_JoystickInstanceID(joystick.get());
        joystick.reset();
        for (int index = 0; index < SDL_NumJoysticks(); ++index) {
            if (SDL_JoystickGetDeviceInstanceID(index) == id) {
                SDL_JoystickDetachVirtual(index);
            }
        }
    }

  private:
    std::unique_ptr<SDL_Joystick, decltype(&SDL_JoystickClose)> joystick{nullptr,
                                                                         &SDL_JoystickClose};
};

Codes Held() {
    Codes held;
    for (std::uint32_t code = 0; code < 256; ++code) {
        if (Wimdows::KeyDown(code)) {
            held.push_back(code);
        }
    }
    return held;
}

// At least `count` codes from the queue, with nothing pushed to wake the window thread: it reads
// the pads and repeats on its own. Fewer only if they do not come for seconds.
Codes DrainAtLeast(std::size_t count) {
    Codes codes;
    const auto giveUp = std::chrono::steady_clock::now() + 60s;
    for (std::uint32_t code = 0;
         codes.size() < count && std::chrono::steady_clock::now() < giveUp;) {
        if (Wimdows::GetKeyPressed(code)) {
            codes.push_back(code);
        } else {
            std::this_thread::yield();
        }
    }
    return codes;
}

// Keeps the window thread going round its loop until `ms` have passed, and once more.
void RunFor(Uint64 ms) {
    for (const Uint64 until = SDL_GetTicks64() + ms; SDL_GetTicks64() < until;) {
        WaitUntilHandled();
    }
    WaitUntilHandled();
}

// A window with a pad plugged in. Nothing repeats unless a case asks: a slow machine could
// otherwise add a repeat to any held direction.
class PadTest : public WindowTest {
  protected:
    void SetUp() override {
        Wimdows::Testing::SetPadRepeat(1h, 1h);
        WindowTest::SetUp();
        pad.emplace();
        WaitUntilHandled();
    }
    std::optional<VirtualPad> pad;
};

// Each button holds its key while down and queues it once; Start pauses, then continues, also
// after a P typed on the keyboard. The stick gives the arrow of its larger axis once past the
// dead zone, and holds it until that axis is back well inside.
TEST_F(PadTest, ButtonsAndTheStickGiveKeys) {
    const int buttons[] = {SDL_CONTROLLER_BUTTON_DPAD_UP,   SDL_CONTROLLER_BUTTON_DPAD_DOWN,
                           SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_CONTROLLER_BUTTON_DPAD_RIGHT,
                           SDL_CONTROLLER_BUTTON_A,         SDL_CONTROLLER_BUTTON_B,
                           SDL_CONTROLLER_BUTTON_Y,         SDL_CONTROLLER_BUTTON_START,
                           SDL_CONTROLLER_BUTTON_X};
    for (const bool down : {true, false}) {
        for (const int button : buttons) {
            pad->Button(button, down);
        }
        WaitUntilHandled();
        const Codes gives =
            down ? Codes{KEY_LEFT, KEY_UP, KEY_RIGHT, KEY_DOWN, KEY_ENTER, KEY_ESCAPE, 'H', 'P'}
                 : Codes{};
        EXPECT_THAT(DrainQueue(), ::testing::UnorderedElementsAreArray(gives)) << down;
        EXPECT_THAT(Held(), ::testing::UnorderedElementsAreArray(gives)) << down;
    }
    const std::tuple<Sint16, Sint16, Codes> moves[] = {
        {0, 9000, {}},               // inside the dead zone
        {0, -12000, {KEY_UP}},       // past it
        {3000, -9000, {KEY_UP}},     // back between the zones
        {0, -12000, {KEY_UP}},       // and out again: still the one push
        {0, -7000, {}},              // within a quarter: let go
        {20000, 15000, {KEY_RIGHT}}, // between two arrows: the one it leans to most
        {20000, 0, {KEY_RIGHT}},
        {0, 0, {}}};
    Codes queued;
    for (const auto& [x, y, held] : moves) {
        pad->Stick(x, y);
        WaitUntilHandled();
        const Codes more = DrainQueue();
        queued.insert(queued.end(), more.begin(), more.end());
        EXPECT_EQ(Held(), held) << x << ", " << y;
    }
    EXPECT_EQ(queued, (Codes{KEY_UP, KEY_RIGHT}));
    pad->Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    pad->Stick(-20000, 0);
    WaitUntilHandled();
    pad->Stick(0, 0);
    WaitUntilHandled();
    EXPECT_EQ(Held(), Codes{KEY_LEFT}) << "the D-pad holds it still";
    pad->Button(SDL_CONTROLLER_BUTTON_START, true);
    WaitUntilHandled();
    pad->Button(SDL_CONTROLLER_BUTTON_START, false);
    PushKey(true, SDL_SCANCODE_P, SDLK_p);
    WaitUntilHandled();
    pad->Button(SDL_CONTROLLER_BUTTON_START, true);
    WaitUntilHandled();
    EXPECT_EQ(DrainQueue(), (Codes{KEY_LEFT, KEY_LEFT, 'S', 'P', 'S'}));
}

// A held direction queues its arrow again and again until let go, or until its window closes;
// a held button does not.
TEST_F(PadTest, HeldDirectionsRepeatUntilLetGo) {
    Wimdows::Testing::SetPadRepeat(1ms, 1ms);
    pad->Button(SDL_CONTROLLER_BUTTON_A, true);
    pad->Stick(0, 20000);
    const Codes held = DrainAtLeast(4);
    EXPECT_EQ(std::ranges::count(held, KEY_ENTER), 1);
    EXPECT_EQ(std::ranges::count(held, KEY_DOWN), 3);
    pad->Stick(0, 0);
    WaitUntilHandled();
    EXPECT_THAT(DrainQueue(), Each(KEY_DOWN));
    RunFor(3); // repeat intervals
    EXPECT_THAT(DrainQueue(), IsEmpty()) << "let go, and A held on";
    pad->Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    EXPECT_THAT(DrainAtLeast(2), Each(KEY_LEFT));
    Wimdows::Window("Next", Width, Height);
    RunFor(3); // repeat intervals
    EXPECT_THAT(DrainQueue(), IsEmpty()) << "held into the next window";
}

// A held direction repeats first after the delay, then an interval apart: with a delay of an
// hour only the push comes; with an interval of an hour, the push and one repeat.
TEST_F(PadTest, TheFirstRepeatWaitsTheDelayAndTheNextTheInterval) {
    Wimdows::Testing::SetPadRepeat(1h, 1ms);
    pad->Stick(0, 20000);
    EXPECT_EQ(DrainAtLeast(1), Codes{KEY_DOWN});
    RunFor(3); // intervals
    EXPECT_THAT(DrainQueue(), IsEmpty()) << "the delay has not passed";
    pad->Stick(0, 0);
    WaitUntilHandled();
    Wimdows::Testing::SetPadRepeat(1ms, 1h);
    pad->Stick(0, 20000);
    EXPECT_EQ(DrainAtLeast(2), (Codes{KEY_DOWN, KEY_DOWN}));
    RunFor(3); // delays
    EXPECT_THAT(DrainQueue(), IsEmpty()) << "the interval has not passed";
}

// What a pad holds as a window opens stays out of that window until let go, also on a pad
// plugged in between two windows, and holds no key for it; Start pauses first in each window. A
// pad pulled out lets go of its keys and queues P, so that the next Start continues.
TEST_F(PadTest, PadsComeAndGoAroundWindows) {
    pad->Button(SDL_CONTROLLER_BUTTON_START, true);
    pad->Button(SDL_CONTROLLER_BUTTON_A, true);
    pad->Stick(0, 20000);
    WaitUntilHandled();
    EXPECT_THAT(DrainQueue(), UnorderedElementsAre('P', KEY_ENTER, KEY_DOWN));
    Wimdows::KillWindow();
    pad->Button(SDL_CONTROLLER_BUTTON_A, false); // let go between the windows
    VirtualPad second;
    second.Button(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    Wimdows::Window("Next", Width, Height);
    second.Stick(0, -20000);
    pad->Button(SDL_CONTROLLER_BUTTON_A, true);
    WaitUntilHandled();
    EXPECT_THAT(DrainQueue(), UnorderedElementsAre(KEY_UP, KEY_ENTER));
    second.Stick(0, 0);
    pad->Button(SDL_CONTROLLER_BUTTON_A, false);
    pad->Button(SDL_CONTROLLER_BUTTON_START, false);
    WaitUntilHandled();
    EXPECT_THAT(Held(), IsEmpty());
    pad->Button(SDL_CONTROLLER_BUTTON_START, true);
    WaitUntilHandled();
    pad->Unplug();
    WaitUntilHandled();
    EXPECT_EQ(DrainQueue(), (Codes{'P', 'P'}));
    EXPECT_THAT(Held(), IsEmpty());
    second.Button(SDL_CONTROLLER_BUTTON_START, true);
    WaitUntilHandled();
    EXPECT_EQ(DrainQueue(), Codes{'S'});
}

// The player's gamecontrollerdb.txt in the settings folder loads with the first window, here for
// a pad plugged in before it: other systems' lines pass unread, a line SDL cannot use, or a file
// that cannot be read, costs one line naming it, and no file nothing. In processes of their own:
// SDL's controllers start once.
TEST(PadMappings, ThePlayersOwnFileLoadsAtStart) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::tuple<std::optional<std::string>, std::uint32_t, const char*> cases[] = {
        {"# A and B swapped\r\nGUID,Mine,a:b1,b:b0,platform:Linux,\r\n"
         "GUID,Theirs,a:b2,b:b3,platform:Windows,\r\n",
         KEY_ESCAPE, "^$"},
        {"\nnot a mapping\nGUID,Mine,a:b1,b:b0,\n\x01\xff,\n", KEY_ESCAPE,
         "^wimdows_tests: [^\n]*/meandor/gamecontrollerdb\\.txt: line 2: [^\n]+ \\(and 1 more "
         "lines left out\\)\n$"},
        {"", KEY_ENTER, "^$"},
        {"directory", KEY_ENTER,
         "^wimdows_tests: [^\n]*/meandor/gamecontrollerdb\\.txt: Is a directory\n$"},
        {std::nullopt, KEY_ENTER, "^$"}};
    const auto buttonZeroGives = [](const std::optional<std::string>& mappings) {
        SDL_InitSubSystem(SDL_INIT_JOYSTICK);
        VirtualPad pad;
        const TempDir config;
        TestKit::SetEnv("XDG_CONFIG_HOME", config.Path().string().c_str());
        if (mappings) {
            std::filesystem::create_directory(config.Path() / "meandor");
            std::string text = *mappings;
            for (std::size_t at = text.find("GUID"); at != std::string::npos;
                 at = text.find("GUID", at)) {
                text.replace(at, 4, pad.Guid());
            }
            if (text == "directory") {
                std::filesystem::create_directory(config.Path() / "meandor/gamecontrollerdb.txt");
            } else {
                config.File("meandor/gamecontrollerdb.txt", text);
            }
        }
        Wimdows::Window("Mapped", Width, Height);
        pad.Button(0, true);
        WaitUntilHandled();
        return DrainQueue();
    };
    for (const auto& [mappings, key, stderrPattern] : cases) {
        EXPECT_EXIT(std::exit(buttonZeroGives(mappings) == Codes{key} ? 0 : 1),
                    ::testing::ExitedWithCode(0), stderrPattern)
            << mappings.value_or("(none)");
    }
}

} // namespace
