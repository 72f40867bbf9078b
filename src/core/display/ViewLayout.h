#pragma once

#include "core/display/ViewCoordinates.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace lumvane {

/// @brief How large the scrolled view shows the image.
enum class ViewScale {
    Fit, ///< the largest of 1:1, 1:2, 1:3, ... that shows the whole image in the picture area
    Quarter, ///< 1:4
    Half, ///< 1:2
    Full, ///< 1:1, one view pixel per image pixel
};

/// @brief The reduction of a scale for a W x H image in a picture area
/// (ViewPosition::reduction): 1, 2 or 4, or for Fit the smallest that gives a
/// picture no larger than the area.
int ViewReduction(ViewScale scale, int imageWidth, int imageHeight, PixelSize area);

/// @brief The outer size of the scrolled view's whole picture: the full-size
/// drawing area (W - 4) x (H - 4) reduced, partial blocks counted, plus the
/// 2-pixel border on each side. At 1:1 it is W x H.
PixelSize ReducedPictureSize(int imageWidth, int imageHeight, int reduction);

/// @brief Where the scrolled view and its scroll bars go in the picture area,
/// in pixels of the area. The view sits at (0, 0).
struct ViewLayout {
    int visibleWidth = 0; ///< Wv: outer width of the scrolled view
    int visibleHeight = 0; ///< Hv: outer height of the scrolled view
    bool horizontalBarShown = false;
    int horizontalBarTop = 0; ///< directly below the view (left 0)
    int horizontalBarWidth = 0;
    bool verticalBarShown = false;
    int verticalBarLeft = 0; ///< one pixel right of the view (top 0)
    int verticalBarHeight = 0;
};

/// @brief Lays out the scrolled view for a picture of an outer size: the
/// picture's own size where it fits the area, else what the area leaves
/// beside the scroll bars (`barThickness` pixels, the vertical one a pixel
/// off the view), with a bar on each side that does not fit. A view is never
/// less than its 4-pixel border.
ViewLayout LayoutViews(PixelSize picture, PixelSize area, int barThickness);

/// @brief One scroll bar's range and steps. A step of nothing is not a valid
/// step (below 1): the bar keeps the step it had.
struct ScrollBarSteps {
    int maximum = 0;
    std::optional<int> pageStep;
    std::optional<int> lineStep;

    friend bool operator==(const ScrollBarSteps&, const ScrollBarSteps&) = default;
};

struct ScrollRanges {
    ScrollBarSteps horizontal;
    ScrollBarSteps vertical;
};

/// @brief The scroll ranges of a picture of outer size W x H shown in a view
/// of outer size Wv x Hv: maximum W - Wv, page step W - 4 (the whole drawing
/// width, so one click in the trough reaches the end), line step the maximum
/// / 10 rounded half-even; the same down with H and Hv.
ScrollRanges ArrangeScrollRanges(PixelSize picture, PixelSize visible);

/// @brief Copies the window of the full-size picture that the view stands
/// over into the view's picture: view pixel (c, r) shows full-size pixel
/// ((c + h) k, (r + v) k), the one whose image point ImagePointOfView gives.
///
/// Pictures are rows of packed colours from the top, `stride` pixels apart.
/// View pixels past the full-size picture take the colour `outside`.
void CopyViewWindow(const std::uint32_t* picture, PixelSize pictureSize, std::ptrdiff_t pictureStride,
    ViewPosition view, std::uint32_t* target, PixelSize targetSize, std::ptrdiff_t targetStride, std::uint32_t outside);

} // namespace lumvane
