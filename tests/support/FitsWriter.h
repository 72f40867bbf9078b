#pragma once

#include "core/image/ImagePlane.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lumvane::test {

/// One 80-character header card: the text padded with blanks (or cut).
std::string Card(std::string_view text);
/// "KEYWORD = value" laid out as a standard fixed-format card.
std::string ValueCard(std::string_view keyword, std::string_view value);

/// A header of the given cards, then an END card unless `withEnd` is false,
/// padded with blanks to whole 2880-byte blocks.
std::string HeaderBlocks(const std::vector<std::string>& cards, bool withEnd = true);

/// Big-endian 16-bit values in file order (first row first), padded with
/// zeros to a whole 2880-byte block.
std::string DataBlocks(const std::vector<std::int16_t>& fileOrderValues);

/// The usual cards of a 16-bit image: SIMPLE, BITPIX, NAXIS, NAXIS1, NAXIS2.
std::vector<std::string> ImageCards(int width, int height, int bitpix = 16);

/// A whole file of the plane's pixels with BZERO 32768, so that it reads
/// back to the same stored values, with extra cards after BZERO.
std::string PlaneFileBytes(const ImagePlane& plane, const std::vector<std::string>& extraCards = {});

/// Writes a 16-bit image with CFITSIO: raw file values in file order, with
/// BZERO and BSCALE cards as given, plus extra cards ("KEY = value / comment").
void WriteWithCfitsio(const std::string& fileName, int width, int height,
    const std::vector<std::int16_t>& fileOrderValues, double bzero, double bscale,
    const std::vector<std::string>& extraCards = {});

/// An image as CFITSIO reads it: physical values (BSCALE and BZERO applied),
/// in file order, with its size.
struct CfitsioImage {
    int width = 0;
    int height = 0;
    std::vector<double> values;
};
CfitsioImage ReadWithCfitsio(const std::string& fileName);

} // namespace lumvane::test
