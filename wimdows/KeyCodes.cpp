#include "wimdows/KeyCodes.hpp"

#include <algorithm>
#include <array>
#include <utility>

namespace Wimdows {
namespace {

constexpr std::uint32_t VK_CLEAR = 12;
constexpr std::uint32_t VK_NUMPAD0 = 96;

// Keys whose code does not depend on the keyboard layout or Num Lock. The main-row digits are
// digits on every layout, whatever their symbols (AZERTY's 6 key has '-').
constexpr std::array<std::pair<SDL_Scancode, std::uint32_t>, 53> FixedKeys{{
    {SDL_SCANCODE_BACKSPACE, 8},
    {SDL_SCANCODE_TAB, 9},
    {SDL_SCANCODE_RETURN, 13},
    {SDL_SCANCODE_KP_ENTER, 13},
    {SDL_SCANCODE_LSHIFT, 16},
    {SDL_SCANCODE_RSHIFT, 16},
    {SDL_SCANCODE_LCTRL, 17},
    {SDL_SCANCODE_RCTRL, 17},
    {SDL_SCANCODE_PAUSE, 19},
    {SDL_SCANCODE_CAPSLOCK, 20},
    {SDL_SCANCODE_ESCAPE, 27},
    {SDL_SCANCODE_SPACE, 32},
    {SDL_SCANCODE_PAGEUP, 33},
    {SDL_SCANCODE_PAGEDOWN, 34},
    {SDL_SCANCODE_END, 35},
    {SDL_SCANCODE_HOME, 36},
    {SDL_SCANCODE_LEFT, 37},
    {SDL_SCANCODE_UP, 38},
    {SDL_SCANCODE_RIGHT, 39},
    {SDL_SCANCODE_DOWN, 40},
    {SDL_SCANCODE_PRINTSCREEN, 44},
    {SDL_SCANCODE_INSERT, 45},
    {SDL_SCANCODE_DELETE, 46},
    {SDL_SCANCODE_1, 49},
    {SDL_SCANCODE_2, 50},
    {SDL_SCANCODE_3, 51},
    {SDL_SCANCODE_4, 52},
    {SDL_SCANCODE_5, 53},
    {SDL_SCANCODE_6, 54},
    {SDL_SCANCODE_7, 55},
    {SDL_SCANCODE_8, 56},
    {SDL_SCANCODE_9, 57},
    {SDL_SCANCODE_0, 48},
    {SDL_SCANCODE_LGUI, 91},
    {SDL_SCANCODE_RGUI, 92},
    {SDL_SCANCODE_APPLICATION, 93},
    {SDL_SCANCODE_KP_MULTIPLY, 106},
    {SDL_SCANCODE_KP_PLUS, 107},
    {SDL_SCANCODE_KP_MINUS, 109},
    {SDL_SCANCODE_KP_DIVIDE, 111},
    {SDL_SCANCODE_F1, 112},
    {SDL_SCANCODE_F2, 113},
    {SDL_SCANCODE_F3, 114},
    {SDL_SCANCODE_F4, 115},
    {SDL_SCANCODE_F5, 116},
    {SDL_SCANCODE_F6, 117},
    {SDL_SCANCODE_F7, 118},
    {SDL_SCANCODE_F8, 119},
    {SDL_SCANCODE_F9, 120},
    {SDL_SCANCODE_F11, 122},
    {SDL_SCANCODE_F12, 123},
    {SDL_SCANCODE_NUMLOCKCLEAR, 144},
    {SDL_SCANCODE_SCROLLLOCK, 145},
}};

// Punctuation by meaning: a comma is 188 on every layout, each sign the code of its US key.
constexpr std::array<std::pair<SDL_Keycode, std::uint32_t>, 12> PunctuationKeys{{
    {SDLK_SEMICOLON, 186},
    {SDLK_EQUALS, 187},
    {SDLK_PLUS, 187},
    {SDLK_COMMA, 188},
    {SDLK_MINUS, 189},
    {SDLK_PERIOD, 190},
    {SDLK_SLASH, 191},
    {SDLK_BACKQUOTE, 192},
    {SDLK_LEFTBRACKET, 219},
    {SDLK_BACKSLASH, 220},
    {SDLK_RIGHTBRACKET, 221},
    {SDLK_QUOTE, 222},
}};

// The other punctuation keys (German ü, French ù) keep the code of their US position.
constexpr std::array<std::pair<SDL_Scancode, std::uint32_t>, 12> PunctuationPositions{{
    {SDL_SCANCODE_SEMICOLON, 186},
    {SDL_SCANCODE_EQUALS, 187},
    {SDL_SCANCODE_COMMA, 188},
    {SDL_SCANCODE_MINUS, 189},
    {SDL_SCANCODE_PERIOD, 190},
    {SDL_SCANCODE_SLASH, 191},
    {SDL_SCANCODE_GRAVE, 192},
    {SDL_SCANCODE_LEFTBRACKET, 219},
    {SDL_SCANCODE_BACKSLASH, 220},
    {SDL_SCANCODE_RIGHTBRACKET, 221},
    {SDL_SCANCODE_APOSTROPHE, 222},
    {SDL_SCANCODE_NONUSBACKSLASH, 226},
}};

// Keypad 1..9, 0 and the decimal point: digits with Num Lock on, the navigation keys
// printed on them with Num Lock off.
struct KeypadKey {
    SDL_Scancode scancode;
    std::uint32_t numLockOn;
    std::uint32_t numLockOff;
};
constexpr std::array<KeypadKey, 11> KeypadKeys{{
    {SDL_SCANCODE_KP_1, VK_NUMPAD0 + 1, 35},
    {SDL_SCANCODE_KP_2, VK_NUMPAD0 + 2, 40},
    {SDL_SCANCODE_KP_3, VK_NUMPAD0 + 3, 34},
    {SDL_SCANCODE_KP_4, VK_NUMPAD0 + 4, 37},
    {SDL_SCANCODE_KP_5, VK_NUMPAD0 + 5, VK_CLEAR},
    {SDL_SCANCODE_KP_6, VK_NUMPAD0 + 6, 39},
    {SDL_SCANCODE_KP_7, VK_NUMPAD0 + 7, 36},
    {SDL_SCANCODE_KP_8, VK_NUMPAD0 + 8, 38},
    {SDL_SCANCODE_KP_9, VK_NUMPAD0 + 9, 33},
    {SDL_SCANCODE_KP_0, VK_NUMPAD0, 45},
    {SDL_SCANCODE_KP_PERIOD, 110, 46},
}};

template <typename Key, std::size_t N>
std::uint32_t Lookup(const std::array<std::pair<Key, std::uint32_t>, N>& table, Key key) {
    const auto found = std::find_if(table.begin(), table.end(),
                                    [key](const auto& entry) { return entry.first == key; });
    return found == table.end() ? 0 : found->second;
}

std::uint32_t KeypadCode(const SDL_Keysym& keysym) {
    const bool numLock = (keysym.mod & KMOD_NUM) != 0;
    for (const KeypadKey& key : KeypadKeys) {
        if (key.scancode == keysym.scancode) {
            return numLock ? key.numLockOn : key.numLockOff;
        }
    }
    return 0;
}

} // namespace

bool IsSystemKey(const SDL_Keysym& keysym) {
    return (keysym.mod & KMOD_ALT) != 0 || keysym.scancode == SDL_SCANCODE_F10 ||
           keysym.scancode == SDL_SCANCODE_LALT || keysym.scancode == SDL_SCANCODE_RALT;
}

// Plus and minus by meaning, wherever the layout puts them; '=' is the US plus key unshifted.
WindowKey WindowKeyOf(const SDL_Keysym& keysym) {
    if ((keysym.mod & KMOD_ALT) == 0) {
        const bool plain = (keysym.mod & (KMOD_CTRL | KMOD_GUI)) == 0;
        return plain && VirtualKey(keysym) == 'M' ? WindowKey::Mute : WindowKey::None;
    }
    switch (keysym.sym) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return WindowKey::FullScreen;
    case SDLK_PLUS:
    case SDLK_EQUALS:
    case SDLK_KP_PLUS:
        return WindowKey::Bigger;
    case SDLK_MINUS:
    case SDLK_KP_MINUS:
        return WindowKey::Smaller;
    default:
        return WindowKey::None;
    }
}

// As Windows: letters by the layout (the key printed A gives 'A' on AZERTY too), positional
// keys by position, punctuation by meaning; a non-Latin letter key gives its US letter.
std::uint32_t VirtualKey(const SDL_Keysym& keysym) {
    if (keysym.sym >= SDLK_a && keysym.sym <= SDLK_z) {
        return static_cast<std::uint32_t>(keysym.sym - SDLK_a) + 'A';
    }
    if (const std::uint32_t code = Lookup(FixedKeys, keysym.scancode)) {
        return code;
    }
    if (const std::uint32_t code = KeypadCode(keysym)) {
        return code;
    }
    if (const std::uint32_t code = Lookup(PunctuationKeys, keysym.sym)) {
        return code;
    }
    if (keysym.scancode >= SDL_SCANCODE_A && keysym.scancode <= SDL_SCANCODE_Z) {
        return static_cast<std::uint32_t>(keysym.scancode - SDL_SCANCODE_A) + 'A';
    }
    return Lookup(PunctuationPositions, keysym.scancode);
}

} // namespace Wimdows
