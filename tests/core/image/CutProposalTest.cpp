#include "core/image/CutProposal.h"

#include <gtest/gtest.h>

namespace lumvane {
namespace {

TEST(CutProposal, SamplesOnlyTheSquareFrom15To25)
{
    ImagePlane plane(40, 40);
    for (int y = 1; y <= 40; ++y)
        for (int x = 1; x <= 40; ++x)
            plane.At(x, y) = (x >= 15 && x <= 25 && y >= 15 && y <= 25) ? 1000 : -32767;
    UniformRandom random;
    // Every sampled pixel has physical 33767: cuts Int(0.95 m), Int(1.95 m).
    EXPECT_EQ(ProposeCuts(plane, random), (DisplayCuts { 32078, 65845 }));
}

TEST(CutProposal, SmallPlanesAreSampledInsideThemselves)
{
    ImagePlane plane(3, 2);
    for (int y = 1; y <= 2; ++y)
        for (int x = 1; x <= 3; ++x)
            plane.At(x, y) = 100;
    UniformRandom random;
    // Only (3, 2) is ever sampled after clamping: physical 32867.
    EXPECT_EQ(ProposeCuts(plane, random), (DisplayCuts { 31223, 64090 }));
    EXPECT_EQ(ProposeCuts(ImagePlane {}, random), (DisplayCuts { 31128, 63895 }));
}

TEST(CutProposal, TheSequenceRunsOnBetweenProposals)
{
    ImagePlane plane(30, 30);
    for (int y = 1; y <= 30; ++y)
        for (int x = 1; x <= 30; ++x)
            plane.At(x, y) = static_cast<std::int16_t>(x * 100 + y);
    UniformRandom first;
    UniformRandom second;
    const DisplayCuts a = ProposeCuts(plane, first);
    EXPECT_EQ(ProposeCuts(plane, second), a); // every run starts the same sequence
    EXPECT_NE(ProposeCuts(plane, first).black, a.black);
}

} // namespace
} // namespace lumvane
