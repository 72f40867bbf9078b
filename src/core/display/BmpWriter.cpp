#include "core/display/BmpWriter.h"

#include <cstdint>

namespace lumvane {

namespace {

void PutLittleEndian(std::string& bytes, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFFU));
}

} // namespace

WriteResult WriteBmp(const std::string& fileName, const RgbImage& picture)
{
    constexpr std::uint32_t kHeadersSize = 14 + 40;
    const auto width = static_cast<std::uint32_t>(picture.width);
    const auto height = static_cast<std::uint32_t>(picture.height);
    const std::uint32_t rowSize = (3 * width + 3) / 4 * 4; // rows padded to 4 bytes
    const std::uint32_t dataSize = rowSize * height;

    std::string bytes;
    bytes.reserve(kHeadersSize + dataSize);
    bytes += "BM";
    PutLittleEndian(bytes, kHeadersSize + dataSize, 4);
    PutLittleEndian(bytes, 0, 4); // reserved
    PutLittleEndian(bytes, kHeadersSize, 4);
    PutLittleEndian(bytes, 40, 4); // BITMAPINFOHEADER
    PutLittleEndian(bytes, width, 4);
    PutLittleEndian(bytes, height, 4); // positive: rows stored from the bottom
    PutLittleEndian(bytes, 1, 2); // planes
    PutLittleEndian(bytes, 24, 2); // bits per pixel
    PutLittleEndian(bytes, 0, 4); // no compression
    PutLittleEndian(bytes, dataSize, 4);
    PutLittleEndian(bytes, 2835, 4); // 72 dots per inch
    PutLittleEndian(bytes, 2835, 4);
    PutLittleEndian(bytes, 0, 4); // colours used
    PutLittleEndian(bytes, 0, 4); // important colours

    for (int row = picture.height - 1; row >= 0; --row) {
        const std::uint32_t* in = picture.pixels.data() + static_cast<std::size_t>(row) * width;
        for (std::uint32_t column = 0; column < width; ++column) {
            bytes.push_back(static_cast<char>(in[column] & 0xFFU)); // blue
            bytes.push_back(static_cast<char>((in[column] >> 8) & 0xFFU)); // green
            bytes.push_back(static_cast<char>((in[column] >> 16) & 0xFFU)); // red
        }
        bytes.append(rowSize - 3 * width, '\0');
    }

    return WriteFileBytes(fileName, bytes);
}

} // namespace lumvane
