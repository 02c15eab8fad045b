#include "tools/replay/Script.hpp"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace Replay;

Script Parse(const std::string& text) {
    std::istringstream in(text);
    return ParseScript(in, "game.txt");
}

// What the goldens' scripts use is pinned by them; here the rest of the format.
TEST(Script, CommentsBlankLinesCrLfAndIndentation) {
    const Script script = Parse("# a game\n"
                                "\n"
                                "difficulty medium   # Speed 75\n"
                                "start 23:59:58.50\r\n"
                                "\tpass x250\n"
                                "wait x4 +40 press S close\n");
    EXPECT_EQ(script.speed, 75U);
    EXPECT_EQ(script.start, 8639850U);
    ASSERT_EQ(script.steps.size(), 2U);
    EXPECT_EQ(script.steps[0].kind, Kind::Pass);
    EXPECT_EQ(script.steps[0].count, 250U);
    EXPECT_EQ(script.steps[1].advance, 40U);
    EXPECT_EQ(script.steps[1].actions,
              (std::vector<Action>{{Action::Type::Press, 'S'}, {Action::Type::Close, 0}}));
    EXPECT_EQ(script.steps[1].line, 6);
}

TEST(Script, KeysAreTheGamesKeyCodes) {
    const Script script = Parse("difficulty easy\nstart 10:00:00.00\n"
                                "pass press Left press Up press Right press Down\n"
                                "pass press Enter press Escape press Space press H press 0 "
                                "press 9\n");
    std::vector<std::uint32_t> codes;
    for (const Step& step : script.steps) {
        for (const Action& action : step.actions) {
            codes.push_back(action.key);
        }
    }
    EXPECT_EQ(codes, (std::vector<std::uint32_t>{37, 38, 39, 40, 13, 27, 32, 72, 48, 57}));
    for (const std::uint32_t code : codes) {
        EXPECT_EQ(Parse("difficulty easy\nstart 10:00:00.00\npass press " + KeyName(code))
                      .steps[0]
                      .actions[0]
                      .key,
                  code);
    }
    EXPECT_EQ(KeyName(9), "#9");
}

TEST(Script, AnEmptyGameIsJustTheHeader) {
    EXPECT_TRUE(Parse("start 00:00:00.00\ndifficulty hard\n").steps.empty());
}

TEST(Script, EachMistakeIsNamedWithItsLine) {
    const std::string header = "difficulty easy\nstart 10:00:00.00\n";
    const std::vector<std::pair<std::string, std::string>> cases{
        {header + "pass press Tab\n", "game.txt:3: unknown key 'Tab'"},
        {header + "pass press p\n", "game.txt:3: unknown key 'p'"},
        {header + "pass\npass press\n", "game.txt:4: 'press' needs a key"},
        {header + "pass hold Left\n", "game.txt:3: unknown action 'hold'"},
        {header + "pass x0\n", "game.txt:3: a repeat count is at least 1"},
        {header + "pass x-1\n", "game.txt:3: bad repeat count '-1'"},
        {header + "pass x99999999999\n", "game.txt:3: bad repeat count '99999999999'"},
        {header + "pass +1.5\n", "game.txt:3: bad clock step '1.5'"},
        {header + "pass +2 x3\n", "game.txt:3: unknown action 'x3'"},
        {header + "step\n", "game.txt:3: unknown line 'step'"},
        {header + "pass\ndifficulty hard\n", "game.txt:4: 'difficulty' belongs before"},
        {"difficulty easy\ndifficulty hard\n", "game.txt:2: 'difficulty' is given twice"},
        {"difficulty insane\n", "game.txt:1: unknown difficulty 'insane'"},
        {"difficulty\n", "game.txt:1: 'difficulty' takes one value"},
        {"start 24:00:00.00\n", "game.txt:1: bad hour '24'"},
        {"start 10:60:00.00\n", "game.txt:1: bad minute '60'"},
        {"start 10:00:00\n", "game.txt:1: bad time of day '10:00:00'"},
        {"difficulty easy\npass\n", "game.txt:2: 'difficulty' and 'start' come before"},
        {"difficulty easy\n", "game.txt: no 'difficulty' or no 'start' line"},
        {"", "game.txt: no 'difficulty' or no 'start' line"},
    };
    for (const auto& [text, message] : cases) {
        try {
            Parse(text);
            ADD_FAILURE() << "accepted:\n" << text;
        } catch (const ScriptError& error) {
            EXPECT_EQ(std::string(error.what()).rfind(message, 0), 0U)
                << error.what() << "\ninstead of: " << message;
        }
    }
}

} // namespace
