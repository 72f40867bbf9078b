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

const char* const kRenderUsage = "Usage: lumvane-cli render FILE [--black N] [--white N] [--log] -o OUT.bmp\n"
                                 "  The whole image in the 16-level palette as a 24-bit bitmap, the first\n"
                                 "  file row at the top. Cuts in physical counts; without them the proposed\n"
                                 "  cuts. A cut of 0 means the default 200 (black) or 700 (white).\n"
                                 "  --black N   the black cut (default: the proposed one)\n"
                                 "  --white N   the white cut (default: the proposed one)\n"
                                 "  --log       logarithmic levels, as the Display tab's Log (default linear)\n"
                                 "  -o OUT.bmp  the bitmap to write (required)\n";

namespace {

} // namespace

int RunRender(const Args& args, std::ostream& out, std::ostream& err)
{
    std::string fileName;
    std::string bitmapName;
    std::optional<double> black;
    std::optional<double> white;
    LevelScale scale = LevelScale::Linear;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if ((arg == "--black" || arg == "--white") && hasValue) {
            const auto value = ParseNumber(args[++i]);
            if (!value) {
                err << "lumvane-cli render: " << arg << " takes a number, not '" << args[i] << "'\n" << kRenderUsage;
                return kExitUsage;
            }
            (arg == "--black" ? black : white) = *value;
        } else if (arg == "--log") {
            scale = LevelScale::Logarithmic;
        } else if (arg == "-o" && hasValue) {
            bitmapName = args[++i];
        } else if (arg.starts_with("-") || !fileName.empty()) {
            err << "lumvane-cli render: unexpected argument '" << arg << "'\n" << kRenderUsage;
            return kExitUsage;
        } else {
            fileName = arg;
        }
    }
    if (fileName.empty() || bitmapName.empty()) {
        err << kRenderUsage;
        return kExitUsage;
    }

    ImageStore store;
    UniformRandom random;
    store.files.SetCurrentFile(1);
    const FitsReadResult result = ReadFitsImage(store, fileName, PlaneId::Img, random);
    if (!result.message.empty())
        err << "lumvane-cli render: " << result.message << '\n';
    if (!result.GaveImage())
        return kExitFileError;

    const DisplayCuts proposed = result.cuts.value_or(DisplayCuts {});
    const DisplayCuts cuts = RenderCuts(black.value_or(proposed.black), white.value_or(proposed.white));
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

} // namespace lumvane::cli
