#pragma once

#include "core/image/FileList.h"
#include "core/results/Ensemble.h"
#include "core/results/ResultsFile.h"
#include "core/results/ResultsTable.h"

#include <optional>
#include <string>
#include <vector>

namespace lumvane {

/// A star varies when a constant star would show its chi-square, or a larger
/// one, with a probability below this.
inline constexpr double kConstantProbabilityLimit = 0.001;

/// @brief How one saved star fared in one diaphragm over the files of a
/// series, and whether it stayed constant.
struct StarSummary {
    int slot = 0;
    int diaphragm = 0;
    float radius = 0.0F; ///< the diaphragm's radius as the results file writes it, pixels
    /// Files by status: measured and not saturated, saturated, not measured.
    int measured = 0;
    int saturated = 0;
    int unmeasured = 0;
    /// Over the measured files whose magnitude has a value (ShownMagnitude),
    /// n of them: the mean magnitude; the scatter, sqrt(sum (m - mean)^2 /
    /// (n - 1)) for n >= 2; the mean error.
    int points = 0;
    std::optional<double> mean;
    std::optional<double> scatter;
    std::optional<double> meanError;
    /// chi^2 / (n - 1), chi^2 = sum ((m - M) / e)^2 about the mean M weighted
    /// by 1 / e^2; n >= 2 and every error above 0.
    std::optional<double> reducedChiSquare;
    /// The probability of a chi-square at least as large from a constant
    /// star (ChiSquareProbability with n - 1 degrees of freedom).
    std::optional<double> constantProbability;
    /// The probability is below kConstantProbabilityLimit.
    bool varies = false;
};

/// @brief Per saved star (in slot order) and diaphragm whose box holds a
/// radius: its files by status and the statistics of its magnitudes, those of
/// the results file or, when `ensemble` names comparison stars, the
/// ensemble's.
std::vector<StarSummary> SeriesSummary(
    const ResultsTable& table, const FileList& files, const ResultsFileSettings& settings, const Ensemble& ensemble);

/// @brief The probability that a chi-square with `degrees` degrees of freedom
/// reaches `chiSquare` or more: the regularized upper incomplete gamma
/// function Q(degrees / 2, chiSquare / 2).
double ChiSquareProbability(double chiSquare, int degrees);

/// @brief The summary as comma-separated values: a header row, then a row
/// per star and diaphragm: Star, Radius, Measured, Saturated, Unmeasured,
/// Mean magnitude, Scatter, Mean error (4 decimals), Reduced chi-square (3
/// decimals), Constant probability (shortest form), Varies ("yes" or "no");
/// "na" where a value does not exist. Rows end with CR LF.
std::string SeriesSummaryCsvText(const std::vector<StarSummary>& summary);

} // namespace lumvane
