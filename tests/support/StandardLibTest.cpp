#include "support/StandardLib.hpp"

#include <cstdlib>
#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace {

using StandardLib::RandomCard;
using StandardLib::Seed;

constexpr std::uint32_t FirstSeed = 94;

// Init seeds only once a process; the generator is stepped round its cycle back to where a
// fresh start has it.
class RandomCardTest : public ::testing::Test {
  protected:
    void SetUp() override { Restart(); }
    static void Restart() {
        StandardLib::Init();
        StandardLib::gPseudoRandom = true;
        for (int i = 0; i < 1013 && Seed() != FirstSeed; ++i) {
            RandomCard(0, 1);
        }
        ASSERT_EQ(Seed(), FirstSeed);
    }
};

TEST(RandomCardAtStart, InitSelectsItsOwnGeneratorSeeded94) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            StandardLib::Init();
            std::exit(StandardLib::gPseudoRandom && Seed() == FirstSeed ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(RandomCardTest, KnownSequencesFromAFreshStart) {
    struct Sequence {
        std::uint32_t min;
        std::uint32_t max;
        std::vector<std::uint32_t> first;
    };
    const Sequence sequences[] = {
        {0, 1012, {716, 230, 841, 546, 327, 446, 682, 452, 762, 168}},
        {1, 4, {3, 1, 4, 3, 2, 2, 3, 2}},
        {1, 2, {2, 1, 2, 2, 1, 1, 2, 1}},
    };
    for (const Sequence& s : sequences) {
        Restart();
        std::vector<std::uint32_t> drawn;
        while (drawn.size() < s.first.size()) {
            drawn.push_back(RandomCard(s.min, s.max));
        }
        EXPECT_EQ(drawn, s.first) << s.min << ".." << s.max;
    }
}

TEST_F(RandomCardTest, FullPeriodSkips509AndGivesEachDirectionItsShare) {
    std::set<std::uint32_t> seen;
    std::uint32_t counts[5] = {};
    for (int i = 0; i < 1012; ++i) {
        counts[RandomCard(1, 4)]++;
        seen.insert(Seed());
    }
    EXPECT_EQ(Seed(), FirstSeed) << "period of exactly 1012 steps";
    EXPECT_EQ(seen.size(), 1012U);
    EXPECT_EQ(seen.count(509), 0U);
    EXPECT_EQ(std::vector<std::uint32_t>(counts + 1, counts + 5),
              (std::vector<std::uint32_t>{254, 253, 252, 253}));
}

// The scale factor's rounding decides the ends: state 0 gives min, state 1012 gives max.
TEST_F(RandomCardTest, WideIntervalReachesBothEnds) {
    std::set<std::uint32_t> ends;
    for (int i = 0; i < 1012; ++i) {
        const std::uint32_t r = RandomCard(1, 1000000);
        if (Seed() == 0 || Seed() == 1012) {
            ends.insert(r);
        }
        ASSERT_GE(r, 1U);
        ASSERT_LE(r, 1000000U);
    }
    EXPECT_EQ(ends, (std::set<std::uint32_t>{1, 1000000}));
}

TEST_F(RandomCardTest, SingleValueIntervalStillAdvancesAndASecondInitDoesNotReseed) {
    EXPECT_EQ(RandomCard(7, 7), 7U);
    EXPECT_EQ(Seed(), 716U);
    StandardLib::Init();
    EXPECT_EQ(Seed(), 716U);
}

TEST_F(RandomCardTest, ReversedIntervalReportsAndLeavesTheGeneratorAlone) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(RandomCard(5, 3), 5U);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "ERROR calling RandomCardFromInterval: min 5 is bigger than max 3\n");
    EXPECT_EQ(Seed(), FirstSeed);
}

TEST_F(RandomCardTest, RuntimeGeneratorStaysInRangeAndLeavesItsOwnAlone) {
    StandardLib::gPseudoRandom = false;
    std::set<std::uint32_t> values;
    for (int i = 0; i < 1000; ++i) {
        values.insert(RandomCard(10, 13));
    }
    EXPECT_EQ(values, (std::set<std::uint32_t>{10, 11, 12, 13}));
    EXPECT_EQ(Seed(), FirstSeed);
}

} // namespace
