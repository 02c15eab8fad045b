#include "TestWindow.hpp"

#include <thread>
#include <tuple>
#include <utility>

namespace {

using namespace WimdowsTest;
using Wimdows::Testing::WaitUntilHandled;

struct KeyCase {
    SDL_Scancode scancode;
    SDL_Keycode sym;
    Uint16 mod;
    std::uint32_t code;
};

std::vector<std::uint32_t> DrainQueue() {
    std::vector<std::uint32_t> codes;
    std::uint32_t code = 0;
    while (Wimdows::GetKeyPressed(code)) {
        codes.push_back(code);
    }
    return codes;
}

std::vector<KeyCase> KeyTable() {
    std::vector<KeyCase> keys;
    for (int i = 0; i < 26; ++i) {
        const Uint16 mods[] = {KMOD_NONE, KMOD_LSHIFT, KMOD_CAPS};
        keys.push_back({static_cast<SDL_Scancode>(SDL_SCANCODE_A + i), SDLK_a + i, mods[i % 3],
                        static_cast<std::uint32_t>('A' + i)});
    }
    const SDL_Scancode digits[] = {SDL_SCANCODE_0, SDL_SCANCODE_1, SDL_SCANCODE_2, SDL_SCANCODE_3,
                                   SDL_SCANCODE_4, SDL_SCANCODE_5, SDL_SCANCODE_6, SDL_SCANCODE_7,
                                   SDL_SCANCODE_8, SDL_SCANCODE_9};
    const SDL_Scancode keypad[] = {SDL_SCANCODE_KP_0, SDL_SCANCODE_KP_1, SDL_SCANCODE_KP_2,
                                   SDL_SCANCODE_KP_3, SDL_SCANCODE_KP_4, SDL_SCANCODE_KP_5,
                                   SDL_SCANCODE_KP_6, SDL_SCANCODE_KP_7, SDL_SCANCODE_KP_8,
                                   SDL_SCANCODE_KP_9};
    // AZERTY's digit row prints symbols, yet gives digits as on every layout.
    const SDL_Keycode azertyDigits[] = {0xE0, '&', 0xE9, '"', '\'', '(', '-', 0xE8, '_', 0xE7};
    for (std::uint32_t d = 0; d < 10; ++d) {
        keys.push_back({digits[d], SDLK_0 + static_cast<SDL_Keycode>(d), KMOD_NONE, 48 + d});
        keys.push_back({digits[d], azertyDigits[d], KMOD_NONE, 48 + d});
        keys.push_back({keypad[d], SDLK_KP_0, KMOD_NUM, 96 + d});
    }
    // (position, symbol the layout gives it, code): letters by symbol, punctuation by meaning,
    // other punctuation by position, non-Latin letters by position.
    const std::tuple<SDL_Scancode, SDL_Keycode, std::uint32_t> layouts[] = {
        // US
        {SDL_SCANCODE_SEMICOLON, ';', 186},
        {SDL_SCANCODE_EQUALS, '=', 187},
        {SDL_SCANCODE_COMMA, ',', 188},
        {SDL_SCANCODE_MINUS, '-', 189},
        {SDL_SCANCODE_PERIOD, '.', 190},
        {SDL_SCANCODE_SLASH, '/', 191},
        {SDL_SCANCODE_GRAVE, '`', 192},
        {SDL_SCANCODE_LEFTBRACKET, '[', 219},
        {SDL_SCANCODE_BACKSLASH, '\\', 220},
        {SDL_SCANCODE_RIGHTBRACKET, ']', 221},
        {SDL_SCANCODE_APOSTROPHE, '\'', 222},
        // French AZERTY
        {SDL_SCANCODE_Q, 'a', 'A'},
        {SDL_SCANCODE_SEMICOLON, 'm', 'M'},
        {SDL_SCANCODE_M, ',', 188},
        {SDL_SCANCODE_COMMA, ';', 186},
        {SDL_SCANCODE_EQUALS, '=', 187},
        {SDL_SCANCODE_APOSTROPHE, 0xF9, 222}, // ù
        // German
        {SDL_SCANCODE_Y, 'z', 'Z'},
        {SDL_SCANCODE_LEFTBRACKET, 0xFC, 219}, // ü
        {SDL_SCANCODE_MINUS, 0xDF, 189},       // ß
        {SDL_SCANCODE_RIGHTBRACKET, '+', 187},
        {SDL_SCANCODE_SLASH, '-', 189},
        {SDL_SCANCODE_NONUSBACKSLASH, '<', 226},
        // Russian: ф and я
        {SDL_SCANCODE_A, 0x444, 'A'},
        {SDL_SCANCODE_Z, 0x44F, 'Z'},
    };
    for (const auto& [scancode, sym, code] : layouts) {
        keys.push_back({scancode, sym, KMOD_NONE, code});
    }
    const std::pair<SDL_Scancode, std::uint32_t> named[] = {
        {SDL_SCANCODE_BACKSPACE, 8}, {SDL_SCANCODE_TAB, 9},       {SDL_SCANCODE_RETURN, 13},
        {SDL_SCANCODE_KP_ENTER, 13}, {SDL_SCANCODE_LSHIFT, 16},   {SDL_SCANCODE_RSHIFT, 16},
        {SDL_SCANCODE_LCTRL, 17},    {SDL_SCANCODE_RCTRL, 17},    {SDL_SCANCODE_PAUSE, 19},
        {SDL_SCANCODE_CAPSLOCK, 20}, {SDL_SCANCODE_ESCAPE, 27},   {SDL_SCANCODE_SPACE, 32},
        {SDL_SCANCODE_PAGEUP, 33},   {SDL_SCANCODE_PAGEDOWN, 34}, {SDL_SCANCODE_END, 35},
        {SDL_SCANCODE_HOME, 36},     {SDL_SCANCODE_LEFT, 37},     {SDL_SCANCODE_UP, 38},
        {SDL_SCANCODE_RIGHT, 39},    {SDL_SCANCODE_DOWN, 40},     {SDL_SCANCODE_INSERT, 45},
        {SDL_SCANCODE_DELETE, 46},   {SDL_SCANCODE_F1, 112},      {SDL_SCANCODE_F2, 113},
        {SDL_SCANCODE_F3, 114},      {SDL_SCANCODE_F4, 115},      {SDL_SCANCODE_F5, 116},
        {SDL_SCANCODE_F6, 117},      {SDL_SCANCODE_F7, 118},      {SDL_SCANCODE_F8, 119},
        {SDL_SCANCODE_F9, 120},      {SDL_SCANCODE_F11, 122},     {SDL_SCANCODE_F12, 123},
    };
    for (const auto& [scancode, code] : named) {
        keys.push_back({scancode, SDL_SCANCODE_TO_KEYCODE(scancode), KMOD_NONE, code});
    }
    return keys;
}

class KeyboardTest : public WindowTest {};

TEST_F(KeyboardTest, EveryKeyGivesItsWindowsCode) {
    const std::vector<KeyCase> keys = KeyTable();
    for (const KeyCase& key : keys) {
        PushKey(true, key.scancode, key.sym, key.mod);
    }
    WaitUntilHandled();
    for (const KeyCase& key : keys) {
        EXPECT_TRUE(Wimdows::KeyDown(key.code)) << key.code;
    }
    const std::vector<std::uint32_t> queued = DrainQueue();
    ASSERT_EQ(queued.size(), keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(queued[i], keys[i].code)
            << "scancode " << keys[i].scancode << ", symbol " << keys[i].sym;
    }
    for (const KeyCase& key : keys) {
        PushKey(false, key.scancode, key.sym, key.mod);
    }
    WaitUntilHandled();
    for (const KeyCase& key : keys) {
        EXPECT_FALSE(Wimdows::KeyDown(key.code)) << key.code;
    }
    EXPECT_TRUE(DrainQueue().empty()) << "releases queue nothing";
}

TEST_F(KeyboardTest, KeypadWithoutNumLockGivesNavigationKeys) {
    PushKey(true, SDL_SCANCODE_KP_4, SDLK_KP_4);
    PushKey(true, SDL_SCANCODE_KP_8, SDLK_KP_8);
    PushKey(true, SDL_SCANCODE_KP_PERIOD, SDLK_KP_PERIOD);
    WaitUntilHandled();
    EXPECT_EQ(DrainQueue(), (std::vector<std::uint32_t>{37, 38, 46}));
}

TEST_F(KeyboardTest, SystemKeysAreNeitherQueuedNorHeld) {
    PushKey(true, SDL_SCANCODE_X, SDLK_x, KMOD_LALT);
    PushKey(true, SDL_SCANCODE_SPACE, SDLK_SPACE, KMOD_RALT);
    PushKey(true, SDL_SCANCODE_F10, SDLK_F10);
    PushKey(true, SDL_SCANCODE_LALT, SDLK_LALT, KMOD_LALT);
    PushKey(true, SDL_SCANCODE_RALT, SDLK_RALT);
    WaitUntilHandled();
    EXPECT_TRUE(DrainQueue().empty());
    for (const std::uint32_t code : {88U, 32U, 121U, 18U}) {
        EXPECT_FALSE(Wimdows::KeyDown(code)) << code;
    }
}

TEST_F(KeyboardTest, AutoRepeatQueuesTheCodeAgain) {
    PushKey(true, SDL_SCANCODE_P, SDLK_p, KMOD_LSHIFT);
    PushKey(true, SDL_SCANCODE_P, SDLK_p, KMOD_LSHIFT, true);
    PushKey(true, SDL_SCANCODE_P, SDLK_p, KMOD_LSHIFT, true);
    WaitUntilHandled();
    EXPECT_TRUE(Wimdows::KeyDown(80));
    EXPECT_FALSE(Wimdows::KeyDown(112)) << "112 is F1, not a lower-case p";
    EXPECT_EQ(DrainQueue(), (std::vector<std::uint32_t>{80, 80, 80}));
    PushKey(false, SDL_SCANCODE_P, SDLK_p);
    WaitUntilHandled();
    EXPECT_FALSE(Wimdows::KeyDown(80));
}

TEST_F(KeyboardTest, QueueIsFirstInFirstOut) {
    PushKey(true, SDL_SCANCODE_A, SDLK_a);
    PushKey(true, SDL_SCANCODE_B, SDLK_b);
    PushKey(true, SDL_SCANCODE_D, SDLK_d);
    WaitUntilHandled();
    std::uint32_t code = 0;
    for (const std::uint32_t expected : {65U, 66U, 68U}) {
        ASSERT_TRUE(Wimdows::GetKeyPressed(code));
        EXPECT_EQ(code, expected);
    }
    EXPECT_FALSE(Wimdows::GetKeyPressed(code));
    EXPECT_EQ(code, 68U) << "an empty queue leaves the variable alone";

    PushKey(true, SDL_SCANCODE_H, SDLK_h);
    PushKey(true, SDL_SCANCODE_S, SDLK_s);
    WaitUntilHandled();
    Wimdows::FlushKeys();
    EXPECT_FALSE(Wimdows::GetKeyPressed(code));
    EXPECT_TRUE(Wimdows::KeyDown('H')) << "flushing the queue leaves held keys held";
    EXPECT_FALSE(Wimdows::KeyDown(256));
    EXPECT_FALSE(Wimdows::KeyDown(0xFFFFFFFFU));
}

TEST_F(KeyboardTest, ReleaseWithAltHeldStillReleases) {
    PushKey(true, SDL_SCANCODE_RETURN, SDLK_RETURN);
    PushKey(false, SDL_SCANCODE_RETURN, SDLK_RETURN, KMOD_LALT);
    WaitUntilHandled();
    EXPECT_FALSE(Wimdows::KeyDown(13));
}

// As the focus leaves, SDL releases every held key just before it reports the loss; as it comes
// back, it presses the modifiers held meanwhile right after reporting the gain.
TEST_F(KeyboardTest, KeyHeldWhileAnotherWindowHasTheFocusStaysHeld) {
    PushKey(true, SDL_SCANCODE_RETURN, SDLK_RETURN);
    WaitUntilHandled();
    Wimdows::FlushKeys();
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

    PushKey(false, SDL_SCANCODE_RETURN, SDLK_RETURN);
    PushKey(true, SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, KMOD_LSHIFT);
    WaitUntilHandled();
    EXPECT_FALSE(Wimdows::KeyDown(13)) << "its next release in this window counts";
    EXPECT_EQ(DrainQueue(), std::vector<std::uint32_t>{16});
}

class MouseTest : public WindowTest {
  protected:
    struct Release {
        std::int32_t x;
        std::int32_t y;
        bool operator==(const Release&) const = default;
    };
    void Record() {
        Wimdows::OnMouseLeftUp([this](std::int32_t x, std::int32_t y) {
            releases.push_back({x, y});
            callbackThread = std::this_thread::get_id();
        });
    }
    static std::pair<std::int32_t, std::int32_t> Position() {
        std::int32_t x = -1;
        std::int32_t y = -1;
        Wimdows::MousePos(x, y);
        return {x, y};
    }
    std::vector<Release> releases;
    std::thread::id callbackThread;
};

TEST_F(MouseTest, PositionComesFromMovesOnly) {
    EXPECT_EQ(Position(), std::make_pair(0, 0));
    Record();
    PushMouseMove(10, 20);
    PushButton(true, SDL_BUTTON_LEFT, 50, 60);
    PushButton(false, SDL_BUTTON_LEFT, 55, 65);
    WaitUntilHandled();
    EXPECT_EQ(Position(), std::make_pair(10, 20));
    EXPECT_EQ(releases, (std::vector<Release>{{55, 65}}))
        << "the callback gets the release position";
    EXPECT_NE(callbackThread, std::this_thread::get_id()) << "it runs on the window thread";
}

TEST_F(MouseTest, PositionsOutsideTheWindowReadAsUnsigned16Bits) {
    Record();
    PushButton(true, SDL_BUTTON_LEFT, 5, 5);
    PushMouseMove(-3, 4);
    PushButton(false, SDL_BUTTON_LEFT, 5, -7);
    WaitUntilHandled();
    EXPECT_EQ(Position(), std::make_pair(65533, 4));
    EXPECT_EQ(releases, (std::vector<Release>{{5, 65529}}));
}

TEST_F(MouseTest, DoubleClickIsPressReleaseDoubleClickRelease) {
    Record();
    PushButton(true, SDL_BUTTON_LEFT, 1, 1, 1);
    PushButton(false, SDL_BUTTON_LEFT, 1, 1, 1);
    PushButton(true, SDL_BUTTON_LEFT, 2, 2, 2);
    PushButton(false, SDL_BUTTON_LEFT, 2, 2, 2);
    PushButton(true, SDL_BUTTON_RIGHT, 3, 3);
    PushButton(false, SDL_BUTTON_RIGHT, 3, 3);
    WaitUntilHandled();
    EXPECT_EQ(releases, (std::vector<Release>{{1, 1}, {2, 2}}));
}

TEST_F(MouseTest, LaterRegistrationReplacesAndEmptyUnregisters) {
    int first = 0;
    int second = 0;
    Wimdows::OnMouseLeftUp([&first](std::int32_t, std::int32_t) { ++first; });
    Wimdows::OnMouseLeftUp([&second](std::int32_t, std::int32_t) { ++second; });
    PushButton(false, SDL_BUTTON_LEFT, 1, 1);
    WaitUntilHandled();
    Wimdows::OnMouseLeftUp({});
    PushButton(false, SDL_BUTTON_LEFT, 1, 1);
    WaitUntilHandled();
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 1);
}

} // namespace
