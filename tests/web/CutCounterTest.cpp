#include "web/CutCounter.h"

#include <gtest/gtest.h>

namespace {

constexpr int Block = InetControl::StateBlockArrived;
constexpr int Completed = InetControl::StateResponseCompleted;

TEST(CutCounter, CutsAtTheSixthBlockInARow)
{
    CutCounter counter;
    for (int block = 1; block <= 5; ++block)
        EXPECT_FALSE(counter.cutsAt(Block)) << "block " << block;
    EXPECT_TRUE(counter.cutsAt(Block));
    EXPECT_TRUE(counter.cutsAt(Block));
}

TEST(CutCounter, AnotherReportBreaksTheRunButKeepsTheCount)
{
    CutCounter counter;
    // Blocks 1-3 give two repeats; the report in between gives none; 4-6 give two more.
    for (int block = 1; block <= 3; ++block)
        EXPECT_FALSE(counter.cutsAt(Block));
    EXPECT_FALSE(counter.cutsAt(Completed));
    for (int block = 1; block <= 3; ++block)
        EXPECT_FALSE(counter.cutsAt(Block));
    EXPECT_TRUE(counter.cutsAt(Block));
}

TEST(CutCounter, OtherReportsNeverCut)
{
    CutCounter counter;
    for (int report = 0; report < 10; ++report)
        EXPECT_FALSE(counter.cutsAt(Completed));
}

} // namespace
