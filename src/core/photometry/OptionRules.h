#pragma once

#include "core/photometry/PhotometryOptions.h"

#include <optional>
#include <string>
#include <string_view>

namespace lumvane {

/// @brief The text a box gets instead of what was typed, and whether a beep
/// goes with it.
struct TextCorrection {
    std::string text;
    bool beep = false;

    friend bool operator==(const TextCorrection&, const TextCorrection&) = default;
};

/// The largest diaphragm radius, pixels: what a radius box holds at most.
inline constexpr int kMaxDiaphragmRadius = 16;

/// @brief The limit checks run on every change of a box's text. Nothing when
/// the text passes (also when the correction would give the same text, so
/// replacing the text and checking it again always passes).
///
/// A diaphragm radius box `txtr(i)`: above kMaxDiaphragmRadius (16) becomes
/// "16", 0 or less "".
std::optional<TextCorrection> CheckRadiusText(std::string_view text);
/// The centre-search box `txtmp`: above 5 becomes "5", below 0 "0".
std::optional<TextCorrection> CheckSearchText(std::string_view text);
/// The inner annulus factor `TROptR1`: below 0.1 becomes "1", with a beep.
std::optional<TextCorrection> CheckInnerFactorText(std::string_view text);
/// The median percentage `TROptMedian`: below 0 becomes "0", above 30 "30",
/// with a beep.
std::optional<TextCorrection> CheckMedianText(std::string_view text);

/// @brief The Options tab as the user left it.
struct OptionsTab {
    std::string inner = "1.0"; ///< `TROptR1`
    std::string outer = "2.0"; ///< `TROptR2`
    std::string median = "10"; ///< `TROptMedian`
    bool maxMethod = true; ///< `Option1` ("Max") selected, else `Option2` ("Centroid")
    bool saveRelative = true; ///< `ChkSave` ("Save relatively St1") checked

    friend bool operator==(const OptionsTab&, const OptionsTab&) = default;
};

/// @brief The photometry options in force, and what the settings file keeps
/// of them: `annulusInner`, `annulusOuter`, `medianPercent`, `optionsRecord`
/// and `optionsChanged`.
struct OptionsInForce {
    PhotometryOptions options;
    std::string record; ///< the settings file's options line, set by Apply
    bool changed = false; ///< set by every Apply that succeeds
};

/// Apply's refusal when the outer factor is not above the inner one: a message
/// box with an OK button and this title, and a beep.
inline constexpr std::string_view kOuterRadiusMessage = "Outer radius should be bigger than inner";
inline constexpr std::string_view kOuterRadiusTitle = "Error!";

/// @brief Apply ("Apply" on the Options tab): takes the two annulus factors
/// and the median percentage of the boxes in force, builds the options record
/// and marks the options changed.
///
/// Returns false, and changes nothing, when the outer factor is not above the
/// inner one (as single-precision values).
bool ApplyOptions(const OptionsTab& tab, OptionsInForce& inForce);

/// @brief The eight-character options record IIOOMMCS: the two characters
/// after the sign column of the number text of annulusInner x 10 + 10, of
/// annulusOuter x 10 + 10 and of medianPercent + 10 (single precision), then
/// "1" for "Max" or "0", and "1" when saving relative to St1 or "0".
///
/// Only factors up to 8.9 fit: 9.5 gives 105, kept as "10".
std::string OptionsRecord(const PhotometryOptions& options, bool maxMethod, bool saveRelative);

/// @brief The options in force at start-up, read from the boxes as Apply
/// would, corrected where the boxes don't hold usable values: an inner factor
/// below 0.1 becomes 1.0, an outer factor not above the inner one the inner
/// factor + 1, a median percentage outside 0..30 becomes 10.
PhotometryOptions StartUpOptions(const OptionsTab& tab);

} // namespace lumvane
