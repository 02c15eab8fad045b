#include "editor/Pack.hpp"

#include "TestKit.hpp"
#include "game/Doolhof.hpp"

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>

namespace {

using Editor::Pack;
using Editor::Tool;
using Meandor::Cel;
using Meandor::DoolhofGrid;
using Meandor::Levels;
using TestKit::TempDir;

std::string GameMaze(std::uint32_t lvl) {
    return std::string(MEANDOR_SOURCE_DIR) + "/assets/doolhof" + std::to_string(lvl) + ".txt";
}

std::array<DoolhofGrid, Levels> Empty() {
    std::array<DoolhofGrid, Levels> grids;
    grids.fill(Editor::EmptyMaze());
    return grids;
}

// What the game reads from the bytes.
DoolhofGrid AsTheGameReads(const std::string& bytes) {
    std::istringstream in(bytes);
    DoolhofGrid grid{};
    Meandor::LeesDoolhof(in, grid);
    return grid;
}

std::string File(const TempDir& pack, std::uint32_t lvl) {
    return Meandor::DoolhofPad(pack.Path(), lvl).string();
}

// A folder holding the game's five mazes.
class GamePack : public ::testing::Test {
  protected:
    void SetUp() override {
        for (std::uint32_t lvl = 1; lvl <= Levels; ++lvl) {
            std::filesystem::copy_file(GameMaze(lvl), File(folder, lvl));
        }
        pack = Pack::Open(folder.Path(), Empty());
    }
    char Byte(std::uint32_t lvl, Cel cel) const { return pack.At(lvl).grid[cel.x][cel.y]; }

