#include "gui/display/PictureBitmap.h"

#include "core/display/BmpWriter.h"
#include "gui/app/Dialogs.h"
#include "gui/app/SaveName.h"

#include <QFile>
#include <QImage>

#include <algorithm>
#include <cstdint>

namespace lumvane {

namespace {

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

} // namespace

void SaveBmpAs(Dialogs& dialogs, StatusBar& status, const QImage& picture)
{
    const std::optional<QString> fileName
        = AskSaveName(dialogs, QStringLiteral("Enter filename of bitmap being saved or press CANCEL to avoid saving."),
            QStringLiteral("SAVE BMP"), {}, QStringLiteral("bmp"));
    if (!fileName)
        return;
    const WriteResult written = SavePictureBmp(picture, *fileName);
    if (written.written)
        ShowSaved(status, *fileName);
    else
        ShowCannotWriteFile(dialogs, *fileName, written);
}

} // namespace lumvane
