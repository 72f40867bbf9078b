#include "cli/Arguments.h"
#include "cli/Commands.h"

#include "core/common/FileWrite.h"
#include "core/image/FitsReader.h"
#include "core/profile/Profile.h"
#include "core/profile/ProfileDataFile.h"

#include <ostream>

namespace lumvane::cli {

namespace {

struct ProfileRequest {
    std::string fileName;
    std::string outputName;
    std::optional<Point> from;
    std::optional<Point> to;
    ProfileSettings settings;
};

/// Takes a point X,Y into `point`.
std::string TakePoint(const std::string& option, const std::string& text, std::optional<Point>& point)
{
    point = ParsePoint(text);
    return point ? std::string() : option + " takes a point X,Y, not '" + text + "'";
}

const std::vector<Option<ProfileRequest>>& ProfileOptions()
{
    static const std::vector<Option<ProfileRequest>> options = {
        { { "--from", "X1,Y1", "the start of the line (required)" },
            [](ProfileRequest& request, const std::string& text) { return TakePoint("--from", text, request.from); } },
        { { "--to", "X2,Y2", "the end of the line (required)" },
            [](ProfileRequest& request, const std::string& text) { return TakePoint("--to", text, request.to); } },
        { { "--width", "W",
              "the band's width as the \"Profile width\" box takes it: the floor of W,\n"
              "in half-pixel steps to each side of the line (default 1)" },
            [](ProfileRequest& request, const std::string& text) -> std::string {
                // The rule of the "Profile width" box (the floor of the number),
                // but a text that is no number in 16-bit range is refused here.
                const auto number = ParseNumber(text);
                if (!number || *number < -32768.0 || *number >= 32768.0)
                    return "--width takes a number from -32768 to 32767, not '" + text + "'";
                request.settings.width = ProfileWidth(text);
                return {};
            } },
        { { "--log", "", "each point is the natural logarithm of its mean, as \"Log Profile\" (default off)" },
            [](ProfileRequest& request, const std::string&) {
                request.settings.logarithm = true;
                return std::string();
            } },
        TextOption<ProfileRequest>(
            { "-o", "DATA", "the file to write (default: standard output)" }, &ProfileRequest::outputName),
    };
    return options;
}

std::string ProfileUsage()
{
    return "Usage: lumvane-cli profile FILE --from X1,Y1 --to X2,Y2 [--width W] [--log] [-o DATA]\n"
           "Samples the image along the line from X1,Y1 to X2,Y2 (image coordinates, x from the left,\n"
           "y from the bottom) as the Profiles tab does and writes the profile data file.\n"
        + OptionLines({ ProfileOptions().begin(), ProfileOptions().end() });
}

int RunProfile(const Args& args, std::ostream& out, std::ostream& err)
{
    ProfileRequest request;
    if (const std::string problem = ParseOptions(args, ProfileOptions(), request, request.fileName); !problem.empty()) {
        err << "lumvane-cli profile: " << problem << '\n' << ProfileUsage();
        return kExitUsage;
    }
    if (request.fileName.empty() || !request.from || !request.to) {
        err << ProfileUsage();
        return kExitUsage;
    }
    const std::string& fileName = request.fileName;
    const std::string& outputName = request.outputName;
    const Point from = *request.from;
    const Point to = *request.to;

    ImageStore store;
    UniformRandom random;
    store.files.SetCurrentFile(1);
    const FitsReadResult read = ReadFitsImage(store, fileName, PlaneId::Img, random);
    if (!read.message.empty())
        err << "lumvane-cli profile: " << read.message << '\n';
    if (!read.GaveImage())
        return kExitFileError;

    const ProfileLine line { static_cast<float>(from.x), static_cast<float>(from.y), static_cast<float>(to.x),
        static_cast<float>(to.y) };
    const ProfileResult profile = ComputeProfile(store.img, line, request.settings, false);
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

} // namespace

Subcommand ProfileSubcommand()
{
    return { "profile", "the intensity profile along a line, as the profile data file", RunProfile, ProfileUsage(),
        { ProfileOptions().begin(), ProfileOptions().end() } };
}

} // namespace lumvane::cli
