#pragma once

#include "core/image/ImagePlane.h"

#include <optional>
#include <string_view>

namespace lumvane {

inline constexpr std::string_view kCalibrationFrameTooSmall = "The calibration frame is smaller than the image";

/// True when the frame has every cell x = 1..W, y = 1..H of the image; a
/// larger frame is used in those cells (aligned at its first column and its
/// last row, y = 1).
bool CoversImage(const ImagePlane& frame, const ImagePlane& img);

/// @brief Subtracts the dark frame in physical counts: p - pd where the image
/// is brighter than the dark frame, else 0. Changes nothing and returns false
/// when the dark frame is smaller than the image.
bool DarkSubtract(ImagePlane& img, const ImagePlane& dark);

/// @brief The flat's mean physical value over the image's cells, in single
/// precision: the stored values summed column by column (x outer, y inner)
/// into a float, divided by NAXIS1, then by NAXIS2, plus 32767. Nothing when
/// the flat is smaller than the image or NAXIS1 or NAXIS2 is not positive.
std::optional<float> FlatMean(const ImagePlane& flat, const ImagePlane& img, int naxis1, int naxis2);

/// @brief Divides the image by the flat normalised to `mean`: p' = p * m / pf,
/// rounded half-even. A pixel whose result can't be stored (a flat value of
/// physical 0, or a result outside the stored range) keeps its value.
/// Changes nothing and returns false when the flat is smaller than the image.
bool FlatField(ImagePlane& img, const ImagePlane& flat, float mean);

/// @brief DarkSubtract then FlatField in one pass over each row, with the
/// same results; either frame may be left out (nullptr). Frames must cover
/// the image (CoversImage).
void Calibrate(ImagePlane& img, const ImagePlane* dark, const ImagePlane* flat, float mean);

/// @brief Calibrate deferred (ImagePlane::Defer): each tile is calibrated
/// when it is first prepared, with the same results. The frames must stay
/// as they are until the plane is prepared or read anew.
void CalibrateLazily(ImagePlane& img, const ImagePlane* dark, const ImagePlane* flat, float mean);

} // namespace lumvane
