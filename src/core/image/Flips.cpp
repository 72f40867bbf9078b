#include "core/image/Flips.h"

#include <algorithm>

namespace lumvane {

namespace {

/// The saturation marks of two pixels change places.
void SwapSaturated(ImagePlane& img, int x1, int y1, int x2, int y2)
{
    const bool first = img.Saturated(x1, y1);
    img.SetSaturated(x1, y1, img.Saturated(x2, y2));
    img.SetSaturated(x2, y2, first);
}

} // namespace

void FlipHorizontal(ImagePlane& img)
{
    for (int y = 1; y <= img.Height(); ++y) {
        std::reverse(img.Row(y) + 1, img.Row(y) + 1 + img.Width());
        for (int x = 1, mirror = img.Width(); img.AnySaturated() && x < mirror; ++x, --mirror)
            SwapSaturated(img, x, y, mirror, y);
    }
}

void FlipVertical(ImagePlane& img)
{
    for (int y = 1, mirror = img.Height(); y < mirror; ++y, --mirror) {
        std::swap_ranges(img.Row(y) + 1, img.Row(y) + 1 + img.Width(), img.Row(mirror) + 1);
        for (int x = 1; img.AnySaturated() && x <= img.Width(); ++x)
            SwapSaturated(img, x, y, x, mirror);
        const bool missing = img.RowMissing(y);
        img.SetRowMissing(y, img.RowMissing(mirror));
        img.SetRowMissing(mirror, missing);
    }
}

} // namespace lumvane
