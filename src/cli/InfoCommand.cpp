#include "cli/Arguments.h"
#include "cli/Commands.h"

#include "core/common/NumberText.h"
#include "core/image/FitsReader.h"

#include <cmath>
#include <ostream>

namespace lumvane::cli {

const char* const kInfoUsage
    = "Usage: lumvane-cli info FILE [--plane IMG|DS|FF] [--pixel X,Y]...\n"
      "Prints the header values the program reads from FILE, the display cuts it proposes and\n"
      "the physical count of each pixel asked for, one 'key: value' per line.\n"
      "  --plane IMG|DS|FF  the plane FILE is read into: image, dark or flat (default IMG)\n"
      "  --pixel X,Y        a pixel to print (none by default; may be repeated), in whole image\n"
      "                     coordinates: x the column from the left, y the row from the bottom\n";

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

} // namespace

int RunInfo(const Args& args, std::ostream& out, std::ostream& err)
{
    std::string fileName;
    PlaneId plane = PlaneId::Img;
    std::vector<Point> pixels;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--plane" && hasValue) {
            const std::string& name = args[++i];
            if (name == "IMG")
                plane = PlaneId::Img;
            else if (name == "DS")
                plane = PlaneId::Ds;
            else if (name == "FF")
                plane = PlaneId::Ff;
            else {
                err << "lumvane-cli info: --plane takes IMG, DS or FF, not '" << name << "'\n" << kInfoUsage;
                return kExitUsage;
            }
        } else if (arg == "--pixel" && hasValue) {
            const auto point = ParsePoint(args[++i]);
            if (!point || point->x != std::floor(point->x) || point->y != std::floor(point->y)) {
                err << "lumvane-cli info: --pixel takes whole numbers X,Y, not '" << args[i] << "'\n" << kInfoUsage;
                return kExitUsage;
            }
            pixels.push_back(*point);
        } else if (arg.starts_with("-") || !fileName.empty()) {
            err << "lumvane-cli info: unexpected argument '" << arg << "'\n" << kInfoUsage;
            return kExitUsage;
        } else {
            fileName = arg;
        }
    }
    if (fileName.empty()) {
        err << kInfoUsage;
        return kExitUsage;
    }

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
    for (const Point& point : pixels) {
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

} // namespace lumvane::cli
