#include "support/FitsWriter.h"

#include <fitsio.h>

#include <cstdio>
#include <stdexcept>

namespace lumvane::test {
namespace {

void Check(int status, const char* what)
{
    if (status != 0) {
        char text[FLEN_STATUS];
        fits_get_errstatus(status, text);
        throw std::runtime_error(std::string(what) + ": " + text);
    }
}

} // namespace

std::string Card(std::string_view text)
{
    std::string card(text.substr(0, 80));
    card.resize(80, ' ');
    return card;
}

std::string ValueCard(std::string_view keyword, std::string_view value)
{
    std::string name(keyword);
    name.resize(8, ' ');
    return Card(name + "= " + std::string(value));
}

std::string HeaderBlocks(const std::vector<std::string>& cards, bool withEnd)
{
    std::string header;
    for (const auto& card : cards)
        header += card;
    if (withEnd)
        header += Card("END");
    header.resize((header.size() + 2879) / 2880 * 2880, ' ');
    return header;
}

std::string DataBlocks(const std::vector<std::int16_t>& fileOrderValues)
{
    std::string data;
    data.reserve(fileOrderValues.size() * 2);
    for (const auto value : fileOrderValues) {
        const auto bits = static_cast<std::uint16_t>(value);
        data += static_cast<char>(bits >> 8);
        data += static_cast<char>(bits & 0xFF);
    }
    data.resize((data.size() + 2879) / 2880 * 2880, '\0');
    return data;
}

std::string PlaneFileBytes(const ImagePlane& plane, const std::vector<std::string>& extraCards)
{
    std::vector<std::int16_t> values;
    for (int y = plane.Height(); y >= 1; --y) // the file's first row is the top one
        for (int x = 1; x <= plane.Width(); ++x)
            values.push_back(static_cast<std::int16_t>(Physical(plane.At(x, y)) - 32768));
    std::vector<std::string> cards = ImageCards(plane.Width(), plane.Height());
    cards.push_back(ValueCard("BZERO", "32768"));
    cards.insert(cards.end(), extraCards.begin(), extraCards.end());
    return HeaderBlocks(cards) + DataBlocks(values);
}

std::vector<std::string> ImageCards(int width, int height, int bitpix)
{
    return { ValueCard("SIMPLE", "                   T"), ValueCard("BITPIX", std::to_string(bitpix)),
        ValueCard("NAXIS", "2"), ValueCard("NAXIS1", std::to_string(width)),
        ValueCard("NAXIS2", std::to_string(height)) };
}

void WriteWithCfitsio(const std::string& fileName, int width, int height,
    const std::vector<std::int16_t>& fileOrderValues, double bzero, double bscale,
    const std::vector<std::string>& extraCards)
{
    int status = 0;
    fitsfile* file = nullptr;
    std::remove(fileName.c_str());
    fits_create_file(&file, fileName.c_str(), &status);
    Check(status, "fits_create_file");
    long axes[2] = { width, height };
    fits_create_img(file, SHORT_IMG, 2, axes, &status);
    fits_write_key(file, TDOUBLE, "BSCALE", &bscale, nullptr, &status);
    fits_write_key(file, TDOUBLE, "BZERO", &bzero, nullptr, &status);
    for (const auto& card : extraCards)
        fits_write_record(file, Card(card).c_str(), &status);
    // Raw values are written as they are: no scaling on the way out.
    fits_set_bscale(file, 1.0, 0.0, &status);
    // CFITSIO stores rows bottom-up from the first pixel; file order is the
    // order of the bytes in the file, so the first value is its first pixel.
    std::vector<short> values(fileOrderValues.begin(), fileOrderValues.end());
    fits_write_img(file, TSHORT, 1, static_cast<LONGLONG>(values.size()), values.data(), &status);
    Check(status, "writing the image");
    fits_close_file(file, &status);
    Check(status, "fits_close_file");
}

CfitsioImage ReadWithCfitsio(const std::string& fileName)
{
    int status = 0;
    fitsfile* file = nullptr;
    fits_open_file(&file, fileName.c_str(), READONLY, &status);
    Check(status, "fits_open_file");
    long axes[2] = { 0, 0 };
    int naxis = 0;
    fits_get_img_dim(file, &naxis, &status);
    fits_get_img_size(file, 2, axes, &status);
    CfitsioImage image { static_cast<int>(axes[0]), static_cast<int>(axes[1]), {} };
    image.values.resize(static_cast<std::size_t>(axes[0] * axes[1]));
    int anyNull = 0;
    fits_read_img(
        file, TDOUBLE, 1, static_cast<LONGLONG>(image.values.size()), nullptr, image.values.data(), &anyNull, &status);
    Check(status, "fits_read_img");
    fits_close_file(file, &status);
    return image;
}

} // namespace lumvane::test
