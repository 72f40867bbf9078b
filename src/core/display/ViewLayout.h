#pragma once

#include <optional>

namespace lumvane {

/// Screen positions were designed in twips, at 15 twips per pixel.
constexpr float kTwipsPerPixel = 15.0F;

/// The screen size in pixels.
struct ScreenSize {
    int width = 0;
    int height = 0;
};

/// @brief Where the image views and their scroll bars go for one plot, in
/// pixels of the window's client area. Both views sit at (0, 0).
struct ViewLayout {
    double visibleWidth = 0.0; ///< Wv: outer width of the scrolled view
    double visibleHeight = 0.0; ///< Hv: outer height of the scrolled view
    bool horizontalBarShown = false;
    double horizontalBarTop = 0.0; ///< directly below the view (left 0)
    double horizontalBarWidth = 0.0;
    bool verticalBarShown = false;
    double verticalBarLeft = 0.0; ///< directly right of the view (top 0)
    double verticalBarHeight = 0.0;
};

/// @brief The largest outer size of the scrolled view on a screen: 244 pixels
/// less than the screen across and 114 less down (never below the 4 pixels
/// of the view's border).
ScreenSize LargestVisibleSize(ScreenSize screen);

/// @brief Lays out the scrolled view for a W x H image: the image's own size
/// where it fits, else the largest visible size with a scroll bar on that side.
ViewLayout LayoutViews(int imageWidth, int imageHeight, ScreenSize screen);

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

/// @brief The scroll ranges of a W x H image shown in a view of outer size
/// Wv x Hv: maximum W - Wv, page step W - 4 (the whole drawing width, so one
/// click in the trough reaches the end), line step the maximum / 10 rounded
/// half-even; the same down with H and Hv.
ScrollRanges ArrangeScrollRanges(int imageWidth, int imageHeight, int visibleWidth, int visibleHeight);

} // namespace lumvane
