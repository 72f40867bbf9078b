#include "cli/SampleObservation.h"

#include "core/common/UniformRandom.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <string_view>

namespace lumvane::cli {
namespace {

constexpr int kWidth = kSampleWidth;
constexpr int kHeight = kSampleHeight;
constexpr int kEdge = 40; // no star centre comes closer to an edge (pixels)
constexpr double kMaxDrift = 5.0; // pixels either way from the first frame's position
constexpr double kExposure = 30.0; // seconds, science and dark frames
constexpr double kFlatExposure = 4.0;
constexpr int kCadence = 90; // seconds between exposure starts: exposure plus 60 s
constexpr int kSeriesStart = 19 * 3600 + 42 * 60 + 10; // 19:42:10 UTC
constexpr int kDarkStart = kSeriesStart + kSampleFrames * kCadence + 120;
constexpr int kFlatStart = 16 * 3600 + 58 * 60 + 40; // at dusk, before the series
constexpr char kDate[] = "2024-11-08";
constexpr double kTemperature = -20.5; // degrees C, the cooled camera
constexpr double kBias = 1000.0; // counts of the camera's pedestal
constexpr double kReadNoise = 8.0; // counts rms
constexpr double kSky = 650.0; // counts at unit response on the first frame
constexpr double kSkyRise = 12.0; // counts more on each later frame
constexpr double kFlatLevel = 20000.0; // mean counts of the flat field
constexpr int kFieldStars = 25; // besides St1, the comparison stars and the variable

/// The star field as it lies on the first frame.
struct FieldStar {
    double x;
    double y;
    double flux;
    const char* role;
};

/// Deviates drawn from the program's portable uniform sequence. Normal
/// deviates are sums of uniforms and Poisson noise its normal approximation
/// (every mean here is above 30 counts), so the noise needs nothing but
/// arithmetic and sqrt, which are exact on every platform.
class Noise {
public:
    double Uniform(double low, double high) { return low + (high - low) * m_uniform.Next(); }

    /// Standard normal: the sum of 12 uniforms less 6.
    double Normal()
    {
        double sum = -6.0;
        for (int i = 0; i < 12; ++i)
            sum += m_uniform.Next();
        return sum;
    }

