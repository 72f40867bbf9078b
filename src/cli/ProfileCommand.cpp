#include "cli/Arguments.h"
#include "cli/Commands.h"

#include "core/common/FileWrite.h"
#include "core/image/FitsReader.h"
#include "core/profile/Profile.h"
#include "core/profile/ProfileDataFile.h"

#include <ostream>

namespace lumvane::cli {

const char* const kProfileUsage
    = "Usage: lumvane-cli profile FILE --from X1,Y1 --to X2,Y2 [--width W] [--log] [-o DATA]\n"
      "Samples the image along the line from X1,Y1 to X2,Y2 (image coordinates, x from the left,\n"
      "y from the bottom) as the Profiles tab does and writes the profile data file.\n"
      "  --from X1,Y1  the start of the line (required)\n"
      "  --to X2,Y2    the end of the line (required)\n"
      "  --width W     the band's width as the \"Profile width\" box takes it: the floor of W,\n"
      "                in half-pixel steps to each side of the line (default 1)\n"
      "  --log         each point is the natural logarithm of its mean, as \"Log Profile\" (default off)\n"
      "  -o DATA       the file to write (default: standard output)\n";

namespace {

} // namespace

int RunProfile(const Args& args, std::ostream& out, std::ostream& err)
{
    std::string fileName;
    std::string outputName;
    std::optional<Point> from;
    std::optional<Point> to;
    ProfileSettings settings;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if ((arg == "--from" || arg == "--to") && hasValue) {
            const auto point = ParsePoint(args[++i]);
            if (!point) {
                err << "lumvane-cli profile: " << arg << " takes a point X,Y, not '" << args[i] << "'\n"
                    << kProfileUsage;
                return kExitUsage;
            }
            (arg == "--from" ? from : to) = point;
        } else if (arg == "--width" && hasValue) {
            // The rule of the "Profile width" box (the floor of the number),
            // but a text that is no number in 16-bit range is refused here.
            const auto number = ParseNumber(args[++i]);
            if (!number || *number < -32768.0 || *number >= 32768.0) {
                err << "lumvane-cli profile: --width takes a number from -32768 to 32767, not '" << args[i] << "'\n"
                    << kProfileUsage;
                return kExitUsage;
            }
            settings.width = ProfileWidth(args[i]);
        } else if (arg == "--log") {
            settings.logarithm = true;
        } else if (arg == "-o" && hasValue) {
            outputName = args[++i];
        } else if (arg.starts_with("-") || !fileName.empty()) {
            err << "lumvane-cli profile: unexpected argument '" << arg << "'\n" << kProfileUsage;
            return kExitUsage;
        } else {
            fileName = arg;
        }
    }
    if (fileName.empty() || !from || !to) {
        err << kProfileUsage;
        return kExitUsage;
    }

    ImageStore store;
    UniformRandom random;
    store.files.SetCurrentFile(1);
    const FitsReadResult read = ReadFitsImage(store, fileName, PlaneId::Img, random);
    if (!read.message.empty())
        err << "lumvane-cli profile: " << read.message << '\n';
    if (!read.GaveImage())
        return kExitFileError;

    const ProfileLine line { static_cast<float>(from->x), static_cast<float>(from->y), static_cast<float>(to->x),
        static_cast<float>(to->y) };
    const ProfileResult profile = ComputeProfile(store.img, line, settings, false);
    if (profile.status == ProfileStatus::NoPoints) {
        err << "lumvane-cli profile: the line is shorter than one pixel, so it has no profile\n";
        return kExitUsage;
    }
    if (profile.status == ProfileStatus::TooLong) {
        err << "lumvane-cli profile: the line is longer than " << kMaxProfilePoints << " pixels\n";
        return kExitUsage;
    }

    const std::string text = ProfileDataText(profile.values);
    if (outputName.empty()) {
        out << text;
        return kExitDone;
    }
    const WriteResult written = WriteFileBytes(outputName, text);
    if (!written.written) {
        err << "lumvane-cli profile: " << CannotWriteFileText(outputName, written.reason) << '\n';
        return kExitFileError;
    }
    return kExitDone;
}

} // namespace lumvane::cli
