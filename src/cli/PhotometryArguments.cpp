#include "cli/PhotometryArguments.h"

#include "cli/Arguments.h"

#include "core/image/Calibration.h"
#include "core/image/FitsReader.h"
#include "core/photometry/OptionRules.h"

#include <algorithm>
#include <cmath>
#include <ostream>

namespace lumvane::cli {

bool ParsePhotometryOption(const Args& args, std::size_t& i, PhotometryArguments& arguments, std::string& problem)
{
    const std::string& arg = args[i];
    if (i + 1 >= args.size())
        return false;
    if (arg == "--radius") {
        const std::string& text = args[++i];
        const auto values = ParseNumberList(text);
        if (!values || values->size() > std::size_t { kClickDiaphragms }) {
            problem = "--radius takes one to four radii R[,R...], not '" + text + "'";
            return true;
        }
        for (const double value : *values) {
            if (!(std::floor(value) >= 1 && std::floor(value) <= kMaxDiaphragmRadius)) {
                problem = "a diaphragm radius is 1 to " + std::to_string(kMaxDiaphragmRadius) + " pixels, not '" + text
                    + "'";
                return true;
            }
        }
        arguments.radii = *values;
    } else if (arg == "--method") {
        const std::string& name = args[++i];
        if (name == "max")
            arguments.method = CentringMethod::Peak;
        else if (name == "centroid")
            arguments.method = CentringMethod::Centroid;
        else
            problem = "--method takes max or centroid, not '" + name + "'";
    } else if (arg == "--search") {
        const std::string& text = args[++i];
        const auto value = ParseNumber(text);
        if (!value || *value < 0.0)
            problem = "--search takes a radius of 0 or more, not '" + text + "'";
        else
            arguments.search = *value;
    } else if (arg == "--annulus") {
        const std::string& text = args[++i];
        const auto values = ParseNumberList(text);
        if (!values || values->size() != 2) {
            problem = "--annulus takes R1,R2, not '" + text + "'";
            return true;
        }
        const auto inner = static_cast<float>((*values)[0]);
        const auto outer = static_cast<float>((*values)[1]);
        if (!(inner >= 0.1F))
            problem = "the inner annulus radius R1 is 0.1 or more, not '" + text + "'";
        else if (!(outer > inner))
            problem = "Outer radius should be bigger than inner: '" + text + "'";
        else
            arguments.options = { inner, outer, arguments.options.medianPercent };
    } else if (arg == "--median") {
        const std::string& text = args[++i];
        const auto value = ParseNumber(text);
        if (!value || *value < 0.0 || *value > 30.0)
            problem = "--median takes a percentage from 0 to 30, not '" + text + "'";
        else
            arguments.options.medianPercent = static_cast<float>(*value);
    } else if (arg == "--dark") {
        arguments.darkFile = args[++i];
    } else if (arg == "--flat") {
        arguments.flatFile = args[++i];
    } else {
        return false;
    }
    return true;
}

ClickSettings ClickSettingsOf(const PhotometryArguments& arguments)
{
    ClickSettings settings;
    settings.radii = {};
    std::copy_n(
        arguments.radii.begin(), std::min(arguments.radii.size(), settings.radii.size()), settings.radii.begin());
    settings.searchRadius = CentreSearchRadius(arguments.search);
    settings.method = arguments.method;
    settings.options = arguments.options;
    return settings;
}

std::optional<SeriesCalibration> ReadCalibrationFrames(const PhotometryArguments& arguments, ImageStore& store,
    UniformRandom& random, const std::string& prefix, std::ostream& err)
{
    const struct {
        const std::string& fileName;
        PlaneId plane;
    } frames[] = { { arguments.darkFile, PlaneId::Ds }, { arguments.flatFile, PlaneId::Ff } };
    for (const auto& frame : frames) {
        if (frame.fileName.empty())
            continue;
        const FitsReadResult read = ReadFitsImage(store, frame.fileName, frame.plane, random);
        if (!read.message.empty())
            err << prefix << read.message << '\n';
        if (!read.GaveImage())
            return std::nullopt;
        if (!CoversImage(store.Plane(frame.plane), store.img)) {
            err << prefix << kCalibrationFrameTooSmall << ": " << frame.fileName << '\n';
            return std::nullopt;
        }
    }
    return SeriesCalibration(!arguments.darkFile.empty(), !arguments.flatFile.empty());
}

} // namespace lumvane::cli
