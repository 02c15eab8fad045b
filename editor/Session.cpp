#include "editor/Session.hpp"

#include "editor/Commands.hpp"
#include "editor/Findings.hpp"
#include "editor/Joined.hpp"
#include "editor/MazeView.hpp"
#include "editor/Panel.hpp"
#include "editor/PlayGame.hpp"
#include "game/Assets.hpp"
#include "game/Layout.hpp"
#include "game/Signals.hpp"
#include "wimdows/Wimdows.hpp"

#include <array>
#include <chrono>
#include <thread>

namespace Editor {
namespace {

using namespace std::chrono_literals;
using Kind = Command::Kind;
using Meandor::Levels;

constexpr std::uint32_t KeyCtrl = 17;
constexpr const char* QuestionTitle = "Unsaved changes";

constexpr std::array<const char*, Levels> Provinces{"Limburg", "Oost-Vlaanderen", "West-Vlaanderen",
                                                    "Antwerpen", "Vlaams-Brabant"};

constexpr std::array<const char*, 4> HelpLines{
    "1-4 or a button: the tool. Left button paints, right paints floor.",
    "Arrows move the cursor, Space paints there.",
    "PageUp, PageDown: the level. Ctrl+Z undo, Ctrl+Y or Ctrl+Shift+Z redo.",
    "Ctrl+S saves, F5 plays the level, Escape leaves."};

// What the player says to leaving with unsaved changes.
enum class Answer : std::uint8_t { Save, Discard, Cancel, NotAsked };

class Session {
  public:
    Session(Pack& packIn, bool readOnlyIn) : pack(packIn), readOnly(readOnlyIn) {}

    int Run();

  private:
    void TakeInput();
    void OnKey(std::uint32_t key);
    void OnMouse(const Wimdows::MouseEvent& event);
    void Do(const Command& command);
    void Press(Button button);
    void PaintTo(Meandor::Cel cel);
    void EndStroke();
    void ChangeLevel(int step);
    void Changed();
    bool Save();
    void Play();
    void Leave();
    Answer AskToSave() const;
    void Check();
    void Draw();
    std::vector<PanelLine> Lines() const;
    Marks MarksOf() const;