    TempDir folder;
    Pack pack;
};

TEST_F(GamePack, PaintingChangesOneCellAndFixedCellsStayAsTheyAre) {
    EXPECT_TRUE(pack.PaintCell(1, {5, 5}, Tool::Fries));
    EXPECT_EQ(Byte(1, {5, 5}), 'f');
    EXPECT_TRUE(pack.PaintCell(1, {5, 5}, Tool::Barrier));
    EXPECT_EQ(Byte(1, {5, 5}), 'o');
    // Painting the byte that is there already is no change.
    EXPECT_FALSE(pack.PaintCell(1, {5, 5}, Tool::Barrier));
    const DoolhofGrid before = pack.At(1).grid;
    for (const Cel fixed : {Cel{1, 7}, Cel{30, 7}, Cel{9, 1}, Cel{9, 21}, Cel{1, 20}, Cel{30, 20},
                            Cel{2, 2}, Cel{2, 20}, Cel{4, 16}}) {
        EXPECT_FALSE(pack.PaintCell(1, fixed, Tool::Floor)) << fixed.x << ", " << fixed.y;
    }
    EXPECT_FALSE(pack.PaintCell(1, {0, 5}, Tool::Wall));
    EXPECT_FALSE(pack.PaintCell(1, {31, 5}, Tool::Wall));
    EXPECT_EQ(pack.At(1).grid, before);
    // Enemy 7 joins at level 2: its start cell is fixed there, not in level 1.
    EXPECT_TRUE(Editor::IsFixed(2, {10, 4}));
    EXPECT_FALSE(Editor::IsFixed(1, {10, 4}));
    EXPECT_FALSE(Editor::IsFixed(3, {10, 4}));
}

TEST_F(GamePack, AStrokeIsOneStepToUndoAndToRedo) {
    const DoolhofGrid before = pack.At(2).grid;
    for (std::uint32_t y = 3; y <= 8; ++y) {
        pack.PaintCell(2, {6, y}, Tool::Wall);
    }
    pack.EndStroke();
    const DoolhofGrid painted = pack.At(2).grid;
    ASSERT_NE(painted, before);
    EXPECT_EQ(pack.UndoSteps(2), 1U);
    EXPECT_TRUE(pack.Undo(2));
    EXPECT_EQ(pack.At(2).grid, before);
    EXPECT_FALSE(pack.Undo(2));
    EXPECT_TRUE(pack.Redo(2));
    EXPECT_EQ(pack.At(2).grid, painted);
    EXPECT_FALSE(pack.Redo(2));
    // A new stroke after an undo drops what could be done again.
    pack.Undo(2);
    pack.PaintCell(2, {7, 3}, Tool::Fries);
    pack.EndStroke();
    EXPECT_FALSE(pack.Redo(2));
    // Each level keeps its own history: level 1 has nothing to undo.
    EXPECT_FALSE(pack.Undo(1));
    // A stroke that changed nothing is no step.
    pack.PaintCell(2, {7, 3}, Tool::Fries);
    pack.EndStroke();
    EXPECT_EQ(pack.UndoSteps(2), 1U);
}

// An undo in the middle of a stroke takes back the stroke so far.
TEST_F(GamePack, UndoEndsTheStrokeUnderWay) {
    const DoolhofGrid before = pack.At(1).grid;
    pack.PaintCell(1, {5, 5}, Tool::Wall);
    pack.PaintCell(1, {5, 6}, Tool::Wall);
    EXPECT_TRUE(pack.Undo(1));
    EXPECT_EQ(pack.At(1).grid, before);
    // A stroke that goes on in another level ends there: each level takes back its own cell.
    const DoolhofGrid before2 = pack.At(2).grid;
    ASSERT_TRUE(pack.PaintCell(1, {5, 5}, Tool::Wall));
    ASSERT_TRUE(pack.PaintCell(2, {5, 5}, Tool::Barrier));
    EXPECT_TRUE(pack.Undo(1));
    EXPECT_EQ(pack.At(1).grid, before);
    EXPECT_NE(pack.At(2).grid, before2);
    EXPECT_TRUE(pack.Undo(2));
    EXPECT_EQ(pack.At(2).grid, before2);
}

TEST_F(GamePack, TheOldestStepsGoBeyondTheUndoDepth) {
    const std::size_t strokes = Editor::UndoDepth + 20;
    for (std::size_t i = 0; i < strokes; ++i) {
        pack.PaintCell(3, {5, 5}, i % 2 == 0 ? Tool::Fries : Tool::Barrier);
        pack.EndStroke();
    }
    EXPECT_EQ(pack.UndoSteps(3), Editor::UndoDepth);
    EXPECT_GE(Editor::UndoDepth, 200U);
    std::size_t undone = 0;
    while (pack.Undo(3)) {
        ++undone;
    }
    EXPECT_EQ(undone, Editor::UndoDepth);
    // The 20 oldest steps are gone: the cell holds what the 20th stroke painted, not the file's.
    EXPECT_EQ(Byte(3, {5, 5}), 'o');
    for (std::size_t i = 0; i < Editor::UndoDepth; ++i) {
        ASSERT_TRUE(pack.Redo(3));
    }
    EXPECT_EQ(Byte(3, {5, 5}), 'o');
}

TEST_F(GamePack, TheGamesMazesRoundTripByteForByte) {
    for (std::uint32_t lvl = 1; lvl <= Levels; ++lvl) {
        EXPECT_EQ(Editor::MazeFileText(pack.At(lvl).grid), TestKit::ReadFile(GameMaze(lvl)));
        EXPECT_TRUE(pack.At(lvl).readingNotes.empty());
        EXPECT_FALSE(pack.Changed(lvl));
    }
    EXPECT_FALSE(pack.AnyChanged());
    ASSERT_EQ(Byte(4, {5, 6}), ' ');
    pack.PaintCell(4, {5, 6}, Tool::Fries);
    pack.PaintCell(4, {5, 6}, Tool::Floor);
    EXPECT_FALSE(pack.AnyChanged()) << "painted back as it was";
    pack.PaintCell(4, {5, 6}, Tool::Fries);
    EXPECT_TRUE(pack.Changed(4));
    EXPECT_FALSE(pack.Changed(3));
    std::filesystem::remove(File(folder, 3));
    EXPECT_THAT(pack.Save(), ::testing::ElementsAre());
    EXPECT_FALSE(std::filesystem::exists(File(folder, 3))) << "an unchanged level is not written";
    const std::string written = TestKit::ReadFile(File(folder, 4));
    EXPECT_EQ(written.size(), 30U * 22U);
    EXPECT_EQ(AsTheGameReads(written), pack.At(4).grid);
    EXPECT_FALSE(pack.AnyChanged());
    // Nothing is left beside the files.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 4);
}

TEST_F(GamePack, AFileKeepsItsPermissionsWhenWrittenAnew) {
    ASSERT_EQ(::chmod(File(folder, 1).c_str(), 0600), 0);
    pack.PaintCell(1, {5, 5}, Tool::Fries);
    EXPECT_THAT(pack.Save(), ::testing::ElementsAre());
    struct stat status {};
    ASSERT_EQ(::stat(File(folder, 1).c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777U, 0600U);
}

// Files that are not in the game's format show what the game would see, with a note saying
// so; saved unchanged they stay as they are, changed they are written in the game's format
// with every byte the editor did not paint kept.
TEST(Pack, BrokenFilesAreReadAsTheGameReadsThem) {
    TempDir folder;
    const std::string line(21, ' ');
    std::string shortFile;
    for (int i = 0; i < 12; ++i) {
        shortFile += "+" + line.substr(2) + "x\n";
    }
    std::string crlf;
    for (int i = 0; i < 30; ++i) {
        crlf += "+" + std::string(19, 'f') + "+\r\n";
    }
    std::string bytes;
    for (int i = 0; i < 700; ++i) {
        bytes += static_cast<char>((i * 37 + 11) % 256);
    }
    const std::string longLines(30 * 40, 'q');
    const std::array<std::string, Levels> files{shortFile, crlf, bytes, longLines, ""};
    for (std::uint32_t lvl = 1; lvl <= Levels; ++lvl) {
        folder.File("doolhof" + std::to_string(lvl) + ".txt", files.at(lvl - 1));
    }
    Pack pack = Pack::Open(folder.Path(), Empty());
    for (std::uint32_t lvl = 1; lvl <= Levels; ++lvl) {
        EXPECT_EQ(pack.At(lvl).grid, AsTheGameReads(files.at(lvl - 1))) << lvl;
        EXPECT_FALSE(pack.At(lvl).readingNotes.empty()) << lvl;
        EXPECT_FALSE(pack.Changed(lvl)) << lvl;
    }
    EXPECT_THAT(pack.At(1).readingNotes,
                ::testing::ElementsAre("has 12 lines, the game reads 30",
                                       "shown as the game reads it; saving writes that"));
    EXPECT_THAT(pack.At(2).readingNotes, ::testing::Contains("has CR LF line ends"));
    EXPECT_THAT(pack.At(4).readingNotes, ::testing::Contains("1 line is not 21 characters long"));
    pack.Save();
    for (std::uint32_t lvl = 1; lvl <= Levels; ++lvl) {
        EXPECT_EQ(TestKit::ReadFile(File(folder, lvl)), files.at(lvl - 1)) << lvl;
    }
    for (std::uint32_t lvl = 1; lvl <= Levels; ++lvl) {
        ASSERT_TRUE(pack.PaintCell(lvl, {15, 10}, lvl == 2 ? Tool::Wall : Tool::Fries));
    }
    EXPECT_THAT(pack.Save(), ::testing::ElementsAre());
    for (std::uint32_t lvl = 1; lvl <= Levels; ++lvl) {
        const std::string written = TestKit::ReadFile(File(folder, lvl));
        EXPECT_EQ(written, Editor::MazeFileText(pack.At(lvl).grid)) << lvl;
        EXPECT_EQ(AsTheGameReads(written), pack.At(lvl).grid) << lvl;
        EXPECT_TRUE(pack.At(lvl).readingNotes.empty()) << lvl;
    }
    // The byte-salad's other cells are its own still.
    DoolhofGrid expected = AsTheGameReads(bytes);
    expected[15][10] = 'f';
    EXPECT_EQ(pack.At(3).grid, expected);
}

TEST(Pack, ANewPackStartsFromTheGridsGivenAndIsWrittenWhole) {
    TempDir parent;
    const std::filesystem::path folder = parent.Path() / "mazes" / "mine";
    Pack pack = Pack::Open(folder, Empty());
    for (std::uint32_t lvl = 1; lvl <= Levels; ++lvl) {
        EXPECT_EQ(pack.At(lvl).grid, Editor::EmptyMaze());
        EXPECT_TRUE(pack.Changed(lvl));
    }
    EXPECT_THAT(pack.Save(), ::testing::ElementsAre());
    EXPECT_FALSE(pack.AnyChanged());
    const std::string empty = TestKit::ReadFile(Meandor::DoolhofPad(folder, 1));
    EXPECT_EQ(empty.substr(0, 22), "+++++++++++++++++++S+\n");
    EXPECT_EQ(empty.substr(22, 22), "+                   +\n");
    EXPECT_EQ(AsTheGameReads(empty), Editor::EmptyMaze());
}

TEST(Pack, AFolderThatCannotBeWrittenKeepsTheChanges) {
    TempDir parent;
    const std::string blocker = parent.File("blocker", "a file, not a folder");
    Pack pack = Pack::Open(std::filesystem::path(blocker) / "mine", Empty());
    const std::vector<std::string> failures = pack.Save();
    ASSERT_EQ(failures.size(), Levels);
    EXPECT_THAT(failures.front(), ::testing::StartsWith(blocker + "/mine/doolhof1.txt: cannot be "
                                                                  "written: "));
    EXPECT_TRUE(pack.AnyChanged());
}

} // namespace
