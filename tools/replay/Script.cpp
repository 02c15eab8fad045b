#include "tools/replay/Script.hpp"

#include "game/GameState.hpp"
#include "wimdows/Wimdows.hpp"

#include <array>
#include <charconv>
#include <optional>
#include <sstream>
#include <string_view>
#include <utility>

namespace Replay {
namespace {

constexpr std::array<std::pair<std::string_view, std::uint32_t>, 7> NamedKeys{{
    {"Enter", Wimdows::KEY_ENTER},
    {"Escape", Wimdows::KEY_ESCAPE},
    {"Space", Wimdows::KEY_SPACE},
    {"Left", Wimdows::KEY_LEFT},
    {"Up", Wimdows::KEY_UP},
    {"Right", Wimdows::KEY_RIGHT},
    {"Down", Wimdows::KEY_DOWN},
}};

// Largest repeat count and clock step a line may give: a day's worth of moments, a day.
constexpr std::uint32_t MaxCount = HundredthsPerDay;
constexpr std::uint32_t MaxAdvance = HundredthsPerDay;

class Reader {
  public:
    Reader(std::string name, int line) : fileName(std::move(name)), lineNumber(line) {}

    [[noreturn]] void Fail(const std::string& what) const {
        throw ScriptError(fileName + ":" + std::to_string(lineNumber) + ": " + what);
    }

    std::uint32_t Number(std::string_view text, std::uint32_t max, const char* what) const {
        std::uint32_t value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (text.empty() || error != std::errc{} || end != text.data() + text.size() ||
            value > max) {
            Fail(std::string("bad ") + what + " '" + std::string(text) + "' (0 to " +
                 std::to_string(max) + ")");
        }
        return value;
    }

    std::uint32_t Key(std::string_view word) const {
        for (const auto& [name, code] : NamedKeys) {
            if (word == name) {
                return code;
            }
        }
        if (word.size() == 1 && word[0] >= 'A' && word[0] <= 'Z') {
            return static_cast<std::uint32_t>(word[0]);
        }
        if (word.size() == 1 && word[0] >= '0' && word[0] <= '9') {
            return static_cast<std::uint32_t>(word[0]);
        }
        Fail("unknown key '" + std::string(word) +
             "' (Left, Right, Up, Down, Enter, Escape, Space, A to Z, 0 to 9)");
    }

    std::uint32_t Difficulty(std::string_view word) const {
        for (const auto& [name, speed] : Meandor::moeilijkheden) {
            if (word == name) {
                return speed;
            }
        }
        Fail("unknown difficulty '" + std::string(word) + "' (easy, medium or hard)");
    }

    // hh:mm:ss.cc
    std::uint32_t Clock(std::string_view text) const {
        if (text.size() != 11 || text[2] != ':' || text[5] != ':' || text[8] != '.') {
            Fail("bad time of day '" + std::string(text) + "' (hh:mm:ss.cc)");
        }
        const std::uint32_t hours = Number(text.substr(0, 2), 23, "hour");
        const std::uint32_t minutes = Number(text.substr(3, 2), 59, "minute");
        const std::uint32_t seconds = Number(text.substr(6, 2), 59, "second");
        const std::uint32_t hundredths = Number(text.substr(9, 2), 99, "hundredth");
        return ((hours * 60 + minutes) * 60 + seconds) * 100 + hundredths;
    }

