#include "cli/PhotometryArguments.h"

#include "cli/Arguments.h"

#include "core/image/Calibration.h"
#include "core/image/FitsReader.h"
#include "core/photometry/OptionRules.h"

#include <algorithm>
#include <cmath>
#include <ostream>

namespace lumvane::cli {

const std::vector<Option<PhotometryArguments>>& PhotometryOptions()
{
    using Arguments = PhotometryArguments;
    static const std::vector<Option<Arguments>> options = {
        { { "--radius", "R[,R...]", "diaphragm radii in pixels (default 8)" },
            [](Arguments& arguments, const std::string& text) -> std::string {
                const auto values = ParseNumberList(text);
                if (!values || values->size() > std::size_t { kClickDiaphragms })
                    return "--radius takes one to four radii R[,R...], not '" + text + "'";
                for (const double value : *values) {
                    if (!(std::floor(value) >= 1 && std::floor(value) <= kMaxDiaphragmRadius))
                        return "a diaphragm radius is 1 to " + std::to_string(kMaxDiaphragmRadius) + " pixels, not '"
                            + text + "'";
                }
                arguments.radii = *values;
                return {};
            } },
        { { "--method", "max|centroid", "the star centre: the peak of (Iin-Iout) or the weight centre (default max)" },
            [](Arguments& arguments, const std::string& name) -> std::string {
                if (name == "max")
                    arguments.method = CentringMethod::Peak;
                else if (name == "centroid")
                    arguments.method = CentringMethod::Centroid;
                else
                    return "--method takes max or centroid, not '" + name + "'";
                return {};
            } },
        { { "--search", "N", "the centre search radius, as \"Center search\" (default 2)" },
            [](Arguments& arguments, const std::string& text) -> std::string {
                const auto value = ParseNumber(text);
                if (!value || *value < 0.0)
                    return "--search takes a radius of 0 or more, not '" + text + "'";
                arguments.search = *value;
                return {};
            } },
        { { "--annulus", "R1,R2", "the background annulus from R1 x R to R2 x R (default 1.0,2.0)" },
            [](Arguments& arguments, const std::string& text) -> std::string {
                const auto values = ParseNumberList(text);
                if (!values || values->size() != 2)
                    return "--annulus takes R1,R2, not '" + text + "'";
                const auto inner = static_cast<float>((*values)[0]);
                const auto outer = static_cast<float>((*values)[1]);
                if (!(inner >= 0.1F))
                    return "the inner annulus radius R1 is 0.1 or more, not '" + text + "'";
                if (!(outer > inner))
                    return "Outer radius should be bigger than inner: '" + text + "'";
                arguments.options = { inner, outer, arguments.options.medianPercent };
                return {};
            } },
        { { "--median", "P", "the % of annulus pixels replaced, 0 to 30 (default 10)" },
            [](Arguments& arguments, const std::string& text) -> std::string {
                const auto value = ParseNumber(text);
                if (!value || *value < 0.0 || *value > 30.0)
                    return "--median takes a percentage from 0 to 30, not '" + text + "'";
                arguments.options.medianPercent = static_cast<float>(*value);
                return {};
            } },
        TextOption<Arguments>({ "--dark", "FILE", "the dark frame (default none)" }, &Arguments::darkFile),
        TextOption<Arguments>({ "--flat", "FILE", "the flat field (default none)" }, &Arguments::flatFile),
    };
    return options;
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
