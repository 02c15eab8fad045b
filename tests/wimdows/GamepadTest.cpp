#include "TestWindow.hpp"

#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
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

constexpr std::uint32_t Up = Wimdows::KEY_UP;
constexpr std::uint32_t Down = Wimdows::KEY_DOWN;
constexpr std::uint32_t Left = Wimdows::KEY_LEFT;
constexpr std::uint32_t Right = Wimdows::KEY_RIGHT;
constexpr std::uint32_t Enter = Wimdows::KEY_ENTER;
constexpr std::uint32_t Escape = Wimdows::KEY_ESCAPE;

// The dummy driver gives no window the keyboard focus, and SDL drops a pad's presses while the
// program has none, as when another program has it. Set before any window opens.
[[maybe_unused]] const bool padsWithoutFocus =
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1") == SDL_TRUE;

struct JoystickDeleter {
    void operator()(SDL_Joystick* joystick) const { SDL_JoystickClose(joystick); }
};

// A pad on SDL's virtual driver, plugged in while it lives, which SDL maps with each button and
// axis at SDL's own number. SDL's joysticks must be up, as the first window starts them. With a
// USB vendor and product, as a real pad has, a mapping can name it by the GUID SDL gives it.
class VirtualPad {
  public:
    VirtualPad() {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.vendor_id = 0x1234;
        desc.product_id = 0x5678;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        joystick.reset(SDL_JoystickOpen(SDL_JoystickAttachVirtualEx(&desc)));
        id = SDL_JoystickInstanceID(joystick.get());
    }
    ~VirtualPad() { Unplug(); }
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    // What changes shows once the pads are read, as WaitUntilHandled has them read.
    void Button(int button, bool down) {
        SDL_JoystickSetVirtualButton(joystick.get(), button, down ? 1 : 0);
    }
    void Stick(Sint16 x, Sint16 y) {
        SDL_JoystickSetVirtualAxis(joystick.get(), SDL_CONTROLLER_AXIS_LEFTX, x);
        SDL_JoystickSetVirtualAxis(joystick.get(), SDL_CONTROLLER_AXIS_LEFTY, y);
    }
    std::string Guid() const {
        std::array<char, 33> text{};
        SDL_JoystickGetGUIDString(SDL_JoystickGetGUID(joystick.get()), text.data(),
                                  static_cast<int>(text.size()));
        return text.data();
    }
    void Unplug() {
        if (!joystick) {
            return;
        }
        joystick.reset();
        for (int index = 0; index < SDL_NumJoysticks(); ++index) {
            if (SDL_JoystickGetDeviceInstanceID(index) == id) {
                SDL_JoystickDetachVirtual(index);
            }
        }
    }

  private:
    std::unique_ptr<SDL_Joystick, JoystickDeleter> joystick;
    SDL_JoystickID id = -1;
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

// The queue drained until it gave `count` codes, with nothing pushed to wake the window thread:
// it reads the pads and repeats on its own. Fewer only if they do not come for seconds.
Codes DrainAtLeast(std::size_t count) {
    Codes codes;
    std::uint32_t code = 0;
    for (const auto giveUp = std::chrono::steady_clock::now() + 10s;
         codes.size() < count && std::chrono::steady_clock::now() < giveUp;) {
        if (Wimdows::GetKeyPressed(code)) {
            codes.push_back(code);
        } else {
            std::this_thread::yield();
        }
    }
    return codes;
}

// Keeps the window thread going round its loop until `ms` have passed, and once more after.
void RunFor(Uint64 ms) {
    for (const Uint64 until = SDL_GetTicks64() + ms; SDL_GetTicks64() < until;) {
        WaitUntilHandled();
    }
    WaitUntilHandled();
}

// A window with a pad plugged in. Nothing repeats unless a case asks for it: a slow machine
// could otherwise add a repeat to any held direction.
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

// Each button holds its key while down and queues it once; Start pauses and continues in turn,
// also after a P or an S from the keyboard; the other buttons give nothing.
TEST_F(PadTest, ButtonsHoldAndQueueTheirKeys) {
    const std::pair<SDL_GameControllerButton, std::uint32_t> presses[] = {
        {SDL_CONTROLLER_BUTTON_DPAD_UP, Up},
        {SDL_CONTROLLER_BUTTON_DPAD_DOWN, Down},
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, Left},
        {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, Right},
        {SDL_CONTROLLER_BUTTON_A, Enter},
        {SDL_CONTROLLER_BUTTON_B, Escape},
        {SDL_CONTROLLER_BUTTON_Y, 'H'},
        {SDL_CONTROLLER_BUTTON_START, 'P'},
        {SDL_CONTROLLER_BUTTON_START, 'S'},
        {SDL_CONTROLLER_BUTTON_START, 'P'},
        {SDL_CONTROLLER_BUTTON_X, 0},
        {SDL_CONTROLLER_BUTTON_BACK, 0},
        {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, 0},
    };
    for (const auto& [button, code] : presses) {
        const Codes gives = code == 0 ? Codes{} : Codes{code};
        pad->Button(button, true);
        WaitUntilHandled();
        EXPECT_EQ(DrainQueue(), gives) << "button " << button;
        EXPECT_EQ(Held(), gives) << "button " << button;
        pad->Button(button, false);
        WaitUntilHandled();
        EXPECT_THAT(DrainQueue(), IsEmpty()) << "button " << button;
        EXPECT_THAT(Held(), IsEmpty()) << "button " << button;
    }
    const std::tuple<SDL_Scancode, SDL_Keycode, std::uint32_t, std::uint32_t> typedThenStart[] = {
        {SDL_SCANCODE_P, SDLK_p, 'P', 'S'}, {SDL_SCANCODE_S, SDLK_s, 'S', 'P'}};
    for (const auto& [scancode, sym, typed, start] : typedThenStart) {
        PushKey(true, scancode, sym);
        pad->Button(SDL_CONTROLLER_BUTTON_START, true);
        WaitUntilHandled();
        pad->Button(SDL_CONTROLLER_BUTTON_START, false);
        WaitUntilHandled();
        EXPECT_EQ(DrainQueue(), (Codes{typed, start}));
    }
}

