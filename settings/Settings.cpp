#include "settings/Settings.hpp"

#include "settings/AtomicFile.hpp"
#include "support/Program.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstddef>
#include <cstdio>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

namespace Settings {
namespace {

// A settings file is a few hundred bytes; more is not the player's doing, and is not all read.
constexpr std::size_t ReadLimit = 64 * 1024;
// Where a fresh file's comments start, so they line up.
constexpr std::size_t CommentColumn = 28;
constexpr std::string_view Header = "# Meandor's settings. Edit while the game is not running; "
                                    "the game rewrites this file when a\n"
                                    "# setting changes in play.\n";

std::string Complaint(const std::filesystem::path& file, const std::string& what) {
    return Program::Name() + ": " + file.string() + ": " + what;
}

// The first problem in full, and how many more.
class Problems {
  public:
    void Add(std::string what) {
        if (count++ == 0) {
            first = std::move(what);
        }
    }

    std::string Line(const std::filesystem::path& file) const {
        if (count == 0) {
            return {};
        }
        std::string line = Complaint(file, first);
        if (count > 1) {
            line += " (and " + std::to_string(count - 1) + " more)";
        }
        return line;
    }

  private:
    std::string first;
    int count = 0;
};

std::string_view Trim(std::string_view text) {
    const std::size_t start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos) {
        return text.substr(text.size());
    }
    return text.substr(start, text.find_last_not_of(" \t") - start + 1);
}

// The lines of `text` without their line ends; a last line without one counts too.
std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        lines.push_back(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return lines;
}

// Text from the file for a message: short, and nothing that would upset a terminal.
std::string Quote(std::string_view text) {
    constexpr std::size_t Shown = 40;
    std::string quoted = "\"";
    for (const char c : text.substr(0, Shown)) {
        const auto byte = static_cast<unsigned char>(c);
        quoted += byte < ' ' || byte == 0x7F ? '?' : c;
    }
    return quoted + (text.size() > Shown ? "...\"" : "\"");
}

std::optional<bool> Flag(std::string_view text) {
    std::string word(text);
    std::ranges::transform(word, word.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const std::string_view yes : {"yes", "true", "on", "1"}) {
        if (word == yes) {
            return true;
        }
    }
    for (const std::string_view no : {"no", "false", "off", "0"}) {
        if (word == no) {
            return false;
        }
    }
    return std::nullopt;
}

struct Whole {
    std::uint32_t value;
    bool clamped;
};

// A whole number brought within low..high; none when `text` is not one.
std::optional<Whole> Number(std::string_view text, std::uint32_t low, std::uint32_t high) {
    std::int64_t number = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    if (stop != end || error == std::errc::invalid_argument) {
        return std::nullopt;
    }
    if (error == std::errc::result_out_of_range) {
        number = text.starts_with('-') ? -1 : std::int64_t{high} + 1;
    }
    const auto value =
        static_cast<std::uint32_t>(std::clamp(number, std::int64_t{low}, std::int64_t{high}));
    return Whole{value, value != number};
}

std::string ReadFlag(std::string_view text, bool& flag) {
    const std::optional<bool> read = Flag(text);
    if (!read) {
        return Quote(text) + " is not yes or no";
    }
    flag = *read;
    return {};
}

std::string ReadPercent(std::string_view text, std::uint32_t& percent) {
    const std::optional<Whole> read = Number(text, 0, MaxVolume);
    if (!read) {
        return Quote(text) + " is not a whole number";
    }
    percent = read->value;
    if (read->clamped) {
        return Quote(text) + " is out of 0 to 100, " + std::to_string(percent) + " used";
    }
    return {};
}

std::string ReadSize(std::string_view text, Values& values) {
    const std::size_t x = text.find_first_of("xX");
    const std::optional<Whole> width = Number(Trim(text.substr(0, x)), 1, MaxWindowSide);
    const std::optional<Whole> height = x == std::string_view::npos
                                            ? std::nullopt
                                            : Number(Trim(text.substr(x + 1)), 1, MaxWindowSide);
    if (!width || !height) {
        return Quote(text) + " is not WIDTHxHEIGHT";
    }
    values.windowWidth = width->value;
    values.windowHeight = height->value;
    if (width->clamped || height->clamped) {
        return Quote(text) + " is out of 1x1 to 16384x16384, " + std::to_string(width->value) +
               "x" + std::to_string(height->value) + " used";
    }
    return {};
}

std::string ShowFlag(bool flag) {
    return flag ? "yes" : "no";
}

struct Key {
    std::string_view name;
    // After the line in a fresh file.
    std::string_view comment;
    // Sets the value from `text`; what was wrong with it, empty when nothing.
    std::string (*read)(std::string_view text, Values& values);
    std::string (*show)(const Values& values);
};

// In the order of a fresh file.
constexpr std::array<Key, 6> Keys{{
    {"full-screen", "yes or no",
     [](std::string_view text, Values& values) { return ReadFlag(text, values.fullScreen); },
     [](const Values& values) { return ShowFlag(values.fullScreen); }},
    {"window-size", "the window's inside, WIDTHxHEIGHT pixels", ReadSize,
     [](const Values& values) {
         return std::to_string(values.windowWidth) + "x" + std::to_string(values.windowHeight);
     }},
    {"music-volume", "percent, 0 to 100",
     [](std::string_view text, Values& values) { return ReadPercent(text, values.musicVolume); },
     [](const Values& values) { return std::to_string(values.musicVolume); }},
    {"effects-volume", "percent, 0 to 100",
     [](std::string_view text, Values& values) { return ReadPercent(text, values.effectsVolume); },
     [](const Values& values) { return std::to_string(values.effectsVolume); }},
    {"mute", "", [](std::string_view text, Values& values) { return ReadFlag(text, values.mute); },
     [](const Values& values) { return ShowFlag(values.mute); }},
    {"pause-when-away", "",
     [](std::string_view text, Values& values) { return ReadFlag(text, values.pauseWhenAway); },
     [](const Values& values) { return ShowFlag(values.pauseWhenAway); }},
}};

std::optional<std::size_t> Find(std::string_view name) {
    const auto key = std::ranges::find(Keys, name, &Key::name);
    if (key == Keys.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(key - Keys.begin());
}

// A line's `name = value` without the spaces around them; a `#` starts a comment anywhere.
struct Setting {
    std::string_view name;
    std::string_view value;
    bool assigned;
};

std::optional<Setting> Split(std::string_view line) {
    if (line.ends_with('\r')) {
        line.remove_suffix(1);
    }
    const std::string_view content = Trim(line.substr(0, line.find('#')));
    if (content.empty()) {
        return std::nullopt;
    }
    const std::size_t equals = content.find('=');
    if (equals == std::string_view::npos) {
        return Setting{content, {}, false};
    }
    return Setting{Trim(content.substr(0, equals)), Trim(content.substr(equals + 1)), true};
}

// Each key's first line counts, so that it is the one a rewrite changes.
void Parse(std::string_view text, Values& values, Problems& problems) {
    std::array<std::size_t, Keys.size()> seenOn{};
    const std::vector<std::string_view> lines = Lines(text);
    for (std::size_t number = 1; number <= lines.size(); ++number) {
        const std::optional<Setting> setting = Split(lines[number - 1]);
        if (!setting) {
            continue;
        }
        const std::string at = "line " + std::to_string(number) + ": ";
        if (!setting->assigned) {
            problems.Add(at + Quote(setting->name) + " is not NAME = VALUE");
            continue;
        }
        const std::optional<std::size_t> key = Find(setting->name);
        if (!key) {
            problems.Add(at + "no setting is called " + Quote(setting->name));
            continue;
        }
        const std::string_view name = Keys[*key].name;
        if (seenOn[*key] != 0) {
            problems.Add(at + std::string(name) + " is on line " + std::to_string(seenOn[*key]) +
                         " already");
            continue;
        }
        seenOn[*key] = number;
        if (const std::string problem = Keys[*key].read(setting->value, values); !problem.empty()) {
            problems.Add(at + std::string(name) + ": " + problem);
        }
    }
}

// `line` with `value`, a part of it, replaced by `text`; a comment after it keeps its column
// where there is room.
std::string Replace(std::string_view line, std::string_view value, const std::string& text) {
    const auto at = static_cast<std::size_t>(value.data() - line.data());
    std::string_view rest = line.substr(at + value.size());
    std::string replaced = std::string(line.substr(0, at)) + text;
    const std::size_t spaces = rest.find_first_not_of(' ');
    if (spaces != 0 && spaces != std::string_view::npos && rest[spaces] == '#') {
        const std::size_t width = spaces + value.size();
        replaced.append(width > text.size() ? width - text.size() : 1, ' ');
        rest.remove_prefix(spaces);
    }
    return replaced + std::string(rest);
}

std::string FreshLine(const Key& key, const Values& values) {
    std::string line = std::string(key.name) + " = " + key.show(values);
    if (!key.comment.empty()) {
        line.resize(std::max(line.size() + 1, CommentColumn), ' ');
        line += "# " + std::string(key.comment);
    }
    return line + '\n';
}

// The player's lines as they were but for each key's first line, which gets the value; keys
// not there are added at the end.
std::string Rewrite(std::string_view text, const Values& values) {
    std::string out = text.empty() ? std::string(Header) : std::string();
    std::array<bool, Keys.size()> done{};
    for (const std::string_view line : Lines(text)) {
        const std::optional<Setting> setting = Split(line);
        const std::optional<std::size_t> key =
            setting && setting->assigned ? Find(setting->name) : std::nullopt;
        if (key && !std::exchange(done[*key], true)) {
            out += Replace(line, setting->value, Keys[*key].show(values));
        } else {
            out += line;
        }
        out += '\n';
    }
    for (std::size_t key = 0; key < Keys.size(); ++key) {
        if (!done[key]) {
            out += FreshLine(Keys[key], values);
        }
    }
    return out;
}

// A settings file linked from elsewhere, as from a folder of dotfiles, stays a link: the file it
// names is the one replaced.
std::filesystem::path Followed(const std::filesystem::path& link) {
    std::error_code error;
    std::filesystem::path target = std::filesystem::weakly_canonical(link, error);
    return error ? link : target;
}

// Replaces `file` with one holding `values`, all at once. What went wrong, empty when nothing.
std::string Save(const std::filesystem::path& link, const Values& values) {
    const std::filesystem::path file = Followed(link);
    const SmallFile old = ReadSmallFile(file, ReadLimit);
    if (old.error && !old.missing) {
        return old.error.message();
    }
    if (old.cut) {
        return "longer than 64 KiB, left as it is";
    }
    return ReplaceFile(file, Rewrite(old.text, values), old.mode);
}

} // namespace

Loaded Load(const std::filesystem::path& file) {
    Loaded loaded;
    SmallFile contents = ReadSmallFile(file, ReadLimit);
    if (contents.error) {
        if (!contents.missing) {
            loaded.problem = Complaint(file, contents.error.message());
        }
        return loaded;
    }
    Problems problems;
    if (contents.cut) {
        contents.text.erase(contents.text.rfind('\n') + 1);
    }
    Parse(contents.text, loaded.values, problems);
    if (contents.cut) {
        problems.Add("longer than 64 KiB, the rest was left out");
    }
    loaded.problem = problems.Line(file);
    return loaded;
}

Keeper::Keeper(std::filesystem::path settingsFile, Values loaded)
    : file(std::move(settingsFile)), values(loaded), saved(loaded) {}

Keeper::~Keeper() {
    {
        const std::lock_guard lock(mutex);
        stopping = true;
    }
    wake.notify_one();
    if (writer.joinable()) {
        writer.join();
    }
}

Values Keeper::Get() const {
    const std::lock_guard lock(mutex);
    return values;
}

void Keeper::Change(const std::function<void(Values&)>& change) {
    const std::lock_guard lock(mutex);
    change(values);
    // While a write is on, the file is about to hold other values than `saved`.
    if (file.empty() || (values == saved && !writing)) {
        return;
    }
    if (!writer.joinable()) {
        writer = std::thread(&Keeper::Write, this);
    }
    pending = true;
    wake.notify_one();
}

void Keeper::Flush() {
    std::unique_lock lock(mutex);
    idle.wait(lock, [this] { return !pending && !writing; });
}

void Keeper::Write() {
    std::unique_lock lock(mutex);
    while (true) {
        wake.wait(lock, [this] { return pending || stopping; });
        if (!pending) {
            return;
        }
        pending = false;
        const Values next = values;
        if (next != saved) {
            writing = true;
            lock.unlock();
            const std::string error = Save(file, next);
            if (!error.empty() && !std::exchange(complained, true)) {
                std::fprintf(stderr, "%s\n", Complaint(file, error).c_str());
            }
            lock.lock();
            writing = false;
            if (error.empty()) {
                saved = next;
            }
        }
        idle.notify_all();
    }
}

} // namespace Settings
