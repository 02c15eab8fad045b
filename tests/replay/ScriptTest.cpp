#include "tools/replay/Script.hpp"

#include <gmock/gmock.h>
#include <sstream>
#include <string>
#include <utility>

namespace {

using namespace Replay;
using namespace ::testing;
using Replay::Action; // not the mock action

Script Parse(const std::string& text) {
    std::istringstream in(text);
    return ParseScript(in, "game.txt");
}

const std::string Kop = "difficulty easy\nstart 10:00:00.00\n";

// What the goldens' scripts use is pinned by them; here the rest of the format and every key.
TEST(Script, CommentsBlankLinesCrLfIndentationAndKeys) {
    const Script script = Parse("# a game\n\ndifficulty medium   # Speed 75\n"
                                "start 23:59:58.50\r\n\tpass x250\nwait x4 +40 press S close\n");
    EXPECT_EQ(script.speed, 75U);
    EXPECT_EQ(script.start, 8639850U);
    ASSERT_EQ(script.steps.size(), 2U);
    EXPECT_TRUE(script.steps[0].kind == Kind::Pass && script.steps[0].count == 250U);
    EXPECT_TRUE(script.steps[1].advance == 40U && script.steps[1].line == 6);
    EXPECT_EQ(script.steps[1].actions,
              (std::vector<Action>{{Action::Type::Press, 'S'}, {Action::Type::Close, 0}}));
    EXPECT_TRUE(Parse("start 00:00:00.00\ndifficulty hard\n").steps.empty());
    // The arrows, Enter and Escape are in the goldens' scripts; the names share one table.
    const std::pair<std::string, unsigned> toetsen[] = {
        {"Space", 32}, {"H", 72}, {"0", 48}, {"9", 57}};
    for (const auto& [naam, code] : toetsen) {
        EXPECT_EQ(Parse(Kop + "pass press " + naam + "\n").steps[0].actions[0].key, code);
        EXPECT_EQ(KeyName(code), naam);
    }
    EXPECT_EQ(KeyName(9), "#9");
}

TEST(Script, EachMistakeIsNamedWithItsLine) {
    const std::pair<std::string, std::string> gevallen[]{
        {Kop + "pass press Tab\n", "game.txt:3: unknown key 'Tab'"},
        {Kop + "pass\npass press\n", "game.txt:4: 'press' needs a key"},
        {Kop + "pass hold Left\n", "game.txt:3: unknown action 'hold'"},
        {Kop + "pass x0\n", "game.txt:3: a repeat count is at least 1"},
        {Kop + "pass x99999999999\n", "game.txt:3: bad repeat count '99999999999'"},
        {Kop + "pass +1.5\n", "game.txt:3: bad clock step '1.5'"},
        {Kop + "step\n", "game.txt:3: unknown line 'step'"},
        {Kop + "pass\ndifficulty hard\n", "game.txt:4: 'difficulty' belongs before"},
        {"difficulty easy\ndifficulty hard\n", "game.txt:2: 'difficulty' is given twice"},
        {"difficulty insane\n", "game.txt:1: unknown difficulty 'insane'"},
        {"start 24:00:00.00\n", "game.txt:1: bad hour '24'"},
        {"start 10:00:00\n", "game.txt:1: bad time of day '10:00:00'"},
        {"difficulty easy\npass\n", "game.txt:2: 'difficulty' and 'start' come before"},
        {"difficulty easy\n", "game.txt: no 'difficulty' or no 'start' line"},
    };
    for (const auto& [text, message] : gevallen) {
        EXPECT_THAT([&text = text] { Parse(text); },
                    ThrowsMessage<ScriptError>(StartsWith(message)));
    }
}

} // namespace