// The stick gives the arrow of its larger axis once past the dead zone, and holds it until that
// axis is back well inside: a push between two arrows gives one, a stick resting near the edge
// no more. The D-pad holding the same arrow keeps it held.
TEST_F(PadTest, TheStickPushesOneArrowAtATime) {
    const struct {
        Sint16 x;
        Sint16 y;
        Codes queued;
        Codes held;
        const char* what;
    } moves[] = {
        {0, 9000, {}, {}, "inside the dead zone"},
        {-10000, 10000, {}, {}, "both axes inside it"},
        {0, -12000, {Up}, {Up}, "past it"},
        {3000, -9000, {}, {Up}, "back between the zones"},
        {0, -12000, {}, {Up}, "out again"},
        {0, -7000, {}, {}, "within a quarter"},
        {20000, 15000, {Right}, {Right}, "between two arrows"},
        {20000, 30000, {}, {Right}, "turned towards the other"},
        {6000, 30000, {Down}, {Down}, "turned on"},
        {0, -32768, {Up}, {Up}, "flicked across"},
        {0, 0, {}, {}, "let go"},
    };
    for (const auto& move : moves) {
        pad->Stick(move.x, move.y);
        WaitUntilHandled();
        EXPECT_EQ(DrainQueue(), move.queued) << move.what;
        EXPECT_EQ(Held(), move.held) << move.what;
    }
    pad->Stick(-20000, 0);
    pad->Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    WaitUntilHandled();
    EXPECT_EQ(DrainQueue(), (Codes{Left, Left}));
    pad->Stick(0, 0);
    WaitUntilHandled();
    EXPECT_EQ(Held(), Codes{Left}) << "the D-pad still holds it";
    pad->Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);
    WaitUntilHandled();
    EXPECT_THAT(Held(), IsEmpty());
}

// A held direction queues its arrow again and again until it is let go, or the window closes; a
// held button does not.
TEST_F(PadTest, HeldDirectionsRepeatUntilLetGo) {
    constexpr Uint64 IntervalMs = 1;
    Wimdows::Testing::SetPadRepeat(std::chrono::milliseconds(IntervalMs),
                                   std::chrono::milliseconds(IntervalMs));
    VirtualPad& p = *pad;
    const struct {
        const char* what;
        std::function<void(bool)> hold;
        std::uint32_t code;
        std::size_t atLeast;
    } holds[] = {
        {"D-pad", [&p](bool down) { p.Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, down); }, Right, 3},
        {"stick", [&p](bool down) { p.Stick(0, down ? 20000 : 0); }, Down, 3},
        {"A", [&p](bool down) { p.Button(SDL_CONTROLLER_BUTTON_A, down); }, Enter, 1},
    };
    for (const auto& [what, hold, code, atLeast] : holds) {
        hold(true);
        const Codes held = DrainAtLeast(atLeast);
        EXPECT_GE(held.size(), atLeast) << what;
        EXPECT_THAT(held, Each(code)) << what;
        RunFor(3 * IntervalMs);
        hold(false);
        WaitUntilHandled();
        const Codes more = DrainQueue();
        EXPECT_THAT(more, Each(code)) << what;
        if (atLeast == 1) {
            EXPECT_THAT(more, IsEmpty()) << what << " held for a while";
        }
        RunFor(3 * IntervalMs);
        EXPECT_THAT(DrainQueue(), IsEmpty()) << what << " let go";
    }
    pad->Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    EXPECT_THAT(DrainAtLeast(2), Each(Left));
    Wimdows::Window("Next", Width, Height);
    RunFor(3 * IntervalMs);
    EXPECT_THAT(DrainQueue(), IsEmpty()) << "held into the next window";
}

