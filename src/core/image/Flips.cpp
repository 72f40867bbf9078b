#include "core/image/Flips.h"

#include <algorithm>

namespace lumvane {

void FlipHorizontal(ImagePlane& img)
{
    for (int y = 1; y <= img.Height(); ++y)
        std::reverse(img.Row(y) + 1, img.Row(y) + 1 + img.Width());
}

void FlipVertical(ImagePlane& img)
{
    for (int y = 1, mirror = img.Height(); y < mirror; ++y, --mirror)
        std::swap_ranges(img.Row(y) + 1, img.Row(y) + 1 + img.Width(), img.Row(mirror) + 1);
}

} // namespace lumvane
