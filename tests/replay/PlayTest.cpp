// A replay against the real game in the runtime tree: when it reports ticks, and what the
// state line holds.
#include "game/Meandor.hpp"
#include "support/StandardLib.hpp"
#include "tools/replay/Replay.hpp"
#include "wimdows/Wimdows.hpp"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

class Play : public ::testing::Test {
  protected:
    void SetUp() override {
        before = std::filesystem::current_path();
        std::filesystem::current_path(MEANDOR_RUNTIME_DIR);
        StandardLib::Init();
    }
    void TearDown() override {
        Wimdows::KillWindow();
        std::filesystem::current_path(before);
    }

    // The lines the replay of `text` writes.
    static std::vector<std::string> Lines(const std::string& text) {
        std::istringstream in(text);
        std::ostringstream out;
        Replay::Play(Replay::ParseScript(in, "test"), out);
        std::vector<std::string> lines;
        std::istringstream written(out.str());
        for (std::string line; std::getline(written, line);) {
            lines.push_back(line);
        }
        return lines;
    }

    // The word after `key` in a line.
    static std::string Field(const std::string& line, const std::string& key) {
        const std::size_t at = line.find(" " + key + " ");
        if (at == std::string::npos) {
            return {};
        }
        const std::size_t begin = at + key.size() + 2;
        return line.substr(begin, line.find(' ', begin) - begin);
    }

    std::filesystem::path before;
};

TEST_F(Play, OneTickEverySpeedHundredthsFromTheFirstPass) {
    const auto lines = Lines("difficulty easy\nstart 10:00:00.00\n"
                             "wait x2 +7\nwait down Enter\npass up Enter\npass x300 +1\n");
    ASSERT_EQ(lines.size(), 4U);
    // The game's timer started when Enter let it begin, at 10:00:00.14.
    EXPECT_EQ(lines[0].rfind("tick 1 moment 105 clock 10:00:01.14 level 1 ", 0), 0U) << lines[0];
    EXPECT_EQ(Field(lines[1], "clock"), "10:00:02.14");
    EXPECT_EQ(Field(lines[2], "clock"), "10:00:03.14");
    EXPECT_EQ(Field(lines[2], "countLoop"), "3");
    EXPECT_EQ(lines[3].rfind("end cut moment 306 clock 10:00:03.14 left 0 ", 0), 0U) << lines[3];
}

TEST_F(Play, TicksGoOnAcrossMidnight) {
    const auto lines = Lines("difficulty medium\nstart 23:59:58.00\n"
                             "wait down Enter\npass up Enter\npass x100 +5\n");
    std::vector<std::string> clocks;
    for (const std::string& line : lines) {
        clocks.push_back(Field(line, "clock"));
    }
    EXPECT_EQ(clocks,
              (std::vector<std::string>{"23:59:58.75", "23:59:59.50", "00:00:00.25", "00:00:01.00",
                                        "00:00:01.75", "00:00:02.50", "00:00:03.00"}));
}

TEST_F(Play, ThePauseHoldsThePassesButNotTheTimer) {
    const auto lines = Lines("difficulty easy\nstart 10:00:00.00\n"
                             "wait down Enter\npass up Enter press P\n"
                             "wait x3 +150\nwait press S\npass x2\n");
    ASSERT_EQ(lines.size(), 2U);
    // The 4.5 seconds paused hold four deadlines; the pass after S ticks once for them all.
    EXPECT_EQ(lines[0].rfind("tick 1 moment 7 clock 10:00:04.50 ", 0), 0U) << lines[0];
    EXPECT_EQ(Field(lines[0], "countLoop"), "1");
}

TEST_F(Play, TheStateLineAtTheStartOfAGame) {
    const auto lines = Lines("difficulty hard\nstart 06:00:00.00\nwait down Enter\npass\n");
    // The script runs out at moment 3; the game still ends the pass the window closed in.
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_EQ(lines[0], "end cut moment 4 clock 06:00:00.00 left 0 level 1 zorp 2,2 levens 3 "
                        "friet 0 countLoop 0 vlag 1,1 off hamburger 1,1 off strikjes 4,16 6,8 "
                        "12,5 19,5 20,10 11,3 seed 94");
}

TEST_F(Play, ALineOfTheWrongKindEndsTheScriptThere) {
    const auto lines = Lines("difficulty easy\nstart 10:00:00.00\nwait\npass\nwait down Enter\n");
    ASSERT_EQ(lines.size(), 2U);
    EXPECT_EQ(lines[0], "desync line 4: the script has a pass, the game a wait");
    EXPECT_EQ(lines[1].rfind("end cut moment 3 clock 10:00:00.00 left 2 ", 0), 0U) << lines[1];
    EXPECT_FALSE(Wimdows::WindowOpen());
}

} // namespace