  private:
    std::string fileName;
    int lineNumber;
};

std::vector<std::string_view> Words(std::string_view line) {
    if (const auto hash = line.find('#'); hash != std::string_view::npos) {
        line = line.substr(0, hash);
    }
    std::vector<std::string_view> words;
    constexpr std::string_view Blanks = " \t\r";
    for (std::size_t at = line.find_first_not_of(Blanks); at != std::string_view::npos;) {
        const std::size_t end = std::min(line.find_first_of(Blanks, at), line.size());
        words.push_back(line.substr(at, end - at));
        at = line.find_first_not_of(Blanks, end);
    }
    return words;
}

Step ReadStep(const Reader& reader, const std::vector<std::string_view>& words, int line) {
    Step step;
    step.line = line;
    step.kind = words[0] == "pass" ? Kind::Pass : Kind::Wait;
    std::size_t at = 1;
    if (at < words.size() && words[at].starts_with('x')) {
        step.count = reader.Number(words[at].substr(1), MaxCount, "repeat count");
        if (step.count == 0) {
            reader.Fail("a repeat count is at least 1");
        }
        ++at;
    }
    if (at < words.size() && words[at].starts_with('+')) {
        step.advance = reader.Number(words[at].substr(1), MaxAdvance, "clock step");
        ++at;
    }
    while (at < words.size()) {
        const std::string_view verb = words[at++];
        if (verb == "close") {
            step.actions.push_back({Action::Type::Close, 0});
            continue;
        }
        Action action;
        if (verb == "down") {
            action.type = Action::Type::Down;
        } else if (verb == "up") {
            action.type = Action::Type::Up;
        } else if (verb == "press") {
            action.type = Action::Type::Press;
        } else {
            reader.Fail("unknown action '" + std::string(verb) +
                        "' (down KEY, up KEY, press KEY or close)");
        }
        if (at == words.size()) {
            reader.Fail("'" + std::string(verb) + "' needs a key");
        }
        action.key = reader.Key(words[at++]);
        step.actions.push_back(action);
    }
    return step;
}

} // namespace

Script ParseScript(std::istream& in, const std::string& name) {
    Script script;
    std::optional<std::uint32_t> speed;
    std::optional<std::uint32_t> start;
    std::string text;
    int line = 0;
    while (std::getline(in, text)) {
        ++line;
        const Reader reader(name, line);
        const std::vector<std::string_view> words = Words(text);
        if (words.empty()) {
            continue;
        }
        const std::string_view head = words[0];
        if (head == "difficulty" || head == "start") {
            if (!script.steps.empty()) {
                reader.Fail("'" + std::string(head) + "' belongs before the first moment");
            }
            if (words.size() != 2) {
                reader.Fail("'" + std::string(head) + "' takes one value");
            }
            std::optional<std::uint32_t>& value = head == "difficulty" ? speed : start;
            if (value) {
                reader.Fail("'" + std::string(head) + "' is given twice");
            }
            value = head == "difficulty" ? reader.Difficulty(words[1]) : reader.Clock(words[1]);
            continue;
        }
        if (head != "pass" && head != "wait") {
            reader.Fail("unknown line '" + std::string(head) +
                        "' (difficulty, start, pass or wait)");
        }
        if (!speed || !start) {
            reader.Fail("'difficulty' and 'start' come before the first moment");
        }
        script.steps.push_back(ReadStep(reader, words, line));
    }
    if (in.bad()) {
        throw ScriptError(name + ": cannot be read");
    }
    if (!speed || !start) {
        throw ScriptError(name + ": no 'difficulty' or no 'start' line");
    }
    script.speed = *speed;
    script.start = *start;
    return script;
}

std::string KeyName(std::uint32_t key) {
    for (const auto& [name, code] : NamedKeys) {
        if (code == key) {
            return std::string(name);
        }
    }
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) {
        return std::string(1, static_cast<char>(key));
    }
    std::string name = "#";
    name += std::to_string(key);
    return name;
}

std::string ClockText(std::uint32_t hundredths) {
    hundredths %= HundredthsPerDay;
    std::array<char, 12> text{};
    const auto two = [&text](std::size_t at, std::uint32_t value) {
        text[at] = static_cast<char>('0' + value / 10);
        text[at + 1] = static_cast<char>('0' + value % 10);
    };
    two(0, hundredths / 360000);
    text[2] = ':';
    two(3, hundredths / 6000 % 60);
    text[5] = ':';
    two(6, hundredths / 100 % 60);
    text[8] = '.';
    two(9, hundredths % 100);
    return std::string(text.data(), 11);
}

} // namespace Replay
