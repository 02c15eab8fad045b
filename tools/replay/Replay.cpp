#include "tools/replay/Replay.hpp"

#include "game/Meandor.hpp"
#include "support/GeneralLib.hpp"
#include "support/StandardLib.hpp"
#include "wimdows/Wimdows.hpp"
#include "wimdows/WimdowsTesting.hpp"

#include <SDL.h>
#include <array>
#include <functional>
#include <optional>
#include <sstream>
#include <string_view>
#include <utility>

namespace Replay {
namespace {

using Meandor::Moment;

constexpr std::uint32_t HundredthsPerHour = 360000;

// A time of day in hundredths; from 24:00:00.00 on the hours simply go on counting, so that
// a deadline past midnight can be asked about as it stands.
GeneralLib::TimeOfDay TimeOfDayOf(std::uint64_t hundredths) {
    return {static_cast<std::uint32_t>(hundredths / HundredthsPerHour),
            static_cast<std::uint32_t>(hundredths / 6000 % 60),
            static_cast<std::uint32_t>(hundredths / 100 % 60),
            static_cast<std::uint32_t>(hundredths % 100)};
}

constexpr std::array<std::pair<std::uint32_t, SDL_Scancode>, 8> NamedScancodes{{
    {Wimdows::KEY_ENTER, SDL_SCANCODE_RETURN},
    {Wimdows::KEY_ESCAPE, SDL_SCANCODE_ESCAPE},
    {Wimdows::KEY_SPACE, SDL_SCANCODE_SPACE},
    {Wimdows::KEY_LEFT, SDL_SCANCODE_LEFT},
    {Wimdows::KEY_UP, SDL_SCANCODE_UP},
    {Wimdows::KEY_RIGHT, SDL_SCANCODE_RIGHT},
    {Wimdows::KEY_DOWN, SDL_SCANCODE_DOWN},
    {'0', SDL_SCANCODE_0},
}};

// The key a script names (its parser admits no others) as SDL reports it.
SDL_Keysym Keysym(std::uint32_t code) {
    SDL_Keysym keysym{};
    if (code >= 'A' && code <= 'Z') {
        keysym.scancode = static_cast<SDL_Scancode>(SDL_SCANCODE_A + (code - 'A'));
        keysym.sym = static_cast<SDL_Keycode>(SDLK_a + (code - 'A'));
        return keysym;
    }
    if (code >= '1' && code <= '9') {
        keysym.scancode = static_cast<SDL_Scancode>(SDL_SCANCODE_1 + (code - '1'));
    }
    for (const auto& [named, scancode] : NamedScancodes) {
        if (named == code) {
            keysym.scancode = scancode;
        }
    }
    keysym.sym = SDL_SCANCODE_TO_KEYCODE(keysym.scancode);
    return keysym;
}

// Events go in as a person's would, through SDL's queue to the window thread; each is handled
// before the game goes on, so a replay does not depend on how fast that thread runs.
void Push(SDL_Event& event) {
    SDL_PushEvent(&event);
    Wimdows::Testing::WaitUntilHandled();
}

void Key(std::uint32_t type, std::uint32_t code) {
    SDL_Event event{};
    event.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym = Keysym(code);
    Push(event);
}

void CloseBox() {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = SDL_WINDOWEVENT_CLOSE;
    Push(event);
}

void Do(const Action& action) {
    switch (action.type) {
    case Action::Type::Down:
        Key(SDL_KEYDOWN, action.key);
        break;
    case Action::Type::Up:
        Key(SDL_KEYUP, action.key);
        break;
    case Action::Type::Press:
        Key(SDL_KEYDOWN, action.key);
        Key(SDL_KEYUP, action.key);
        break;
    case Action::Type::Close:
        CloseBox();
        break;
    }
}

std::string_view KindName(Kind kind) {
    return kind == Kind::Pass ? "pass" : "wait";
}

class Player {
  public:
    Player(const Script& script, std::ostream& out)
        : played(script), log(out), clock(script.start) {}

    void operator()(Moment moment) {
        ++moments;
        NoteTick(moment);
        if (!cut) {
            Act(moment == Moment::Ronde ? Kind::Pass : Kind::Wait);
        }
    }

    std::uint64_t Now() const { return probe ? *probe : clock % HundredthsPerDay; }

    void End() {
        std::uint64_t left = 0;
        for (std::size_t i = nextStep; i < played.steps.size(); ++i) {
            left += played.steps[i].count;
        }
        log << "end " << (cut ? "cut" : "finished") << " moment " << moments << " clock "
            << ClockText(static_cast<std::uint32_t>(clock % HundredthsPerDay)) << " left "
            << left - doneOfStep << ' ' << StateText() << '\n';
    }

