#include "cli/Arguments.h"
#include "cli/Commands.h"

#include "core/common/NumberText.h"
#include "core/image/FitsReader.h"

#include <cmath>
#include <ostream>

namespace lumvane::cli {

namespace {

std::string Trimmed(std::string text)
{
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

std::string Plain(float value)
{
    return PlainNumberText(NumberText(value));
}

struct InfoRequest {
    std::string fileName;
    PlaneId plane = PlaneId::Img;
    std::vector<Point> pixels;
};

const std::vector<Option<InfoRequest>>& InfoOptions()
{
    static const std::vector<Option<InfoRequest>> options = {
        { { "--plane", "IMG|DS|FF", "the plane FILE is read into: image, dark or flat (default IMG)" },
            [](InfoRequest& request, const std::string& name) -> std::string {
                if (name == "IMG")
                    request.plane = PlaneId::Img;
                else if (name == "DS")
                    request.plane = PlaneId::Ds;
                else if (name == "FF")
                    request.plane = PlaneId::Ff;
                else
                    return "--plane takes IMG, DS or FF, not '" + name + "'";
                return {};
            } },
        { { "--pixel", "X,Y",
              "a pixel to print (none by default; may be repeated), in whole image\n"
              "coordinates: x the column from the left, y the row from the bottom" },
            [](InfoRequest& request, const std::string& text) -> std::string {
                const auto point = ParsePoint(text);
                if (!point || point->x != std::floor(point->x) || point->y != std::floor(point->y))
                    return "--pixel takes whole numbers X,Y, not '" + text + "'";
                request.pixels.push_back(*point);
                return {};
            } },
    };
    return options;
}

std::string InfoUsage()
{
    return "Usage: lumvane-cli info FILE [--plane IMG|DS|FF] [--pixel X,Y]...\n"
           "Prints the header values the program reads from FILE, the display cuts it proposes and\n"
           "the physical count of each pixel asked for, one 'key: value' per line.\n"
        + OptionLines({ InfoOptions().begin(), InfoOptions().end() });
}

int RunInfo(const Args& args, std::ostream& out, std::ostream& err)
{
    const std::string usage = InfoUsage();
    InfoRequest request;
    if (const std::string problem = ParseOptions(args, InfoOptions(), request, request.fileName); !problem.empty()) {
        err << "lumvane-cli info: " << problem << '\n' << usage;
        return kExitUsage;
    }
    if (request.fileName.empty()) {
        err << usage;
        return kExitUsage;
    }
    const std::string& fileName = request.fileName;
    const PlaneId plane = request.plane;

    ImageStore store;
    UniformRandom random;
    store.files.SetCurrentFile(1);
    const FitsReadResult result = ReadFitsImage(store, fileName, plane, random);
    if (!result.headerRecorded) {
        err << "lumvane-cli info: " << result.message << '\n';
        return kExitFileError;
    }

    const HeaderValues& header = store.header;
    out << "file: " << fileName << '\n'
        << "header_bytes: " << result.headerBytes << '\n'
        << "BITPIX: " << header.bitpix << '\n'
        << "NAXIS1: " << header.naxis1 << '\n'
        << "NAXIS2: " << header.naxis2 << '\n'
        << "BZERO: " << Plain(header.bzero) << '\n'
        << "BSCALE: " << Plain(header.bscale) << '\n'
        << "exposure: " << header.exposure << '\n'
        << "temperature: " << Plain(header.temperature) << '\n'
        << "date: " << Trimmed(header.date) << '\n'
        << "time: " << Trimmed(header.time) << '\n'
        << "filter: " << Trimmed(header.filter) << '\n'
        << "history: " << Trimmed(header.history) << '\n';
    if (result.cuts)
        out << "black_cut: " << result.cuts->black << '\n' << "white_cut: " << result.cuts->white << '\n';
    if (!result.message.empty())
        err << "lumvane-cli info: " << result.message << '\n';
    if (!result.GaveImage())
        return kExitFileError;

    const ImagePlane& pixelsPlane = store.Plane(plane);
    for (const Point& point : request.pixels) {
        const int x = static_cast<int>(point.x);
        const int y = static_cast<int>(point.y);
        if (!pixelsPlane.Contains(x, y)) {
            err << "lumvane-cli info: pixel " << x << ',' << y << " lies outside the " << pixelsPlane.Width() << " x "
                << pixelsPlane.Height() << " image\n";
            return kExitUsage;
        }
        out << "pixel " << x << ' ' << y << ": " << Physical(pixelsPlane.At(x, y)) << '\n';
    }
    return kExitDone;
}

} // namespace

Subcommand InfoSubcommand()
{
    return { "info", "header values, proposed cuts and pixels of a FITS file", RunInfo, InfoUsage(),
        { InfoOptions().begin(), InfoOptions().end() } };
}

} // namespace lumvane::cli
