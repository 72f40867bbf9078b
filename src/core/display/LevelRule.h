#pragma once

#include "core/display/LevelPalette.h"
#include "core/image/CutProposal.h"

#include <string_view>

namespace lumvane {

enum class LevelScale { Linear, Logarithmic };

/// Cuts used when a cut reads as 0 (empty, or no leading number).
constexpr int kDefaultBlackCut = 200;
constexpr int kDefaultWhiteCut = 700;

/// @brief The cuts of one render from the numbers typed as black and white
/// cut (physical counts).
///
/// Each is taken as its integer part (rounding down), held within the 32-bit
/// range; a black cut of 0 becomes 200 and a white cut of 0 becomes 700.
DisplayCuts RenderCuts(double blackValue, double whiteValue);

/// @brief RenderCuts of the numeric values of the two cut texts (the leading
/// number of each text, 0 when there is none).
DisplayCuts RenderCutsFromTexts(std::string_view blackText, std::string_view whiteText);

/// @brief The display level 0..n - 1 of a physical count among n levels (the
/// sixteen of the palette unless said).
///
/// Linear: ((n - 1) (p - black)) / (white - black), an integer division
/// truncating toward zero. Logarithmic: the largest integer not above
/// (n - 1) ln(p / black) / ln(white / black). The result is held within
/// 0..n - 1. Where the level can't be computed (equal cuts; in logarithmic
/// mode p, black or white not above 0) the level is 0. Cuts with black above
/// white invert the picture.
int PixelLevel(int physical, DisplayCuts cuts, LevelScale scale, int levels = kLevelCount);

} // namespace lumvane