    Pack& pack;
    bool readOnly;
    std::uint32_t level = 1;
    Tool tool = Tool::Wall;
    Meandor::Cel cursor = Meandor::StartCel;
    bool cursorShown = false;
    std::optional<Tool> strokeTool;
    std::optional<Meandor::Cel> strokeCel;
    std::int32_t pointerX = -1;
    std::int32_t pointerY = -1;
    // Of the last check: whether the game would play the pack, and each level's findings.
    bool playable = true;
    std::array<std::vector<Finding>, Levels> levelFindings;
    std::vector<PanelLine> message;
    // The question could not be asked: a second close leaves without saving.
    bool closeWarned = false;
    bool leaving = false;
    bool dirty = true;
};

int Session::Run() {
    Wimdows::SetAskBeforeClose(true);
    Wimdows::KeepMouseEvents(true);
    Wimdows::Window(EditorTitle, static_cast<std::uint32_t>(EditorWidth),
                    static_cast<std::uint32_t>(Meandor::VensterMaat.hoogte));
    if (!Wimdows::WindowOpen()) {
        return Wimdows::WindowFailed() ? 1 : 0;
    }
    LoadMazeArt();
    LoadPanel();
    Check();
    while (Wimdows::WindowOpen() && !leaving) {
        TakeInput();
        if (Wimdows::CloseAsked()) {
            Leave();
        }
        if (dirty) {
            Draw();
        } else {
            std::this_thread::sleep_for(5ms);
        }
    }
    Wimdows::KillWindow();
    return 0;
}

void Session::TakeInput() {
    for (std::uint32_t key = 0; Wimdows::GetKeyPressed(key);) {
        OnKey(key);
    }
    for (Wimdows::MouseEvent event; Wimdows::GetMouseEvent(event);) {
        OnMouse(event);
    }
}

void Session::OnKey(std::uint32_t key) {
    const bool ctrl = Wimdows::KeyDown(KeyCtrl);
    if (const std::optional<Command> command =
            CommandFor(key, ctrl, Wimdows::KeyDown(Wimdows::KEY_SHIFT))) {
        Do(*command);
    }
}

void Session::OnMouse(const Wimdows::MouseEvent& event) {
    using MouseKind = Wimdows::MouseEvent::Kind;
    if (event.kind == MouseKind::Move &&
        ButtonAt(event.x, event.y) != ButtonAt(pointerX, pointerY)) {
        dirty = true;
    }
    pointerX = event.x;
    pointerY = event.y;
    if (event.kind == MouseKind::Release) {
        EndStroke();
        return;
    }
    const std::optional<Meandor::Cel> cel = CellAt(event.x, event.y);
    if (event.kind == MouseKind::Move) {
        if (strokeTool && cel) {
            PaintTo(*cel);
        }
        return;
    }
    const bool left = event.button == Wimdows::MouseButton::Left;
    if (const std::optional<Button> button = ButtonAt(event.x, event.y); left && button) {
        Press(*button);
        return;
    }
    if (cel) {
        EndStroke();
        strokeTool = left ? tool : Tool::Floor;
        strokeCel = *cel;
        if (pack.PaintCell(level, *cel, *strokeTool)) {
            Changed();
        }
    }
}

// Every cell from the last one of the stroke to `cel`, so a fast drag leaves no gaps.
void Session::PaintTo(Meandor::Cel cel) {
    bool changed = false;
    for (const Meandor::Cel passed : CellsBetween(strokeCel.value_or(cel), cel)) {
        changed = pack.PaintCell(level, passed, *strokeTool) || changed;
    }
    strokeCel = cel;
    if (changed) {
        Changed();
    }
}

void Session::EndStroke() {
    pack.EndStroke();
    strokeTool.reset();
    strokeCel.reset();
}

void Session::Do(const Command& command) {
    EndStroke();
    switch (command.kind) {
    case Kind::PickTool:
        tool = command.tool;
        break;
    case Kind::MoveCursor:
        cursor = Moved(cursor, command.dx, command.dy);
        cursorShown = true;
        break;
    case Kind::PaintAtCursor:
        cursorShown = true;
        if (pack.PaintCell(level, cursor, tool)) {
            pack.EndStroke();
            Changed();
        }
        break;
    case Kind::PreviousLevel:
        ChangeLevel(-1);
        break;
    case Kind::NextLevel:
        ChangeLevel(1);
        break;
    case Kind::Undo:
        if (pack.Undo(level)) {
            Changed();
        }
        break;
    case Kind::Redo:
        if (pack.Redo(level)) {
            Changed();
        }
        break;
    case Kind::Save:
        Save();
        break;
    case Kind::Play:
        Play();
        break;
    case Kind::Leave:
        Leave();
        break;
    }
    dirty = true;
}

void Session::Press(Button button) {
    static constexpr std::array<Command, 8> ButtonCommands{
        Command{.kind = Kind::PickTool, .tool = Tool::Wall},
        Command{.kind = Kind::PickTool, .tool = Tool::Floor},
        Command{.kind = Kind::PickTool, .tool = Tool::Fries},
        Command{.kind = Kind::PickTool, .tool = Tool::Barrier},
        Command{Kind::PreviousLevel},
        Command{Kind::NextLevel},
        Command{Kind::Save},
        Command{Kind::Play}};
    Do(ButtonCommands.at(static_cast<std::size_t>(button)));
}

void Session::ChangeLevel(int step) {
    const auto next = static_cast<std::int64_t>(level) + step;
    if (next < 1 || next > static_cast<std::int64_t>(Levels)) {
        return;
    }
    level = static_cast<std::uint32_t>(next);
    message.clear();
}

void Session::Changed() {
    message.clear();
    closeWarned = false;
    Check();
}

bool Session::Save() {
    if (readOnly) {
        message = {{"This folder cannot be written: nothing was saved.", true}};
        return false;
    }
    const std::vector<std::string> failures = pack.Save();
    message.clear();
    for (const std::string& failure : failures) {
        message.push_back({failure, true});
    }
    if (failures.empty()) {
        message.push_back({"Saved."});
    }
    return failures.empty();
}

void Session::Play() {
    if (pack.AnyChanged() && !Save()) {
        return;
    }
    if (!playable) {
        message = {{"The pack is not playable yet: see the findings.", true}};
        return;
    }
    const GameRun run = PlayGame(pack.Folder(), level);
    Wimdows::FlushKeys();
    for (Wimdows::MouseEvent event; Wimdows::GetMouseEvent(event);) {
    }
    if (!run.started) {
        message = {{Joined({"The game did not start: ", run.fault}), true}};
    } else if (run.status != 0) {
        message = {{Joined({"The game ended with status ", std::to_string(run.status)}), true}};
    } else {
        message = {{Joined({"Back from level ", std::to_string(level), " in the game."})}};
    }
}

void Session::Leave() {
    if (!pack.AnyChanged()) {
        leaving = true;
        return;
    }
    switch (AskToSave()) {
    case Answer::Save:
        leaving = Save();
        return;
    case Answer::Discard:
        leaving = true;
        return;
    case Answer::Cancel:
        return;
    case Answer::NotAsked:
        leaving = closeWarned;
        closeWarned = true;
        message = {
            {"There are unsaved changes: Ctrl+S saves them, leaving again drops them.", true}};
        dirty = true;
        return;
    }
}

Answer Session::AskToSave() const {
    const Meandor::EndAtOnce endAtOnce;
    if (readOnly) {
        const std::array<std::string, 2> buttons{"Discard", "Cancel"};
        const std::string text = Joined({"The changes to the pack in ", pack.Folder().string(),
                                         " cannot be saved: the folder cannot be written."});
        const int chosen = Wimdows::Ask(QuestionTitle, text, buttons);
        return chosen < 0 ? Answer::NotAsked : chosen == 0 ? Answer::Discard : Answer::Cancel;
    }
    const std::array<std::string, 3> buttons{"Save", "Discard", "Cancel"};
    const std::string text =
        Joined({"Save the changes to the pack in ", pack.Folder().string(), "?"});
    const int chosen = Wimdows::Ask(QuestionTitle, text, buttons);
    return chosen < 0 ? Answer::NotAsked : static_cast<Answer>(chosen);
}

void Session::Check() {
    const std::vector<Meandor::Overtreding> findings = pack.Findings();
    playable = findings.empty();
    for (std::uint32_t lvl = 1; lvl <= Levels; ++lvl) {
        levelFindings.at(lvl - 1) = InWords(findings, lvl, pack.At(lvl).grid);
    }
    dirty = true;
}

void Session::Draw() {
    dirty = false;
    Wimdows::HoldDrawing();
    DrawMaze(level, pack.At(level).grid, MarksOf());
    DrawPanel({level, tool, Lines()}, pointerX, pointerY);
    Wimdows::ShowDrawing();
}

Marks Session::MarksOf() const {
    Marks marks;
    // The bottom row lies under the panel of hearts, as in the game.
    for (std::uint32_t x = 1; x <= Meandor::Kolommen; ++x) {
        for (std::uint32_t y = 1; y <= Meandor::LaatsteRij; ++y) {
            if (IsFixed(level, {x, y})) {
                marks.fixed.push_back({x, y});
            }
        }
    }
    for (const Finding& finding : levelFindings.at(level - 1)) {
        marks.findings.insert(marks.findings.end(), finding.cells.begin(), finding.cells.end());
    }
    if (cursorShown) {
        marks.cursor = cursor;
    }
    return marks;
}

std::vector<PanelLine> Session::Lines() const {
    std::vector<PanelLine> lines{{Joined({"Level ", std::to_string(level), " of ",
                                          std::to_string(Levels), ": ", Provinces.at(level - 1)})},
                                 {Joined({"Pack: ", pack.Folder().filename().string()})}};
    std::string unclean;
    for (std::uint32_t lvl = 1; lvl <= Levels; ++lvl) {
        if (!levelFindings.at(lvl - 1).empty()) {
            unclean += unclean.empty() ? std::to_string(lvl) : Joined({", ", std::to_string(lvl)});
        }
    }
    lines.push_back(
        unclean.empty()
            ? PanelLine{"All five levels are clean: playable."}
            : PanelLine{Joined({"Not playable yet: findings in level ", unclean, "."}), true});
    if (readOnly) {
        lines.push_back({"Read-only: this folder cannot be written.", true});
    }
    lines.push_back({pack.AnyChanged() ? "Unsaved changes." : "Everything is saved."});
    lines.insert(lines.end(), message.begin(), message.end());
    lines.push_back({""});
    const std::vector<Finding>& here = levelFindings.at(level - 1);
    lines.push_back({here.empty() ? "This level is clean." : "In this level:"});
    for (const Finding& finding : here) {
        lines.push_back({Joined({"- ", finding.words}), true});
    }
    for (const std::string& note : pack.At(level).readingNotes) {
        lines.push_back({Joined({Meandor::LevelBestand(level).doolhof, ": ", note})});
    }
    lines.push_back({""});
    for (const char* help : HelpLines) {
        lines.push_back({help});
    }
    return lines;
}

} // namespace

int Edit(Pack& pack, bool readOnly) {
    return Session(pack, readOnly).Run();
}

} // namespace Editor
