#include "cli/Arguments.h"
#include "cli/Commands.h"

#include "core/display/BmpWriter.h"
#include "core/display/ColourTable.h"
#include "core/display/LevelRule.h"
#include "core/display/RenderImage.h"
#include "core/image/FitsReader.h"

#include <optional>
#include <ostream>

namespace lumvane::cli {

namespace {

struct RenderRequest {
    std::string fileName;
    std::string bitmapName;
    std::optional<double> black;
    std::optional<double> white;
    LevelScale scale = LevelScale::Linear;
};

/// Takes a cut in physical counts into `cut`.
std::string TakeCut(const std::string& option, const std::string& text, std::optional<double>& cut)
{
    cut = ParseNumber(text);
    return cut ? std::string() : option + " takes a number, not '" + text + "'";
}

const std::vector<Option<RenderRequest>>& RenderOptions()
{
    static const std::vector<Option<RenderRequest>> options = {
        { { "--black", "N", "the black cut (default: the proposed one)" },
            [](RenderRequest& request, const std::string& text) { return TakeCut("--black", text, request.black); } },
        { { "--white", "N", "the white cut (default: the proposed one)" },
            [](RenderRequest& request, const std::string& text) { return TakeCut("--white", text, request.white); } },
        { { "--log", "", "logarithmic levels, as the Display tab's Log (default linear)" },
            [](RenderRequest& request, const std::string&) {
                request.scale = LevelScale::Logarithmic;
                return std::string();
            } },
        TextOption<RenderRequest>({ "-o", "OUT.bmp", "the bitmap to write (required)" }, &RenderRequest::bitmapName),
    };
    return options;
}

std::string RenderUsage()
{
    return "Usage: lumvane-cli render FILE [--black N] [--white N] [--log] -o OUT.bmp\n"
           "  The whole image in the 16-level palette as a 24-bit bitmap, the first\n"
           "  file row at the top. Cuts in physical counts; without them the proposed\n"
           "  cuts. A cut of 0 means the default 200 (black) or 700 (white).\n"
        + OptionLines({ RenderOptions().begin(), RenderOptions().end() });
}

int RunRender(const Args& args, std::ostream& out, std::ostream& err)
{
    RenderRequest request;
    if (const std::string problem = ParseOptions(args, RenderOptions(), request, request.fileName); !problem.empty()) {
        err << "lumvane-cli render: " << problem << '\n' << RenderUsage();
        return kExitUsage;
    }
    if (request.fileName.empty() || request.bitmapName.empty()) {
        err << RenderUsage();
        return kExitUsage;
    }
    const std::string& fileName = request.fileName;
    const std::string& bitmapName = request.bitmapName;
    const LevelScale scale = request.scale;

    ImageStore store;
    UniformRandom random;
    store.files.SetCurrentFile(1);
    const FitsReadResult result = ReadFitsImage(store, fileName, PlaneId::Img, random);
    if (!result.message.empty())
        err << "lumvane-cli render: " << result.message << '\n';
    if (!result.GaveImage())
        return kExitFileError;

    const DisplayCuts proposed = result.cuts.value_or(DisplayCuts {});
    const DisplayCuts cuts = RenderCuts(request.black.value_or(proposed.black), request.white.value_or(proposed.white));
    const RgbImage picture = RenderWholeImage(store.img, ColourTable(cuts, scale));
    const WriteResult written = WriteBmp(bitmapName, picture);
    if (!written.written) {
        err << "lumvane-cli render: " << CannotWriteFileText(bitmapName, written.reason) << '\n';
        return kExitFileError;
    }
    out << "black_cut: " << cuts.black << '\n'
        << "white_cut: " << cuts.white << '\n'
        << "scale: " << (scale == LevelScale::Linear ? "linear" : "log") << '\n'
        << "size: " << picture.width << " x " << picture.height << '\n';
    return kExitDone;
}

} // namespace

Subcommand RenderSubcommand()
{
    return { "render", "the image in the display palette as a BMP file", RunRender, RenderUsage(),
        { RenderOptions().begin(), RenderOptions().end() } };
}

} // namespace lumvane::cli
