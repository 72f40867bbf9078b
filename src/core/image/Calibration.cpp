#include "core/image/Calibration.h"

#include "core/common/Rounding.h"

namespace lumvane {

bool CoversImage(const ImagePlane& frame, const ImagePlane& img)
{
    return frame.Width() >= img.Width() && frame.Height() >= img.Height();
}

bool DarkSubtract(ImagePlane& img, const ImagePlane& dark)
{
    if (!CoversImage(dark, img))
        return false;
    for (int y = 1; y <= img.Height(); ++y) {
        std::int16_t* row = img.Row(y);
        const std::int16_t* darkRow = dark.Row(y);
        for (int x = 1; x <= img.Width(); ++x) {
            const int v = row[x];
            const int d = darkRow[x];
            row[x] = static_cast<std::int16_t>(v > d ? v - d - kPhysicalOffset : kStoredMin);
        }
    }
    return true;
}

std::optional<float> FlatMean(const ImagePlane& flat, const ImagePlane& img, int naxis1, int naxis2)
{
    if (!CoversImage(flat, img) || naxis1 <= 0 || naxis2 <= 0)
        return std::nullopt;
    // Single precision in this order is part of the result: every mean the
    // program has given is reproduced to the last bit.
    float sum = 0.0F;
    for (int x = 1; x <= img.Width(); ++x)
        for (int y = 1; y <= img.Height(); ++y)
            sum += static_cast<float>(flat.At(x, y));
    return sum / static_cast<float>(naxis1) / static_cast<float>(naxis2) + static_cast<float>(kPhysicalOffset);
}

bool FlatField(ImagePlane& img, const ImagePlane& flat, float mean)
{
    if (!CoversImage(flat, img))
        return false;
    const double m = mean;
    for (int y = 1; y <= img.Height(); ++y) {
        std::int16_t* row = img.Row(y);
        const std::int16_t* flatRow = flat.Row(y);
        for (int x = 1; x <= img.Width(); ++x) {
            const int physicalFlat = flatRow[x] + kPhysicalOffset;
            if (physicalFlat == 0)
                continue;
            const double r = (row[x] + kPhysicalOffset) * m / physicalFlat - kPhysicalOffset;
            if (const auto stored = RoundToInt16(r))
                row[x] = *stored;
        }
    }
    return true;
}

}  // namespace lumvane
