#pragma once

#include "cli/Arguments.h"
#include "cli/Commands.h"

#include "core/common/UniformRandom.h"
#include "core/image/ImageStore.h"
#include "core/patrol/SeriesCalibration.h"
#include "core/photometry/ClickPhotometry.h"
#include "core/photometry/PhotometryOptions.h"
#include "core/photometry/StarCentring.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace lumvane::cli {

/// The photometry options that phot and patrol share, with their defaults:
/// radius 8, max, search 2, annulus 1.0,2.0, median 10, no calibration.
struct PhotometryArguments {
    /// Diaphragm radii (one to four), each flooring to 1..16 pixels.
    std::vector<double> radii = { 8.0 };
    CentringMethod method = CentringMethod::Peak;
    double search = 2.0; ///< the "Center search" value, 0 or more
    PhotometryOptions options;
    std::string darkFile; ///< empty: no dark subtraction
    std::string flatFile; ///< empty: no flat fielding
};

/// The options of `PhotometryArguments`, in the order phot's usage lists them.
const std::vector<Option<PhotometryArguments>>& PhotometryOptions();

/// The photometry options as options of a request that holds them in its
/// `photometry`.
template <typename Request> std::vector<Option<Request>> PhotometryOptionsOf()
{
    std::vector<Option<Request>> options;
    for (const auto& option : PhotometryOptions())
        options.push_back({ option, [take = option.take](Request& request, const std::string& value) {
                               return take(request.photometry, value);
                           } });
    return options;
}

/// @brief What a click with these options measures: the radii in boxes 0..,
/// the method, the search radius of the "Center search" value and the
/// options; St1's magnitude 0.
ClickSettings ClickSettingsOf(const PhotometryArguments& arguments);

/// @brief Reads the dark frame and the flat field named in `arguments` into
/// DS and FF (file 1's list entry then describes the last one read, as a
/// menu command leaves it) and returns the calibration they make. Writes what
/// went wrong to `err` with the command's prefix and returns nothing when a
/// frame can't be read or is smaller than the image.
std::optional<SeriesCalibration> ReadCalibrationFrames(const PhotometryArguments& arguments, ImageStore& store,
    UniformRandom& random, const std::string& prefix, std::ostream& err);

} // namespace lumvane::cli
