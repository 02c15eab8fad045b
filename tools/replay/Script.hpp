#pragma once

#include <cstdint>
#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

// A replay script: the difficulty, the time of day the game starts at, and what happens at
// each moment the game gives the script (the end of a pass of the loop, or one poll of a wait).
namespace Replay {

// A mistake in a script: what() is "<name>:<line>: <what is wrong>".
class ScriptError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

enum class Kind { Pass, Wait };

struct Action {
    enum class Type { Down, Up, Press, Close };
    Type type = Type::Press;
    std::uint32_t key = 0; // Windows key code; unused for Close
    friend bool operator==(const Action&, const Action&) = default;
};

// One line: `count` moments in a row of the same kind, at each of which the clock moves
// `advance` hundredths of a second and then the actions happen in order.
struct Step {
    Kind kind = Kind::Pass;
    std::uint32_t count = 1;
    std::uint32_t advance = 0;
    std::vector<Action> actions;
    int line = 0;
};

constexpr std::uint32_t HundredthsPerDay = 24U * 60U * 60U * 100U;

struct Script {
    std::uint32_t speed = 0; // the game's Speed: 100 easy, 75 medium, 55 hard
    std::uint32_t start = 0; // hundredths of a second since midnight
    std::vector<Step> steps;
};

// Reads a whole script; `name` only labels errors. Throws ScriptError.
Script ParseScript(std::istream& in, const std::string& name);

// "Left", "Enter", "P" ... as written in scripts, or "#<code>" for a code without a name.
std::string KeyName(std::uint32_t key);

// hh:mm:ss.cc
std::string ClockText(std::uint32_t hundredths);

} // namespace Replay
