#include "editor/Commands.hpp"

#include "wimdows/Wimdows.hpp"

#include <gtest/gtest.h>

namespace {

using Editor::Cel;
using Editor::CellsBetween;
using Editor::Command;
using Editor::CommandFor;
using Kind = Command::Kind;

// The keys as the editor's help tells them; Ctrl changes what a letter does, and keys without
// a command (a letter alone, Ctrl with a digit) do nothing.
TEST(EditorKeys, EachKeyAsTheHelpSays) {
    EXPECT_EQ(CommandFor('1', false, false),
              (Command{.kind = Kind::PickTool, .tool = Editor::Tool::Wall}));
    EXPECT_EQ(CommandFor('4', false, false),
              (Command{.kind = Kind::PickTool, .tool = Editor::Tool::Barrier}));
    EXPECT_EQ(CommandFor('5', false, false), std::nullopt);
    EXPECT_EQ(CommandFor('0', false, false), std::nullopt);
    EXPECT_EQ(CommandFor(Wimdows::KEY_LEFT, false, false),
              (Command{.kind = Kind::MoveCursor, .dx = -1}));
    EXPECT_EQ(CommandFor(Wimdows::KEY_DOWN, false, false),
              (Command{.kind = Kind::MoveCursor, .dy = 1}));
    EXPECT_EQ(CommandFor(Wimdows::KEY_SPACE, false, false), Command{Kind::PaintAtCursor});
    EXPECT_EQ(CommandFor(33, false, false), Command{Kind::PreviousLevel});
    EXPECT_EQ(CommandFor(34, false, false), Command{Kind::NextLevel});
    EXPECT_EQ(CommandFor(116, false, false), Command{Kind::Play});
    EXPECT_EQ(CommandFor(Wimdows::KEY_ESCAPE, false, false), Command{Kind::Leave});

    EXPECT_EQ(CommandFor('Z', true, false), Command{Kind::Undo});
    EXPECT_EQ(CommandFor('Z', true, true), Command{Kind::Redo});
    EXPECT_EQ(CommandFor('Y', true, false), Command{Kind::Redo});
    EXPECT_EQ(CommandFor('S', true, false), Command{Kind::Save});
    EXPECT_EQ(CommandFor('Z', false, false), std::nullopt);
    EXPECT_EQ(CommandFor('S', false, false), std::nullopt);
    EXPECT_EQ(CommandFor('1', true, false), std::nullopt);
    EXPECT_EQ(CommandFor(Wimdows::KEY_SPACE, true, false), std::nullopt);
}

// A drag's path: every cell once, each a side or a corner from the one before, ending where
// the pointer is, in every direction.
TEST(EditorDrag, PassesEveryCellOnTheWay) {
    EXPECT_TRUE(CellsBetween({5, 5}, {5, 5}).empty());
    EXPECT_EQ(CellsBetween({5, 5}, {8, 5}), (std::vector<Cel>{{6, 5}, {7, 5}, {8, 5}}));
    EXPECT_EQ(CellsBetween({8, 5}, {5, 5}), (std::vector<Cel>{{7, 5}, {6, 5}, {5, 5}}));
    EXPECT_EQ(CellsBetween({3, 9}, {3, 6}), (std::vector<Cel>{{3, 8}, {3, 7}, {3, 6}}));
    EXPECT_EQ(CellsBetween({2, 2}, {4, 4}), (std::vector<Cel>{{3, 3}, {4, 4}}));
    for (const auto& [from, to] : std::vector<std::pair<Cel, Cel>>{
             {{1, 1}, {30, 21}}, {{30, 21}, {1, 1}}, {{2, 19}, {27, 3}}, {{20, 4}, {6, 9}}}) {
        const std::vector<Cel> cells = CellsBetween(from, to);
        ASSERT_FALSE(cells.empty());
        EXPECT_EQ(cells.back(), to);
        Cel before = from;
        for (const Cel cel : cells) {
            const auto dx = std::abs(std::int64_t{cel.x} - before.x);
            const auto dy = std::abs(std::int64_t{cel.y} - before.y);
            EXPECT_TRUE(dx <= 1 && dy <= 1 && dx + dy > 0)
                << "(" << before.x << ", " << before.y << ") to (" << cel.x << ", " << cel.y << ")";
            before = cel;
        }
    }
}

TEST(EditorCursor, StaysInTheMaze) {
    EXPECT_EQ(Editor::Moved({1, 1}, -1, 0), (Cel{1, 1}));
    EXPECT_EQ(Editor::Moved({1, 1}, 0, -1), (Cel{1, 1}));
    EXPECT_EQ(Editor::Moved({30, 21}, 1, 1), (Cel{30, 21}));
    EXPECT_EQ(Editor::Moved({15, 10}, 1, -1), (Cel{16, 9}));
}

} // namespace