    /// Counts of a detected signal of the given mean with its Poisson noise and
    /// the read noise.
    double Detected(double mean) { return mean + std::sqrt(mean + kReadNoise * kReadNoise) * Normal(); }

private:
    UniformRandom m_uniform;
};

/// Index of pixel (x, y) in a plane of image coordinates (x, y from 1, y up).
std::size_t Cell(int x, int y)
{
    return static_cast<std::size_t>(x - 1) + static_cast<std::size_t>(kWidth) * static_cast<std::size_t>(y - 1);
}

/// Relative response of the optics (vignetting): the centre a little off the
/// image's middle, the corners about 22 % below it, scaled to a mean of 1.
std::vector<double> Response()
{
    std::vector<double> response(static_cast<std::size_t>(kWidth) * kHeight);
    double sum = 0.0;
    for (int y = 1; y <= kHeight; ++y) {
        for (int x = 1; x <= kWidth; ++x) {
            const double r2 = (x - 270.0) * (x - 270.0) + (y - 245.0) * (y - 245.0);
            response[Cell(x, y)] = 1.0 - 0.22 * r2 / (360.0 * 360.0);
            sum += response[Cell(x, y)];
        }
    }
    for (auto& value : response)
        value *= static_cast<double>(response.size()) / sum;
    return response;
}

/// Dark current of one exposure: warmer towards the right-hand side, where the
/// read-out amplifier sits.
double DarkCurrent(int x)
{
    return kExposure * (1.0 + 1.5 * (x - 1) / (kWidth - 1));
}

std::vector<FieldStar> PlaceStars(Noise& noise)
{
    std::vector<FieldStar> stars = {
        { 150.3, 360.7, 240000.0, "St1" },
        { 372.6, 398.2, 90000.0, "comp" },
        { 118.4, 131.9, 60000.0, "comp" },
        { 404.1, 170.5, 120000.0, "comp" },
        { 262.8, 259.4, 70000.0, "var" },
    };
    const std::size_t named = stars.size();
    // Field stars anywhere the drift can't take closer than kEdge to an edge;
    // the named stars keep their annuli free of neighbours.
    const double low = 1.0 + kEdge + kMaxDrift;
    const double high = kWidth - kEdge - kMaxDrift;
    while (stars.size() < named + kFieldStars) {
        const FieldStar star { noise.Uniform(low, high), noise.Uniform(low, high),
            5000.0 * std::pow(30.0, noise.Uniform(0.0, 1.0)), "-" };
        bool crowded = false;
        for (std::size_t i = 0; i < stars.size(); ++i) {
            const double gap = i < named ? 32.0 : 20.0;
            const double dx = star.x - stars[i].x;
            const double dy = star.y - stars[i].y;
            crowded = crowded || dx * dx + dy * dy < gap * gap;
        }
        if (!crowded)
            stars.push_back(star);
    }
    return stars;
}

/// Adds a Gaussian star to a plane of image coordinates, each pixel getting
/// the share of the flux that falls on its square. (erf may differ in its last
/// bit between C libraries, far below the rounding to whole counts.)
void AddStar(std::vector<double>& plane, double x0, double y0, double flux, double sigma)
{
    constexpr int kReach = 12; // pixels either side, beyond 7 sigma of the widest star
    const double scale = sigma * std::numbers::sqrt2;
    const auto share = [scale](int pixel, double centre) {
        return 0.5 * (std::erf((pixel + 0.5 - centre) / scale) - std::erf((pixel - 0.5 - centre) / scale));
    };
    const int cx = static_cast<int>(std::lround(x0));
    const int cy = static_cast<int>(std::lround(y0));
    std::array<double, 2 * kReach + 1> wx {};
    std::array<double, 2 * kReach + 1> wy {};
    for (int k = -kReach; k <= kReach; ++k) {
        wx[k + kReach] = share(cx + k, x0);
        wy[k + kReach] = share(cy + k, y0);
    }
    for (int dy = -kReach; dy <= kReach; ++dy) {
        double* row = &plane[Cell(cx - kReach, cy + dy)];
        for (int dx = -kReach; dx <= kReach; ++dx)
            row[dx + kReach] += flux * wx[dx + kReach] * wy[dy + kReach];
    }
}

/// Rounds a plane of image coordinates to 16-bit counts in file order. The
/// reader puts the file's first row at the top, so FITS pixel (i, j), j
/// counting rows in the order written, is image pixel x = i, y = 512 - j + 1.
std::vector<std::uint16_t> FileOrder(const std::vector<double>& plane)
{
    std::vector<std::uint16_t> counts(plane.size());
    for (int y = 1; y <= kHeight; ++y) {
        std::uint16_t* fileRow = &counts[static_cast<std::size_t>(kHeight - y) * kWidth];
        for (int x = 1; x <= kWidth; ++x)
            fileRow[x - 1] = static_cast<std::uint16_t>(std::clamp(std::floor(plane[Cell(x, y)] + 0.5), 0.0, 65535.0));
    }
    return counts;
}

std::string DateObs(int secondsOfDay)
{
    char text[32];
    std::snprintf(
        text, sizeof text, "%sT%02d:%02d:%02d", kDate, secondsOfDay / 3600, secondsOfDay / 60 % 60, secondsOfDay % 60);
    return text;
}

std::vector<SampleKeyword> Keywords(const char* object, const char* type, int start, double exposure, bool withFilter)
{
    std::vector<SampleKeyword> keywords = {
        { "OBJECT", object, "what the frame shows" },
        { "IMAGETYP", type, "type of frame" },
        { "DATE-OBS", DateObs(start), "UTC start of the exposure" },
        { "EXPTIME", exposure, "[s] exposure time" },
        { "TEMPERAT", kTemperature, "[C] CCD temperature" },
    };
    if (withFilter)
        keywords.push_back({ "FILTER", "V", "filter" });
    return keywords;
}

} // namespace

std::vector<SampleFrame> MakeSampleObservation()
{
    Noise noise;
    const std::vector<FieldStar> field = PlaceStars(noise);
    const std::vector<double> response = Response();
    std::vector<SampleFrame> frames;

    double driftX = 0.0;
    double driftY = 0.0;
    for (int k = 0; k < kSampleFrames; ++k) {
        if (k > 0) {
            driftX = std::clamp(driftX + noise.Uniform(-1.3, 1.3), -kMaxDrift, kMaxDrift);
            driftY = std::clamp(driftY + noise.Uniform(-1.3, 1.3), -kMaxDrift, kMaxDrift);
        }
        const double fwhm = noise.Uniform(2.6, 3.8);
        const double sigma = fwhm / (2.0 * std::sqrt(2.0 * std::numbers::ln2));

        SampleFrame frame;
        char name[24];
        std::snprintf(name, sizeof name, "field.%03d", k + 1);
        frame.fileName = name;
        frame.keywords = Keywords("Sample field", "Light Frame", kSeriesStart + k * kCadence, kExposure, true);

        std::vector<double> image(response.size(), kSky + kSkyRise * k);
        for (std::size_t i = 0; i < field.size(); ++i) {
            const FieldStar& star = field[i];
            double flux = star.flux;
            // The variable swings by 0.5 magnitudes from peak to peak.
            if (std::string_view(star.role) == "var")
                flux *= std::pow(10.0, -0.4 * 0.25 * std::sin(2.0 * std::numbers::pi * k / 10.0));
            frame.stars.push_back({ static_cast<int>(i) + 1, star.x + driftX, star.y + driftY, flux, star.role });
            AddStar(image, star.x + driftX, star.y + driftY, flux, sigma);
        }
        for (int y = 1; y <= kHeight; ++y) {
            for (int x = 1; x <= kWidth; ++x) {
                double& value = image[Cell(x, y)];
                value = kBias + noise.Detected(DarkCurrent(x) + response[Cell(x, y)] * value);
            }
        }
        frame.counts = FileOrder(image);
        frames.push_back(std::move(frame));
    }

    std::vector<double> dark(response.size());
    std::vector<double> flat(response.size());
    for (int y = 1; y <= kHeight; ++y) {
        for (int x = 1; x <= kWidth; ++x) {
            dark[Cell(x, y)] = kBias + noise.Detected(DarkCurrent(x));
            // A master flat: pedestal and dark current already taken out.
            flat[Cell(x, y)] = noise.Detected(kFlatLevel * response[Cell(x, y)]);
        }
    }
    frames.push_back({ "dark.fts", FileOrder(dark), Keywords("Dark", "Dark Frame", kDarkStart, kExposure, false), {} });
    frames.push_back(
        { "flat.fts", FileOrder(flat), Keywords("Flat", "Flat Field", kFlatStart, kFlatExposure, true), {} });
    return frames;
}

} // namespace lumvane::cli
