#include "gui/display/PictureBitmap.h"

#include <QFile>

#include <algorithm>
#include <cstdint>

namespace lumvane {

WriteResult SavePictureBmp(const QImage& picture, const QString& fileName)
{
    // Packed 0xAARRGGBB pixels, as the bitmap writer takes them.
    const QImage pixels = picture.convertToFormat(QImage::Format_RGB32);
    RgbImage rgb;
    rgb.width = pixels.width();
    rgb.height = pixels.height();
    rgb.pixels.resize(static_cast<std::size_t>(rgb.width) * static_cast<std::size_t>(rgb.height));
    for (int row = 0; row < rgb.height; ++row) {
        const auto* line = reinterpret_cast<const std::uint32_t*>(pixels.constScanLine(row));
        std::copy(line, line + rgb.width, rgb.pixels.begin() + static_cast<std::ptrdiff_t>(row) * rgb.width);
    }
    return WriteBmp(QFile::encodeName(fileName).toStdString(), rgb);
}

} // namespace lumvane
