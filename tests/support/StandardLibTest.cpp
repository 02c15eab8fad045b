#include "support/StandardLib.hpp"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

using StandardLib::RandomCard;

class RandomCardTest : public ::testing::Test {
  protected:
    void SetUp() override { StandardLib::Init(); }
};

std::vector<std::uint32_t> Draw(int n, std::uint32_t min, std::uint32_t max) {
    std::vector<std::uint32_t> out;
    for (int i = 0; i < n; ++i) {
        out.push_back(RandomCard(min, max));
    }
    return out;
}

TEST_F(RandomCardTest, InitSelectsOwnGeneratorWithSeed94) {
    EXPECT_TRUE(StandardLib::gPseudoRandom);
    EXPECT_EQ(StandardLib::Seed(), 94U);
}

TEST_F(RandomCardTest, GeneratorGivesTheKnownFirstOutputs) {
    EXPECT_EQ(Draw(10, 0, 1012),
              (std::vector<std::uint32_t>{716, 230, 841, 546, 327, 446, 682, 452, 762, 168}));
}

TEST_F(RandomCardTest, DirectionSequenceFromFreshStart) {
    EXPECT_EQ(Draw(8, 1, 4), (std::vector<std::uint32_t>{3, 1, 4, 3, 2, 2, 3, 2}));
}

TEST_F(RandomCardTest, ChoiceSequenceFromFreshStart) {
    EXPECT_EQ(Draw(8, 1, 2), (std::vector<std::uint32_t>{2, 1, 2, 2, 1, 1, 2, 1}));
}

TEST_F(RandomCardTest, SecondInitDoesNotReseed) {
    RandomCard(1, 4);
    StandardLib::Init();
    EXPECT_EQ(StandardLib::Seed(), 716U);
}

TEST_F(RandomCardTest, FullPeriodSkips509AndCountsDirectionsAsSpecified) {
    std::set<std::uint32_t> seen;
    std::uint32_t counts[5] = {};
    for (int i = 0; i < 1012; ++i) {
        counts[RandomCard(1, 4)]++;
        seen.insert(StandardLib::Seed());
    }
    EXPECT_EQ(StandardLib::Seed(), 94U) << "period of exactly 1012 steps";
    EXPECT_EQ(seen.size(), 1012U);
    EXPECT_EQ(seen.count(509), 0U);
    EXPECT_EQ(counts[1], 254U);
    EXPECT_EQ(counts[2], 253U);
    EXPECT_EQ(counts[3], 252U);
    EXPECT_EQ(counts[4], 253U);
}

TEST_F(RandomCardTest, SingleValueIntervalStillAdvances) {
    EXPECT_EQ(RandomCard(7, 7), 7U);
    EXPECT_EQ(StandardLib::Seed(), 716U);
}

TEST_F(RandomCardTest, WideIntervalHitsBothEndsAndSparseValues) {
    std::set<std::uint32_t> results;
    bool sawOne = false, saw989 = false, sawMax = false;
    for (int i = 0; i < 1012; ++i) {
        const std::uint32_t r = RandomCard(1, 1000000);
        const std::uint32_t g = StandardLib::Seed();
        sawOne |= g == 0 && r == 1;
        saw989 |= g == 1 && r == 989;
        sawMax |= g == 1012 && r == 1000000;
        EXPECT_GE(r, 1U);
        EXPECT_LE(r, 1000000U);
        results.insert(r);
    }
    EXPECT_TRUE(sawOne);
    EXPECT_TRUE(saw989);
    EXPECT_TRUE(sawMax);
    EXPECT_LE(results.size(), 1012U);
}

TEST_F(RandomCardTest, ReversedIntervalReportsAndLeavesGeneratorAlone) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(RandomCard(5, 3), 5U);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "ERROR calling RandomCardFromInterval: min 5 is bigger than max 3\n");
    EXPECT_EQ(RandomCard(1, 4), 3U) << "same as the first call of a fresh start";
}

TEST_F(RandomCardTest, RuntimeModeStaysInRangeAndDoesNotStepOwnGenerator) {
    StandardLib::gPseudoRandom = false;
    for (int i = 0; i < 1000; ++i) {
        const std::uint32_t r = RandomCard(10, 13);
        EXPECT_GE(r, 10U);
        EXPECT_LE(r, 13U);
    }
    EXPECT_EQ(StandardLib::Seed(), 94U);
    StandardLib::gPseudoRandom = true;
}

} // namespace
