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

const std::vector<Option<PhotRequest>>& PhotOptions()
{
    static const std::vector<Option<PhotRequest>> options = [] {
        std::vector<Option<PhotRequest>> all
            = { { { "--at", "X,Y", "a point to measure (at least one; may be repeated)" },
                [](PhotRequest& request, const std::string& text) -> std::string {
                    const auto point = ParsePoint(text);
                    if (!point)
                        return "--at takes X,Y, not '" + text + "'";
                    request.points.push_back(*point);
                    return {};
                } } };
        for (auto& option : PhotometryOptionsOf<PhotRequest>())
            all.push_back(std::move(option));
        return all;
    }();
    return options;
}

std::string PhotUsage()
{
    return "Usage: lumvane-cli phot FILE --at X,Y [--at X,Y]... [--radius R[,R...]] [--method max|centroid]\n"
           "                        [--search N] [--annulus R1,R2] [--median P] [--dark FILE] [--flat FILE]\n"
           "Measures the star near each point (image coordinates, x from the left, y from the bottom)\n"
           "for each diaphragm radius (1 to 16 pixels, at most four). As with a click, a diaphragm that\n"
           "leaves the image ends the measurements of that point: it and the later radii are reported as\n"
           "outside.\n"
           "--dark subtracts a dark frame, then --flat divides by a flat field normalised to its mean, as the\n"
           "Image menu's Dark Subtract and Flat Field do; both frames must be at least the image's size.\n"
        + OptionLines({ PhotOptions().begin(), PhotOptions().end() });
}

/// Reads the arguments into `request`; the text of what is wrong otherwise.
std::string Parse(const Args& args, PhotRequest& request)
{
    if (std::string problem = ParseOptions(args, PhotOptions(), request, request.fileName); !problem.empty())
        return problem;
    if (request.fileName.empty())
        return "no file given";
    if (request.points.empty())
        return "no --at point given";
    return {};
}

int RunPhot(const Args& args, std::ostream& out, std::ostream& err)
{
    PhotRequest request;
    if (const std::string problem = Parse(args, request); !problem.empty()) {
        err << "lumvane-cli phot: " << problem << '\n' << PhotUsage();
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

} // namespace

Subcommand PhotSubcommand()
{
    return { "phot", "centres and measures stars at given points of a FITS file", RunPhot, PhotUsage(),
        { PhotOptions().begin(), PhotOptions().end() } };
}

} // namespace lumvane::cli
