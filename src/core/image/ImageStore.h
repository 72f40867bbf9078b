#pragma once

#include "core/image/FileList.h"
#include "core/image/HeaderValues.h"
#include "core/image/ImagePlane.h"

namespace lumvane {

enum class PlaneId { Img, Ds, Ff };

/// @brief All image data of a run: the science plane IMG, the dark frame DS,
/// the flat field FF, the last header's values and the per-file lists.
///
/// The rendered size is IMG's own size: every operation on IMG works within
/// the plane it has, whatever calibration frame was read since.
struct ImageStore {
    ImagePlane img;
    ImagePlane ds;
    ImagePlane ff;
    HeaderValues header;
    FileList files;

    ImagePlane& Plane(PlaneId id) { return id == PlaneId::Img ? img : id == PlaneId::Ds ? ds : ff; }
};

} // namespace lumvane
