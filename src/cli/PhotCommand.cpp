#include "cli/Arguments.h"
#include "cli/Commands.h"

#include "core/image/FitsReader.h"
#include "core/photometry/StarCentring.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <ostream>

namespace lumvane::cli {
namespace {

const char* const kUsage =
    "Usage: lumvane-cli phot FILE --at X,Y [--at X,Y]... [--radius R[,R...]] [--method max|centroid]\n"
    "                        [--search N] [--annulus R1,R2] [--median P]\n"
    "Measures the star near each point (image coordinates, x from the left, y from the bottom)\n"
    "for each diaphragm radius (1 to 16 pixels, at most four; default 8). As with a click, a\n"
    "diaphragm that leaves the image ends the measurements of that point: it and the later\n"
    "radii are reported as outside. Defaults: --method max --search 2 --annulus 1.0,2.0 --median 10.\n";

constexpr int kMaxRadius = 16;
constexpr std::size_t kMaxRadii = 4;

std::string Text(float value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 9);
    return std::string(text, result.ptr);
}

std::string_view StatusName(StarStatus status)
{
    switch (status) {
    case StarStatus::Found:
        return "found";
    case StarStatus::Corner:
        return "corner";
    case StarStatus::NotFound:
        return "not_found";
    }
    return "not_found";
}

/// What the options of the command ask for.
struct PhotRequest {
    std::string fileName;
    std::vector<Point> points;
    std::vector<int> radii = {8};
    CentringMethod method = CentringMethod::Peak;
    int searchRadius = 2;
    PhotometryOptions options;
};

/// Reads the arguments into `request`; the text of what is wrong otherwise.
std::string Parse(const Args& args, PhotRequest& request)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--at" && hasValue) {
            const auto point = ParsePoint(args[++i]);
            if (!point)
                return "--at takes X,Y, not '" + args[i] + "'";
            request.points.push_back(*point);
        } else if (arg == "--radius" && hasValue) {
            const auto values = ParseNumberList(args[++i]);
            if (!values || values->size() > kMaxRadii)
                return "--radius takes one to four radii R[,R...], not '" + args[i] + "'";
            request.radii.clear();
            for (const double value : *values) {
                if (!(std::floor(value) >= 1 && std::floor(value) <= kMaxRadius))
                    return "a diaphragm radius is 1 to 16 pixels, not '" + args[i] + "'";
                request.radii.push_back(static_cast<int>(std::floor(value)));
            }
        } else if (arg == "--method" && hasValue) {
            const std::string& name = args[++i];
            if (name == "max")
                request.method = CentringMethod::Peak;
            else if (name == "centroid")
                request.method = CentringMethod::Centroid;
            else
                return "--method takes max or centroid, not '" + name + "'";
        } else if (arg == "--search" && hasValue) {
            const auto value = ParseNumber(args[++i]);
            if (!value || *value < 0.0)
                return "--search takes a radius of 0 or more, not '" + args[i] + "'";
            // Larger values are lowered to the largest a search takes.
            request.searchRadius = static_cast<int>(std::min(std::floor(*value), double{kMaxSearchRadius}));
        } else if (arg == "--annulus" && hasValue) {
            const auto values = ParseNumberList(args[++i]);
            if (!values || values->size() != 2)
                return "--annulus takes R1,R2, not '" + args[i] + "'";
            const auto inner = static_cast<float>((*values)[0]);
            const auto outer = static_cast<float>((*values)[1]);
            if (!(inner >= 0.1F))
                return "the inner annulus radius R1 is 0.1 or more, not '" + args[i] + "'";
            if (!(outer > inner))
                return "Outer radius should be bigger than inner: '" + args[i] + "'";
            request.options.annulusInner = inner;
            request.options.annulusOuter = outer;
        } else if (arg == "--median" && hasValue) {
            const auto value = ParseNumber(args[++i]);
            if (!value || *value < 0.0 || *value > 30.0)
                return "--median takes a percentage from 0 to 30, not '" + args[i] + "'";
            request.options.medianPercent = static_cast<float>(*value);
        } else if (arg.starts_with("-") || !request.fileName.empty()) {
            return "unexpected argument '" + arg + "'";
        } else {
            request.fileName = arg;
        }
    }
    if (request.fileName.empty())
        return "no file given";
    if (request.points.empty())
        return "no --at point given";
    return {};
}

}  // namespace

int RunPhot(const Args& args, std::ostream& out, std::ostream& err)
{
    PhotRequest request;
    if (const std::string problem = Parse(args, request); !problem.empty()) {
        err << "lumvane-cli phot: " << problem << '\n' << kUsage;
        return kExitUsage;
    }

    ImageStore store;
    UniformRandom random;
    store.files.SetCurrentFile(1);
    const FitsReadResult read = ReadFitsImage(store, request.fileName, PlaneId::Img, random);
    if (!read.message.empty())
        err << "lumvane-cli phot: " << read.message << '\n';
    if (read.status != FitsReadStatus::Read && read.status != FitsReadStatus::Truncated)
        return kExitFileError;

    const ImagePlane& img = store.img;
    out << "x y radius status centre_x centre_y net click_net mag_error diaphragm_pixels annulus_pixels\n";
    for (const Point& point : request.points) {
        const auto x = static_cast<float>(point.x);
        const auto y = static_cast<float>(point.y);
        bool outside = false;
        for (const int radius : request.radii) {
            const auto r = static_cast<float>(radius);
            outside = outside || !(r <= x && x <= static_cast<float>(img.Width()) - r && r <= y &&
                                   y <= static_cast<float>(img.Height()) - r);
            out << Text(x) << ' ' << Text(y) << ' ' << radius << ' ';
            if (outside) {
                out << "outside 0 0 0 0 0 0 0\n";
                continue;
            }
            const StarMeasurement star =
                MeasureStar(request.method, img, x, y, radius, request.searchRadius, request.options);
            out << StatusName(star.status) << ' ' << Text(star.centreX) << ' ' << Text(star.centreY) << ' '
                << Text(star.starNet) << ' ' << Text(star.clickNet) << ' ' << Text(star.magError) << ' '
                << star.diaphragmPixels << ' ' << star.annulusPixels << '\n';
        }
    }
    return kExitDone;
}

}  // namespace lumvane::cli
