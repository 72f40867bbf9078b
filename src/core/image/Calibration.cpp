#include "core/image/Calibration.h"

#include "core/common/VectorClones.h"

#include <algorithm>
#include <vector>

namespace lumvane {

bool CoversImage(const ImagePlane& frame, const ImagePlane& img)
{
    return frame.Width() >= img.Width() && frame.Height() >= img.Height();
}

bool DarkSubtract(ImagePlane& img, const ImagePlane& dark)
{
    if (!CoversImage(dark, img))
        return false;
    Calibrate(img, &dark, nullptr, 0.0F);
    return true;
}

std::optional<float> FlatMean(const ImagePlane& flat, const ImagePlane& img, int naxis1, int naxis2)
{
    if (!CoversImage(flat, img) || naxis1 <= 0 || naxis2 <= 0)
        return std::nullopt;
    // Single precision in this order is part of the result: every mean the
    // program has given is reproduced to the last bit. The additions go
    // column by column, but the memory is read row by row: a strip of columns
    // is turned into column order first, so each cache line is fetched once.
    // A column of the strip is a cache line longer than the image's: columns a
    // power of two apart would share the cache's sets.
    constexpr std::size_t kStrip = 32;
    const auto height = static_cast<std::size_t>(img.Height());
    const std::size_t column = height + 32;
    std::vector<std::int16_t> strip(kStrip * column);
    float sum = 0.0F;
    for (int left = 1; left <= img.Width(); left += static_cast<int>(kStrip)) {
        const auto columns = std::min(kStrip, static_cast<std::size_t>(img.Width() - left + 1));
        for (std::size_t y = 1; y <= height; ++y) {
            const std::int16_t* row = flat.Row(static_cast<int>(y)) + left;
            for (std::size_t c = 0; c < columns; ++c)
                strip[c * column + y - 1] = row[c];
        }
        for (std::size_t c = 0; c < columns; ++c)
            for (std::size_t y = 0; y < height; ++y)
                sum += static_cast<float>(strip[c * column + y]);
    }
    return sum / static_cast<float>(naxis1) / static_cast<float>(naxis2) + static_cast<float>(kPhysicalOffset);
}

bool FlatField(ImagePlane& img, const ImagePlane& flat, float mean)
{
    if (!CoversImage(flat, img))
        return false;
    Calibrate(img, nullptr, &flat, mean);
    return true;
}

namespace {

// Adding and taking away 1.5 x 2^52 leaves the nearest integer, halves to the
// even one, for any |r| < 2^51 (here |r| < 2^33): the double's own rounding
// does it, in a form the compiler can vectorise.
constexpr double kRoundingMagic = 6755399441055744.0;

// Pixels left..right of a row: p - pd or 0 where a dark row is given; then,
// where a flat row is given, (p * m / pf) - 32767 rounded half-even, a pixel
// keeping its value where pf = 0 or the result can't be stored. Whole frames
// and tiles alike are calibrated here.
LUMVANE_VECTOR_CLONES
void CalibrateCells(
    std::int16_t* row, const std::int16_t* darkRow, const std::int16_t* flatRow, int left, int right, double mean)
{
    for (int x = left; x <= right; ++x) {
        int v = row[x];
        if (darkRow) {
            const int d = darkRow[x];
            v = v > d ? v - d - kPhysicalOffset : kStoredMin;
        }
        if (flatRow) {
            const int physicalFlat = flatRow[x] + kPhysicalOffset;
            // Selections, not branches, so that whole vectors of pixels go at once.
            const double divisor = physicalFlat != 0 ? physicalFlat : 1;
            const double r = (v + kPhysicalOffset) * mean / divisor - kPhysicalOffset;
            const double rounded = (r + kRoundingMagic) - kRoundingMagic;
            const bool stored = (physicalFlat != 0) & (rounded >= -32768.0) & (rounded <= 32767.0);
            v = static_cast<int>(stored ? rounded : static_cast<double>(v));
        }
        row[x] = static_cast<std::int16_t>(v);
    }
}

} // namespace

void Calibrate(ImagePlane& img, const ImagePlane* dark, const ImagePlane* flat, float mean)
{
    img.PrepareAll();
    for (int y = 1; y <= img.Height(); ++y)
        CalibrateCells(img.Row(y), dark ? dark->Row(y) : nullptr, flat ? flat->Row(y) : nullptr, 1, img.Width(), mean);
}

void CalibrateLazily(ImagePlane& img, const ImagePlane* dark, const ImagePlane* flat, float mean)
{
    img.Defer([dark, flat, mean](std::int16_t* row, int y, int left, int right) {
        CalibrateCells(row, dark ? dark->Row(y) : nullptr, flat ? flat->Row(y) : nullptr, left, right, mean);
    });
}

} // namespace lumvane
