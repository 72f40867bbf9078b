#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/PhotometryArguments.h"

#include "core/image/FitsReader.h"
#include "core/photometry/ClickPhotometry.h"
#include "core/photometry/StarCentring.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <ostream>

namespace lumvane::cli {

const char* const kPhotUsage
    = "Usage: lumvane-cli phot FILE --at X,Y [--at X,Y]... [--radius R[,R...]] [--method max|centroid]\n"
      "                        [--search N] [--annulus R1,R2] [--median P] [--dark FILE] [--flat FILE]\n"
      "Measures the star near each point (image coordinates, x from the left, y from the bottom)\n"
      "for each diaphragm radius (1 to 16 pixels, at most four). As with a click, a diaphragm that\n"
      "leaves the image ends the measurements of that point: it and the later radii are reported as\n"
      "outside.\n"
      "--dark subtracts a dark frame, then --flat divides by a flat field normalised to its mean, as the\n"
      "Image menu's Dark Subtract and Flat Field do; both frames must be at least the image's size.\n"
      "  --at X,Y               a point to measure (at least one; may be repeated)\n"
      "  --radius R[,R...]      diaphragm radii in pixels (default 8)\n"
      "  --method max|centroid  the star centre: the peak of (Iin-Iout) or the weight centre (default max)\n"
      "  --search N             the centre search radius, as \"Center search\" (default 2)\n"
      "  --annulus R1,R2        the background annulus from R1 x R to R2 x R (default 1.0,2.0)\n"
      "  --median P             the % of annulus pixels replaced, 0 to 30 (default 10)\n"
      "  --dark FILE            the dark frame (default none)\n"
      "  --flat FILE            the flat field (default none)\n";

namespace {

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
    PhotometryArguments photometry;
};

/// Reads the arguments into `request`; the text of what is wrong otherwise.
std::string Parse(const Args& args, PhotRequest& request)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string problem;
        if (ParsePhotometryOption(args, i, request.photometry, problem)) {
            if (!problem.empty())
                return problem;
        } else if (arg == "--at" && i + 1 < args.size()) {
            const auto point = ParsePoint(args[++i]);
            if (!point)
                return "--at takes X,Y, not '" + args[i] + "'";
            request.points.push_back(*point);
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

} // namespace

int RunPhot(const Args& args, std::ostream& out, std::ostream& err)
{
    PhotRequest request;
    if (const std::string problem = Parse(args, request); !problem.empty()) {
        err << "lumvane-cli phot: " << problem << '\n' << kPhotUsage;
        return kExitUsage;
    }

    ImageStore store;
    UniformRandom random;
    store.files.SetCurrentFile(1);
    const FitsReadResult read = ReadFitsImage(store, request.fileName, PlaneId::Img, random);
    if (!read.message.empty())
        err << "lumvane-cli phot: " << read.message << '\n';
    if (!read.GaveImage())
        return kExitFileError;
    const PhotometryArguments& photometry = request.photometry;
    auto calibration = ReadCalibrationFrames(photometry, store, random, "lumvane-cli phot: ", err);
    if (!calibration)
        return kExitFileError;
    calibration->Apply(store);

    const ClickSettings settings = ClickSettingsOf(photometry);
    out << "x y radius status centre_x centre_y net click_net mag_error diaphragm_pixels annulus_pixels\n";
    for (const Point& point : request.points) {
        const auto x = static_cast<float>(point.x);
        const auto y = static_cast<float>(point.y);
        LastStar last;
        const ClickResult click = MeasureClick(store.img, x, y, settings, {}, last);
        for (std::size_t k = 0; k < photometry.radii.size(); ++k) {
            const DiaphragmResult& diaphragm = click.diaphragms[k];
            out << Text(x) << ' ' << Text(y) << ' ' << static_cast<int>(std::floor(photometry.radii[k])) << ' ';
            // Not measured: this diaphragm left the image, or an earlier one did.
            if (diaphragm.outcome != DiaphragmOutcome::Measured) {
                out << "outside 0 0 0 0 0 0 0\n";
                continue;
            }
            const StarMeasurement& star = diaphragm.measurement;
            out << StatusName(star.status) << ' ' << Text(star.centreX) << ' ' << Text(star.centreY) << ' '
                << Text(star.starNet) << ' ' << Text(star.clickNet) << ' ' << Text(star.magError) << ' '
                << star.diaphragmPixels << ' ' << star.annulusPixels << '\n';
        }
    }
    return kExitDone;
}

} // namespace lumvane::cli
