#include "core/image/CutProposal.h"

#include "core/common/Rounding.h"

#include <algorithm>

namespace lumvane {
namespace {

// A sample coordinate kept inside 1..size; a plane without pixels samples its
// zero cell 0.
int ClampIntoPlane(double coordinate, int size)
{
    return size >= 1 ? std::clamp(static_cast<int>(RoundHalfEven(coordinate)), 1, size) : 0;
}

} // namespace

DisplayCuts ProposeCuts(const ImagePlane& img, UniformRandom& random)
{
    img.Prepare({ 1, 1, 25, 25 });
    float sum = 0.0F;
    for (int draw = 0; draw < 200; ++draw) {
        const double r1 = random.Next();
        const double r2 = random.Next();
        const int y = ClampIntoPlane(10.0 * r1 + 15.0, img.Height());
        const int x = ClampIntoPlane(10.0 * r2 + 15.0, img.Width());
        if (img.HasCells())
            sum += static_cast<float>(img.At(x, y));
    }
    const float mean = sum / 200.0F + static_cast<float>(kPhysicalOffset);
    return { static_cast<int>(Floor(static_cast<double>(mean) * 0.95)),
        static_cast<int>(Floor(static_cast<double>(mean) * 1.95)) };
}

} // namespace lumvane
