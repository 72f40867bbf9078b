#pragma once

#include "core/display/ViewCoordinates.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace lumvane {

/// The zoom window's designed drawing size, pixels across and down.
constexpr int kZoomDesignSize = 81;

/// @brief The zoom factor z held as the zoom label's text: its numeric value
/// rounded half-even. A text that gives no factor of at least 1 (not a
/// number, 0, negative, beyond 16 bits) counts as 1.
int ZoomFactor(std::string_view labelText);

/// @brief s = 40 / z: half the side, in source pixels, of the neighbourhood
/// that the zoom window shows.
double ZoomHalfSpan(int zoomFactor);

/// @brief A rectangle of a view's picture drawn into the zoom window: its
/// top-left pixel (x, y) and size (the zoom window's drawing size), stretched
/// factor-fold, so that each source pixel becomes a factor x factor block.
/// Only the top-left part of the stretched picture, as large as the zoom
/// window, is seen.
struct ZoomRectangle {
    int x = 0; ///< view drawing-area pixels, origin top-left, y down
    int y = 0;
    int width = 0;
    int height = 0;
    int factor = 1;

    friend bool operator==(const ZoomRectangle&, const ZoomRectangle&) = default;
};

/// @brief The rectangle of the scrolled view's picture around the cursor,
/// for a view at 1:1 (the full-size picture itself is such a view, unscrolled).
///
/// The cursor's view pixel (cx, cy) = (round(x - h - 2), round((H - v - 2) - y))
/// of the image point (x, y) is held at least s and at most pw - s (ph - s
/// down) from the view's left (top) edge, as round(s) and round(pw - s); the
/// corner is round((cx - s) (81 + pw - zw)) \ pw across and the same down with
/// ph and zh, \ truncating toward zero. The designed 81 stands beside the
/// zoom window's measured size zw x zh, so that with the designed window the
/// corner is about (cx - s, cy - s). round is half-even throughout. Nothing
/// for a view without a drawing area.
std::optional<ZoomRectangle> ScrolledViewZoomRectangle(
    ViewPoint imagePoint, ViewPosition scroll, int imageHeight, int zoomFactor, PixelSize view, PixelSize zoom);

/// @brief Draws a zoom rectangle of a source picture into the zoom picture:
/// zoom pixel (c, r) shows source pixel (x + c / factor, y + r / factor).
///
/// Pictures are rows of packed colours from the top, `stride` pixels apart.
/// Zoom pixels whose source pixel lies outside the source picture take the
/// colour `outside`. Only the rectangle's pixels are read.
void DrawZoom(const ZoomRectangle& rectangle, const std::uint32_t* source, PixelSize sourceSize,
    std::ptrdiff_t sourceStride, std::uint32_t* zoom, PixelSize zoomSize, std::ptrdiff_t zoomStride,
    std::uint32_t outside);

} // namespace lumvane
