#pragma once

#include "core/results/ResultValues.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lumvane {

/// @brief A comparison star of an ensemble: its slot (St1..St19) and its
/// catalogue magnitude.
struct ComparisonStar {
    int slot = 0;
    double catalogue = 0.0;

    friend bool operator==(const ComparisonStar&, const ComparisonStar&) = default;
};

/// The comparison stars of an ensemble, in the order the observer gave them.
using Ensemble = std::vector<ComparisonStar>;

/// @brief What is wrong with an ensemble, or an empty text: a comparison star
/// is one of St1..St19, named once, with a catalogue magnitude below 100 in
/// size.
std::string EnsembleProblem(const Ensemble& ensemble);

/// @brief One comparison star as measured beside the target.
struct ComparisonMeasurement {
    double catalogue = 0.0; ///< its catalogue magnitude
    double instrumental = 0.0; ///< its instrumental magnitude on the file
    double error = 0.0; ///< the error of that instrumental magnitude
};

/// @brief A magnitude and its error.
struct MagnitudeEstimate {
    double magnitude = 0.0;
    double error = 0.0;
};

/// @brief The target's magnitude from several comparison stars.
///
/// Each comparison i gives the estimate m_i = catalogue_i + target - c_i,
/// weighted by w_i = 1 / (target error^2 + e_i^2); the magnitude is the
/// weighted mean M. Its error adds the target's own error to that of the
/// comparisons' zero point, which is the larger of the error the comparisons'
/// photon errors carry into M, sqrt(sum w_i^2 e_i^2) / sum w_i, and the error
/// their scatter shows, sqrt(sum w_i (m_i - M)^2 / ((n - 1) sum w_i)) (n >= 2),
/// the scatter taking in catalogue errors and comparisons that vary:
/// error = sqrt(target error^2 + zero point error^2). `comparisons` is not empty.
MagnitudeEstimate EnsembleMagnitude(
    double targetInstrumental, double targetError, std::span<const ComparisonMeasurement> comparisons);

/// @brief An ensemble magnitude on one line of the results file and the
/// comparison stars it took.
struct EnsembleEstimate {
    MagnitudeEstimate estimate;
    Ensemble used;
};

/// @brief The ensemble magnitude of `target` on `line`: from the comparison
/// stars of `ensemble` measured there, not saturated and with an error above
/// 0, the target itself
/// left out (so that a comparison star is judged by the others). Nothing when
/// the target has no instrumental magnitude or no comparison star is left.
std::optional<EnsembleEstimate> EnsembleOf(const ResultLine& line, const StarValue& target, const Ensemble& ensemble);

/// @brief The magnitude a view shows for `star` on `line`: its ensemble
/// magnitude when `ensemble` names comparison stars, else the magnitude the
/// results file computes with its error (StarValue::magnitude).
std::optional<MagnitudeEstimate> ShownMagnitude(
    const ResultLine& line, const StarValue& star, const Ensemble& ensemble);

} // namespace lumvane
