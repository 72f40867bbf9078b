#include "core/profile/Profile.h"

#include "core/common/NumericValue.h"
#include "core/common/Rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace lumvane {
namespace {

/// Narrows [low, high] towards the offsets k for which origin + k * slope
/// lies in [1, end), keeping one more on each side so that rounding never
/// drops an offset the exact test keeps.
void NarrowOffsets(double origin, double slope, double end, double& low, double& high)
{
    if (slope == 0.0) {
        if (!(origin >= 1.0 && origin < end))
            high = low - 1.0;
        return;
    }
    const double first = (1.0 - origin) / slope;
    const double last = (end - origin) / slope;
    low = std::max(low, std::floor(std::min(first, last)) - 1.0);
    high = std::min(high, std::ceil(std::max(first, last)) + 1.0);
}

/// The offsets k of -w..w whose samples across the line at (x, y) may lie in
/// [1, xEnd) x [1, yEnd), the sample at k being (x - k across.x, y + k
/// across.y): a band far wider than the image costs only its samples on the
/// image. `last` is below `first` when there are none.
struct Offsets {
    int first = 0;
    int last = -1;
};

Offsets OffsetsOnImage(double x, double y, ProfileSample across, double xEnd, double yEnd, int w)
{
    double low = -w;
    double high = w;
    NarrowOffsets(x, -across.x, xEnd, low, high);
    NarrowOffsets(y, across.y, yEnd, low, high);
    return low <= high ? Offsets { static_cast<int>(low), static_cast<int>(high) } : Offsets {};
}

} // namespace

ProfileResult ComputeProfile(const ImagePlane& img, const ProfileLine& line, const ProfileSettings& settings, bool mark)
{
    ProfileResult result;
    result.settings = settings;

    const double dx = static_cast<double>(line.x2) - static_cast<double>(line.x1);
    const double dy = static_cast<double>(line.y2) - static_cast<double>(line.y1);
    const double length = std::sqrt(dx * dx + dy * dy);
    if (!(length < kMaxProfilePoints + 1.0)) {
        result.status = ProfileStatus::TooLong;
        return result;
    }
    const int n = static_cast<int>(Floor(length));
    if (n == 0)
        return result;
    result.status = ProfileStatus::Computed;
    result.values.assign(static_cast<std::size_t>(n), 0.0f);

    const int w = settings.width;
    const double step = 1.0 / (2.0 * n);
    // Pixel (Fix(xs), Fix(ys)) lies within 1..W, 1..H exactly when xs and ys lie
    // in [1, W + 1) and [1, H + 1): testing the doubles keeps far samples from
    // ever being turned into integers.
    const double xEnd = img.Width() + 1.0;
    const double yEnd = img.Height() + 1.0;

    double x = line.x1;
    double y = line.y1;
    for (int i = 0; i < n; ++i) {
        float sum = 0.0f; // the program sums in single precision
        int inside = 0;
        for (int j = 0; j < 2; ++j) {
            x += dx * step;
            y += dy * step;
            const Offsets offsets = OffsetsOnImage(x, y, { step * dy, step * dx }, xEnd, yEnd, w);
            for (int k = offsets.first; k <= offsets.last; ++k) {
                const double xs = x - k * step * dy;
                const double ys = y + k * step * dx;
                if (xs < 1.0 || xs >= xEnd || ys < 1.0 || ys >= yEnd)
                    continue;
                sum += static_cast<float>(Physical(img.At(static_cast<int>(xs), static_cast<int>(ys))));
                ++inside;
                if (mark)
                    result.samples.push_back({ xs, ys });
            }
        }
        if (inside == 0)
            continue;
        const double mean = static_cast<double>(sum) / inside;
        if (!settings.logarithm)
            result.values[static_cast<std::size_t>(i)] = static_cast<float>(mean);
        else if (mean > 0.0)
            result.values[static_cast<std::size_t>(i)] = static_cast<float>(std::log(mean));
        else
            result.values[static_cast<std::size_t>(i)] = sum; // the logarithm has no value
    }
    return result;
}

int ProfileWidth(std::string_view text)
{
    const double width = Floor(NumericValue(text));
    if (!(width >= std::numeric_limits<std::int16_t>::min() && width <= std::numeric_limits<std::int16_t>::max()))
        return 0;
    return static_cast<int>(width);
}

} // namespace lumvane
