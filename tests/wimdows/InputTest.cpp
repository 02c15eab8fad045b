#include "TestWindow.hpp"

#include <algorithm>
#include <array>
#include <thread>
#include <utility>

namespace {

using namespace WimdowsTest;
using Wimdows::Testing::WaitUntilHandled;

std::vector<std::uint32_t> DrainQueue() {
    std::vector<std::uint32_t> codes;
    std::uint32_t code = 0;
    while (Wimdows::GetKeyPressed(code)) {
        codes.push_back(code);
    }
    return codes;
}

class KeyboardTest : public WindowTest {};

// Windows virtual-key codes by what a key means: letters by the layout (AZERTY, Russian by
// position), digits by position, keypad with and without Num Lock, AZERTY's comma, German
// u-umlaut and the key left of Z. With Alt held, F10 and Alt itself are the system's (code 0
// here): neither queued nor held. Repeats queue again; flushing keeps keys held.
TEST_F(KeyboardTest, KeysGiveTheirWindowsCodeWhileHeldAndInTheQueue) {
    struct Key {
        SDL_Scancode scancode;
        SDL_Keycode sym;
        std::uint32_t code;
        Uint16 mod = KMOD_NONE;
    };
    const Key keys[] = {{SDL_SCANCODE_X, SDLK_x, 0, KMOD_LALT},
                        {SDL_SCANCODE_RETURN, SDLK_RETURN, 0, KMOD_RALT},
                        {SDL_SCANCODE_F10, SDLK_F10, 0},
                        {SDL_SCANCODE_LALT, SDLK_LALT, 0, KMOD_LALT},
                        {SDL_SCANCODE_RALT, SDLK_RALT, 0},
                        {SDL_SCANCODE_B, SDLK_b, 'B', KMOD_CAPS},
                        {SDL_SCANCODE_Q, SDLK_a, 'A'},
                        {SDL_SCANCODE_A, 0x444, 'A'},
                        {SDL_SCANCODE_1, '&', '1'},
                        {SDL_SCANCODE_KP_8, SDLK_KP_8, 104, KMOD_NUM},
                        {SDL_SCANCODE_KP_8, SDLK_KP_8, Wimdows::KEY_UP},
                        {SDL_SCANCODE_LEFT, SDLK_LEFT, Wimdows::KEY_LEFT},
                        {SDL_SCANCODE_RETURN, SDLK_RETURN, Wimdows::KEY_ENTER},
                        {SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER, Wimdows::KEY_ENTER},
                        {SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, Wimdows::KEY_ESCAPE},
                        {SDL_SCANCODE_M, ',', 188},
                        {SDL_SCANCODE_LEFTBRACKET, 0xFC, 219},
                        {SDL_SCANCODE_NONUSBACKSLASH, '<', 226}};
    std::vector<std::uint32_t> codes;
    for (const Key& key : keys) {
        PushKey(true, key.scancode, key.sym, key.mod);
        if (key.code != 0) {
            codes.push_back(key.code);
        }
    }
    PushKey(true, SDL_SCANCODE_B, SDLK_b, KMOD_CAPS, true);
    codes.push_back('B');
    WaitUntilHandled();
    EXPECT_TRUE(std::ranges::none_of(std::array{88U, 121U, 18U, 98U, 256U, ~0U}, Wimdows::KeyDown));
    EXPECT_TRUE(std::ranges::all_of(codes, Wimdows::KeyDown));
    EXPECT_EQ(DrainQueue(), codes) << "in order of pressing, a repeat queued again";
    std::uint32_t code = 7;
    EXPECT_FALSE(Wimdows::GetKeyPressed(code));
    EXPECT_EQ(code, 7U) << "an empty queue leaves the variable alone";
    PushKey(true, SDL_SCANCODE_H, SDLK_h);
    WaitUntilHandled();
    Wimdows::FlushKeys();
    EXPECT_TRUE(DrainQueue().empty());
    EXPECT_TRUE(Wimdows::KeyDown('H')) << "flushing leaves keys held";
    // As the focus leaves, SDL releases every held key just before it reports the loss; as it
    // comes back, it presses the modifiers held meanwhile right after reporting the gain.
    PushTogether({KeyEvent(false, SDL_SCANCODE_RETURN, SDLK_RETURN),
                  WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST)});
    WaitUntilHandled();
    EXPECT_TRUE(Wimdows::KeyDown(13)) << "released only by losing the focus";
    PushTogether({WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED),
                  KeyEvent(true, SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, KMOD_LSHIFT),
                  KeyEvent(true, SDL_SCANCODE_RCTRL, SDLK_RCTRL, KMOD_LSHIFT | KMOD_RCTRL),
                  KeyEvent(true, SDL_SCANCODE_LEFT, SDLK_LEFT)});
    WaitUntilHandled();
    EXPECT_EQ(DrainQueue(), std::vector<std::uint32_t>{37}) << "a real press follows";
    EXPECT_FALSE(Wimdows::KeyDown(16));
    for (const Key& key : keys) {
        PushKey(false, key.scancode, key.sym, key.mod | KMOD_LALT);
    }
    PushKey(true, SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, KMOD_LSHIFT);
    WaitUntilHandled();
    EXPECT_TRUE(std::ranges::none_of(codes, Wimdows::KeyDown)) << "released, also with Alt held";
    EXPECT_EQ(DrainQueue(), std::vector<std::uint32_t>{16}) << "releases queue nothing";
}

using MouseTest = WindowTest;

// The position comes from moves only, read as unsigned 16-bit numbers outside the window; the
// callback gets every left release, also a double-click's, on the window thread.
TEST_F(MouseTest, PositionFromMovesAndLeftReleasesToTheCallback) {
    EXPECT_EQ(Position(), std::make_pair(0, 0));
    std::vector<std::pair<std::int32_t, std::int32_t>> releases;
    std::thread::id callbackThread;
    Wimdows::OnMouseLeftUp([&](std::int32_t x, std::int32_t y) {
        releases.emplace_back(x, y);
        callbackThread = std::this_thread::get_id();
    });
    PushMouseMove(10, 20);
    PushButton(true, SDL_BUTTON_LEFT, 50, 60);
    PushButton(false, SDL_BUTTON_LEFT, 55, 65);
    PushButton(true, SDL_BUTTON_LEFT, 2, 2, 2);
    PushButton(false, SDL_BUTTON_LEFT, 2, 2, 2);
    PushButton(true, SDL_BUTTON_RIGHT, 3, 3);
    PushButton(false, SDL_BUTTON_RIGHT, 3, 3);
    PushMouseMove(-3, 4);
    PushButton(false, SDL_BUTTON_LEFT, 5, -7);
    WaitUntilHandled();
    EXPECT_EQ(Position(), std::make_pair(65533, 4));
    const decltype(releases) expected{{55, 65}, {2, 2}, {5, 65529}};
    EXPECT_EQ(releases, expected);
    EXPECT_NE(callbackThread, std::this_thread::get_id());
    Wimdows::OnMouseLeftUp({});
    PushButton(false, SDL_BUTTON_LEFT, 1, 1);
    WaitUntilHandled();
    EXPECT_EQ(releases, expected) << "an empty callback unregisters";
}

} // namespace