// A pad pulled out lets go of all it held and queues P, as if the player paused; the next Start
// continues.
TEST_F(PadTest, PullingAPadOutPauses) {
    pad->Button(SDL_CONTROLLER_BUTTON_A, true);
    pad->Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    pad->Stick(0, 20000);
    WaitUntilHandled();
    EXPECT_THAT(DrainQueue(), UnorderedElementsAre(Enter, Left, Down));
    pad->Unplug();
    WaitUntilHandled();
    EXPECT_EQ(DrainQueue(), Codes{'P'});
    EXPECT_THAT(Held(), IsEmpty());
    VirtualPad second;
    WaitUntilHandled();
    second.Button(SDL_CONTROLLER_BUTTON_START, true);
    WaitUntilHandled();
    EXPECT_EQ(DrainQueue(), Codes{'S'});
}

// What a pad holds as a window opens stays out of that window until let go, also on a pad
// plugged in between two windows, and holds no key that another control lets go of; Start
// pauses first again.
TEST_F(PadTest, ANewWindowGetsNothingHeldBefore) {
    pad->Button(SDL_CONTROLLER_BUTTON_A, true);
    pad->Button(SDL_CONTROLLER_BUTTON_START, true);
    pad->Stick(30000, 0);
    WaitUntilHandled();
    EXPECT_THAT(DrainQueue(), UnorderedElementsAre(Enter, 'P', Right));
    Wimdows::KillWindow();
    VirtualPad second;
    second.Button(SDL_CONTROLLER_BUTTON_B, true);
    second.Button(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    Wimdows::Window("Next", Width, Height);
    WaitUntilHandled();
    EXPECT_THAT(DrainQueue(), IsEmpty());
    EXPECT_THAT(Held(), IsEmpty());
    second.Stick(0, -30000);
    WaitUntilHandled();
    second.Stick(0, 0);
    WaitUntilHandled();
    EXPECT_EQ(DrainQueue(), Codes{Up});
    EXPECT_THAT(Held(), IsEmpty());
    pad->Button(SDL_CONTROLLER_BUTTON_A, false);
    pad->Button(SDL_CONTROLLER_BUTTON_START, false);
    pad->Stick(0, 0);
    second.Button(SDL_CONTROLLER_BUTTON_B, false);
    WaitUntilHandled();
    EXPECT_THAT(DrainQueue(), IsEmpty());
    pad->Button(SDL_CONTROLLER_BUTTON_START, true);
    pad->Stick(-30000, 0);
    second.Button(SDL_CONTROLLER_BUTTON_B, true);
    WaitUntilHandled();
    EXPECT_THAT(DrainQueue(), UnorderedElementsAre('P', Left, Escape));
    EXPECT_THAT(Held(), UnorderedElementsAre('P', Left, Escape));
}

// In a process of its own, since SDL's controllers start once a process: a pad plugged in
// before the first window, whose button 0 is A unless the mapping file says otherwise; the
// first key it gives.
std::uint32_t FirstButtonWith(const std::optional<std::string>& mappings) {
    SDL_InitSubSystem(SDL_INIT_JOYSTICK);
    VirtualPad pad;
    const TempDir config;
    setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
    if (mappings) {
        std::filesystem::create_directory(config.Path() / "meandor");
        std::string text = *mappings;
        if (const std::size_t at = text.find("GUID"); at != std::string::npos) {
            text.replace(at, 4, pad.Guid());
        }
        config.File("meandor/gamecontrollerdb.txt", text);
    }
    Wimdows::Window("Mapped", Width, Height);
    pad.Button(0, true);
    WaitUntilHandled();
    const Codes codes = DrainQueue();
    Wimdows::KillWindow();
    return codes.size() == 1 ? codes[0] : 0;
}

// The player's gamecontrollerdb.txt in the settings folder loads with the first window; one SDL
// cannot read (an empty one) costs a line naming it with SDL's reason, and no file nothing.
TEST(PadMappings, ThePlayersOwnFileLoadsAtStart) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const struct {
        const char* what;
        std::optional<std::string> mappings;
        std::uint32_t key;
        const char* stderrPattern;
    } cases[] = {
        {"A and B swapped", "# mine\nGUID,Swapped,a:b1,b:b0,platform:Linux,\n", Escape, "^$"},
        {"empty", "", Enter, "^wimdows_tests: [^\n]*/meandor/gamecontrollerdb\\.txt: [^\n]+\n$"},
        {"none", std::nullopt, Enter, "^$"},
    };
    for (const auto& [what, mappings, key, stderrPattern] : cases) {
        EXPECT_EXIT(std::exit(FirstButtonWith(mappings) == key ? 0 : 1),
                    ::testing::ExitedWithCode(0), stderrPattern)
            << what;
    }
}

} // namespace
