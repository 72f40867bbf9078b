#pragma once

#include "core/image/ImagePlane.h"
#include "core/photometry/PhotometryOptions.h"
#include "core/photometry/StarCentring.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumvane {

/// Diaphragms measured per click: the radius boxes 0..3.
inline constexpr int kClickDiaphragms = 4;

/// The addend of the relative magnitude: each view's click handler has its own,
/// so the same star can differ in the last decimal shown.
inline constexpr double kFullViewAddend = 0.0001; ///< `Picture1`, and the patrol driver
inline constexpr double kScrolledViewAddend = 0.00001; ///< `PicTwo`

/// What a circle drawn for a click marks; the views give each kind its colour.
enum class CircleKind {
    Click, ///< the diaphragm at the clicked point
    Centre, ///< the diaphragm at the centre found
};

/// Shown (critical icon, title "ERROR") when a click's photometry fails at its
/// trap while no patrol series runs.
inline constexpr std::string_view kMouseDownErrorMessage = "Error in MouseDown procedure!";
inline constexpr std::string_view kMouseDownErrorTitle = "ERROR";

/// What a star's measurement in one diaphragm is worth.
enum class MeasureStatus : std::uint8_t {
    None, ///< nothing recorded there
    Ok,
    /// Measured, but the diaphragm holds a pixel at the top of the range as
    /// read (ImagePlane::Saturated): the counts are too low.
    Saturated,
    /// No measurement: no star found, the diaphragm leaves the image, or the
    /// aperture reaches rows its file did not hold.
    Unmeasured,
};

/// @brief What the last click left for the star buttons and the patrol driver:
/// `starCentre`, `radiusNet(k)` and `radiusError(k)`, with what each is worth.
///
/// The caller keeps one for the whole run; each click overwrites the points
/// and the entries of the diaphragms that hold a radius, and the others keep
/// the values of an earlier click.
struct LastStar {
    /// The centre found in the first diaphragm that holds a radius (the one
    /// that follows the star); 0 when it found none. Image coordinates, pixels.
    float centreX = 0.0F;
    float centreY = 0.0F;
    float clickX = 0.0F; ///< the point clicked; 0 before any click
    float clickY = 0.0F;
    /// Per diaphragm; 0 where the diaphragm measured nothing.
    std::array<float, kClickDiaphragms> net {}; ///< net counts
    std::array<float, kClickDiaphragms> error {}; ///< magnitude error
    std::array<MeasureStatus, kClickDiaphragms> status { MeasureStatus::Unmeasured, MeasureStatus::Unmeasured,
        MeasureStatus::Unmeasured, MeasureStatus::Unmeasured };
};

/// What a click reads from the Photometry and Options tabs, as numbers.
struct ClickSettings {
    /// The numeric value of each radius box `txtr(0..3)`; 0 for an empty one.
    std::array<double, kClickDiaphragms> radii { 8.0, 0.0, 0.0, 0.0 };
    int searchRadius = 2; ///< see CentreSearchRadius; the patrol driver passes its own
    CentringMethod method = CentringMethod::Peak; ///< "Max" (Peak) or "Centroid"
    PhotometryOptions options; ///< the options in force (applied, not as typed)
    double st1Magnitude = 0.0; ///< the numeric value of `mtxtm1`; 0 for an empty box
    double addend = kFullViewAddend;
};

/// A circle to draw on the views, in image coordinates (x from the left, y
/// from the bottom, pixels).
struct ClickCircle {
    float x = 0.0F;
    float y = 0.0F;
    int radius = 0;
    CircleKind kind = CircleKind::Click;

    friend bool operator==(const ClickCircle&, const ClickCircle&) = default;
};

/// The texts of `lblsum`, `lblpx` and `lblsp`.
struct CountTexts {
    std::string sum; ///< net counts
    std::string pixels; ///< pixels in the diaphragm
    std::string perPixel; ///< floor(counts / pixels)

    friend bool operator==(const CountTexts&, const CountTexts&) = default;
};

/// @brief The magnitudes of a star relative to St1, and their field texts.
struct RelativeMagnitudes {
    float magnitude = 0.0F; ///< mv = m1 - 2.5 log10(net / St1's net + 0.000001) + addend
    float clickMagnitude = 0.0F; ///< mc = mv - 2.5 log10(click net / net)
    std::string magnitudeText; ///< `lblmv(k)`: mv floored to three decimals
    std::string clickMagnitudeText; ///< `lbleps` (written for diaphragm 0 only): mc floored likewise
    std::string errorText; ///< `lblepssum(k)`: the magnitude error floored likewise

    friend bool operator==(const RelativeMagnitudes&, const RelativeMagnitudes&) = default;
};

enum class DiaphragmOutcome {
    Skipped, ///< the radius box holds no radius: nothing changes for this diaphragm
    Measured, ///< measured (the star may still be NotFound or on the Corner)
    Outside, ///< the diaphragm around the click leaves the image: the loop stopped here
    NotReached, ///< after the loop stopped
    /// The click ended at its trap here, after the count fields: St1's
    /// magnitude is beyond single precision.
    Trapped,
};

/// One diaphragm of a click.
struct DiaphragmResult {
    DiaphragmOutcome outcome = DiaphragmOutcome::NotReached;
    int radius = 0; ///< floor of the box's value, pixels
    StarMeasurement measurement; ///< Measured and Trapped
    /// The texts for `lblsum`, `lblpx`, `lblsp` (Measured and Trapped).
    CountTexts counts;
    /// Measured, and only when St1's counts, the net counts and the counts at
    /// the click are all above 0.
    std::optional<RelativeMagnitudes> magnitudes;
    /// Measured (or Trapped) where St1 has no counts at this radius on the
    /// current file: no magnitude can be had until St1 is measured with it.
    bool withoutSt1 = false;
    /// Unmeasured unless Measured or Trapped found the star (MeasureStatusOf).
    MeasureStatus status = MeasureStatus::Unmeasured;
};

