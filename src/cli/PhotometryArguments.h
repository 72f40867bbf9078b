#pragma once

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

/// @brief Takes the option at args[i] when it is one of --radius, --method,
/// --search, --annulus, --median, --dark or --flat with a value, moving i to
/// its value. False when args[i] is none of them; `problem` tells what is
/// wrong with a value it took.
bool ParsePhotometryOption(const Args& args, std::size_t& i, PhotometryArguments& arguments, std::string& problem);

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