  private:
    // Timer 0 is re-armed by every tick of the game timer, and nothing else re-arms it during
    // play; the game started it just before its first pass. Its deadline is found out by asking
    // the timer about two instants with the clock stopped: only an unchanged deadline D is
    // reached at D and not at D - 1 (a deadline re-armed past midnight reads as reached at both).
    void NoteTick(Moment moment) {
        const std::uint32_t timeOfDay = static_cast<std::uint32_t>(clock % HundredthsPerDay);
        if (!deadline) {
            if (moment == Moment::Ronde) {
                deadline = timeOfDay + played.speed;
            }
            return;
        }
        if (ReachedAt(*deadline) && !ReachedAt(*deadline - 1)) {
            return;
        }
        deadline = timeOfDay + played.speed;
        ++ticks;
        log << "tick " << ticks << " moment " << moments << " clock " << ClockText(timeOfDay) << ' '
            << StateText() << '\n';
        // Written as it happens, so that a watcher can follow a game played in a real window.
        log.flush();
    }

    bool ReachedAt(std::uint64_t instant) {
        probe = instant;
        const bool reached = GeneralLib::TimerReached(0);
        probe.reset();
        return reached;
    }

    void Act(Kind kind) {
        if (nextStep == played.steps.size()) {
            // The pass after which a game that ended itself stops needs nothing more from the
            // script, so running out there is no cut.
            if (kind == Kind::Wait || !Meandor::einde) {
                Cut();
            }
            return;
        }
        const Step& step = played.steps[nextStep];
        if (step.kind != kind) {
            log << "desync line " << step.line << ": the script has a " << KindName(step.kind)
                << ", the game a " << KindName(kind) << '\n';
            Cut();
            return;
        }
        clock += step.advance;
        for (const Action& action : step.actions) {
            Do(action);
        }
        if (++doneOfStep == step.count) {
            ++nextStep;
            doneOfStep = 0;
        }
    }

    void Cut() {
        cut = true;
        CloseBox();
    }

    const Script& played;
    std::ostream& log;
    std::uint64_t clock;
    std::optional<std::uint64_t> probe;
    std::optional<std::uint64_t> deadline;
    std::uint64_t moments = 0;
    std::uint64_t ticks = 0;
    std::size_t nextStep = 0;
    std::uint32_t doneOfStep = 0;
    bool cut = false;
};

// The player on the game's two seams for as long as it lives, also when a maze file that
// cannot be read ends the game with an exception.
class Hooks {
  public:
    explicit Hooks(Player& player) {
        GeneralLib::SetClock([&player] { return TimeOfDayOf(player.Now()); });
        Meandor::SetWaarnemer(std::ref(player));
    }
    ~Hooks() {
        Meandor::SetWaarnemer({});
        GeneralLib::SetClock({});
    }
    Hooks(const Hooks&) = delete;
    Hooks& operator=(const Hooks&) = delete;
};

void Cell(std::ostream& out, std::uint32_t x, std::uint32_t y) {
    out << x << ',' << y;
}

// A bonus item's cell, and whether the item lies there now.
void Item(std::ostream& out, std::uint32_t x, std::uint32_t y, const Meandor::VlagGrid& grid) {
    Cell(out, x, y);
    out << (Meandor::InDoolhof(x, y) && grid[x][y] ? " on" : " off");
}

} // namespace

void SendKey(std::uint32_t code, bool down) {
    Key(down ? SDL_KEYDOWN : SDL_KEYUP, code);
}

void Play(const Script& script, std::ostream& out) {
    Player player(script, out);
    const Hooks hooks(player);
    Meandor::Spel(script.speed);
    player.End();
}

std::string StateText() {
    using namespace Meandor;
    std::ostringstream out;
    out << "level " << level << " zorp ";
    Cell(out, zorpX, zorpY);
    out << " levens " << levens << " friet " << frietCount << " countLoop " << countLoop
        << " vlag ";
    Item(out, XVlag, YVlag, vlagArr);
    out << " hamburger ";
    Item(out, XCheat, YCheat, cheatArr);
    out << " strikjes";
    for (std::uint32_t i = 1; i <= MaxStrikjes; ++i) {
        if (strikArr[i]) {
            out << ' ';
            Cell(out, PixelNaarCel(strikXArr[i]), PixelNaarCel(strikYArr[i]));
        }
    }
    out << " seed " << StandardLib::Seed();
    return out.str();
}

} // namespace Replay
