#include "editor/Findings.hpp"
#include "editor/MazeView.hpp"
#include "editor/Pack.hpp"
#include "editor/Panel.hpp"
#include "game/Doolhof.hpp"
#include "wimdows/Wimdows.hpp"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>

// One change in the maze editor on a dummy-driver window with the real artwork: the cell
// painted, the pack checked, and the maze and the panel drawn again with the findings.
namespace {

std::array<Meandor::DoolhofGrid, Meandor::Levels> GameMazes() {
    std::array<Meandor::DoolhofGrid, Meandor::Levels> grids{};
    for (std::uint32_t lvl = 1; lvl <= Meandor::Levels; ++lvl) {
        Meandor::LaadDoolhofBestand(Meandor::DoolhofBestandsnaam(lvl), grids.at(lvl - 1));
    }
    return grids;
}

Editor::PanelView View(const std::vector<Editor::Finding>& findings) {
    Editor::PanelView view;
    for (const Editor::Finding& finding : findings) {
        view.lines.push_back({finding.words, true});
    }
    return view;
}

void CheckAndRedraw(benchmark::State& state, std::uint32_t level) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "editor-bench";
    Editor::Pack pack = Editor::Pack::Open(folder, GameMazes());
    bool wall = true;
    for (auto _ : state) {
        // A wall in and out of the way to the exit: findings come and go.
        pack.PaintCell(level, {28, 20}, wall ? Editor::Tool::Wall : Editor::Tool::Floor);
        pack.EndStroke();
        wall = !wall;
        const std::vector<Meandor::Overtreding> all = pack.Findings();
        const std::vector<Editor::Finding> findings =
            Editor::InWords(all, level, pack.At(level).grid);
        Editor::Marks marks;
        for (const Editor::Finding& finding : findings) {
            marks.findings.insert(marks.findings.end(), finding.cells.begin(), finding.cells.end());
        }
        Wimdows::HoldDrawing();
        Editor::DrawMaze(level, pack.At(level).grid, marks);
        Editor::DrawPanel(View(findings), 0, 0);
        Wimdows::ShowDrawing();
    }
}

void OneChangeLevel1(benchmark::State& state) {
    CheckAndRedraw(state, 1);
}
BENCHMARK(OneChangeLevel1)->Unit(benchmark::kMillisecond);

void OneChangeLevel5(benchmark::State& state) {
    CheckAndRedraw(state, 5);
}
BENCHMARK(OneChangeLevel5)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    std::filesystem::current_path(MEANDOR_RUNTIME_DIR);
    Wimdows::Window("Meandor maze editor", Editor::EditorWidth, 700);
    if (!Wimdows::WindowOpen()) {
        return 1;
    }
    Editor::LoadMazeArt();
    Editor::LoadPanel();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Wimdows::KillWindow();
    return 0;
}