/// @brief Everything one click changed, for the views and the read-out fields.
struct ClickResult {
    std::array<DiaphragmResult, kClickDiaphragms> diaphragms;
    /// The index at which the loop stopped because the diaphragm left the image.
    std::optional<int> edgeStop;
    /// The click ended at its trap: show kMouseDownErrorMessage while no patrol runs.
    bool trapped = false;
    /// In drawing order: the Click circle with the first diaphragm (when box
    /// 0 holds a radius and it fits), a Centre one per star found.
    std::vector<ClickCircle> circles;

    /// The texts `lblsum`, `lblpx` and `lblsp` end with: those of the last
    /// diaphragm measured; nothing when none was.
    std::optional<CountTexts> FinalCounts() const;
};

/// The text of a magnitude field whose radius St1 has no counts at, and its tool tip.
inline constexpr std::string_view kNoSt1Text = "-";
inline constexpr std::string_view kNoSt1ToolTip = "St1 must be measured at this radius";

/// @brief What the Photometry tab's read-out fields show after a click: the
/// click sets or clears every one of them.
struct ClickFields {
    CountTexts counts; ///< `lblsum`, `lblpx`, `lblsp`: the last diaphragm measured; empty when none was
    std::string clickMagnitude; ///< `lbleps`: diaphragm 0's magnitude at the click, or empty
    /// `lblmv(k)`: the magnitude, kNoSt1Text where St1 has no counts at the
    /// radius, or empty (not measured, or no magnitude to be had).
    std::array<std::string, kClickDiaphragms> magnitude;
    std::array<std::string, kClickDiaphragms> error; ///< `lblepssum(k)`, beside the magnitude

    friend bool operator==(const ClickFields&, const ClickFields&) = default;
};

/// @brief The read-out fields of a click.
ClickFields FieldsOfClick(const ClickResult& click);

/// @brief The centre-search radius of the "Center search" box: the floor of
/// its numeric value, lowered to 13 (and raised to 0).
int CentreSearchRadius(double search);

/// @brief The magnitudes relative to St1 of a measured star, or nothing when
/// St1's counts, the star's net counts or its counts at the click are not above 0.
///
/// Single precision as the fields show it: mv and mc are held as single floats,
/// the logarithms are taken in double precision.
/// @param st1Magnitude the numeric value of St1's magnitude box
std::optional<RelativeMagnitudes> RelativeMagnitudesOf(
    const StarMeasurement& star, float st1Net, float st1Magnitude, double addend);

/// @brief True when a diaphragm of radius r around the clicked point lies
/// inside the image: r <= x <= W - r and r <= y <= H - r.
bool DiaphragmInsideImage(const ImagePlane& img, double x, double y, double r);

/// @brief What a measurement is worth: Unmeasured when the star was not found
/// or its annulus reaches a row the file did not hold; Saturated when a pixel
/// of its diaphragm is marked saturated; Ok otherwise.
MeasureStatus MeasureStatusOf(const ImagePlane& img, const StarMeasurement& star);

/// @brief The photometry of a click at image point (x, y): for each diaphragm
/// box 0..3 that holds a radius, centre the star, measure it and work out what
/// the fields show.
///
/// A box whose radius floors to 0 or less is skipped. The loop stops at the
/// first radius r whose diaphragm around the click leaves the image
/// (DiaphragmInsideImage). `last` takes the click, the centre the first
/// diaphragm that holds a radius found, and the net counts, error and status
/// of every diaphragm that holds one: a diaphragm that measured nothing
/// (a star not found, the loop stopped) leaves counts 0 and Unmeasured. A
/// star not found gets no Centre circle.
/// @param st1Net St1's net counts on the current file per diaphragm (St1NetCounts)
ClickResult MeasureClick(const ImagePlane& img, float x, float y, const ClickSettings& settings,
    const std::array<float, kClickDiaphragms>& st1Net, LastStar& last);

/// @brief Works out a click's magnitudes anew against St1's counts on the
/// current file (RelativeMagnitudesOf for each diaphragm Measured), as when
/// St1 was remembered after the click. A St1 magnitude beyond single
/// precision gives none.
void RelateToSt1(
    ClickResult& click, const std::array<float, kClickDiaphragms>& st1Net, double st1Magnitude, double addend);

/// @brief What a Shift-click shows: the plain sum in the first diaphragm.
struct QuickSumResult {
    int radius = 0;
    std::int64_t sum = 0; ///< physical counts
    std::int64_t pixels = 0; ///< pixels summed
    CountTexts counts; ///< for `lblsum`, `lblpx`, `lblsp`
    ClickCircle circle; ///< a Click circle, at the click
    /// The radius has no 16-bit value or no pixel was summed: the click ends at
    /// its trap and no field changes.
    bool trapped = false;
};

/// @brief The quick sum of a Shift-click at image point (x, y): r = floor of
/// the first radius box's numeric value; for dx = -r..r and dy = -h..h with h = floor(sqrt(r² -
/// dx²)) the physical counts of pixel (round(x + dx), round(y + dy)), halves to
/// even, are summed. No centring and no background. Pixels outside the image
/// count 0.
QuickSumResult QuickSum(const ImagePlane& img, float x, float y, double radiusValue);

} // namespace lumvane
