#pragma once

namespace lumvane {

/// @brief The background options in force for every measurement.
///
/// The annulus runs from annulusInner x r to annulusOuter x r around the
/// diaphragm of radius r; medianPercent of its pixels are dropped at each end
/// of their sorted list before the rest is summed. The Options tab keeps
/// annulusInner at 0.1 or more, annulusOuter above annulusInner and
/// medianPercent within 0..30.
struct PhotometryOptions {
    float annulusInner = 1.0F; ///< multiple of the diaphragm radius
    float annulusOuter = 2.0F; ///< multiple of the diaphragm radius
    float medianPercent = 10.0F;

    friend bool operator==(const PhotometryOptions&, const PhotometryOptions&) = default;
};

} // namespace lumvane
