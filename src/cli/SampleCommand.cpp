#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/SampleObservation.h"

#include "core/common/FileWrite.h"

#include <fitsio.h>

#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <sstream>

namespace lumvane::cli {

namespace {

namespace fs = std::filesystem;

/// A number with a fixed count of decimals, whatever the locale.
std::string Fixed(double value, int decimals)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    return std::string(text, result.ptr);
}

std::string Padded(const std::string& text, std::size_t width)
{
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

/// Writes the bytes to the file, replacing it; an error text, or empty.
std::string WriteBytes(const fs::path& path, const char* bytes, std::size_t size)
{
    const WriteResult written = WriteFileBytes(path.string(), std::string_view(bytes, size));
    return written.written ? std::string() : CannotWriteFileText(path.string(), written.reason);
}

/// Memory that CFITSIO grows with realloc while it composes a file.
struct FitsMemory {
    void* bytes = std::malloc(2880);
    std::size_t size = 2880;
    ~FitsMemory() { std::free(bytes); }
};

/// Writes one frame as an unsigned 16-bit image (BITPIX 16, BZERO 32768,
/// BSCALE 1). CFITSIO composes the file in memory, so the file name never goes
/// through its extended name syntax (a folder named "obs (2)" or "[1]" is
/// just a folder). Returns an error text, or empty.
std::string WriteFrame(const fs::path& path, const SampleFrame& frame)
{
    FitsMemory memory;
    fitsfile* file = nullptr;
    int status = 0;
    fits_create_memfile(&file, &memory.bytes, &memory.size, 2880, std::realloc, &status);
    long axes[2] = { kSampleWidth, kSampleHeight };
    fits_create_img(file, USHORT_IMG, 2, axes, &status);
    for (const auto& keyword : frame.keywords) {
        if (const auto* text = std::get_if<std::string>(&keyword.value))
            fits_write_key(file, TSTRING, keyword.name.c_str(), const_cast<char*>(text->c_str()),
                keyword.comment.c_str(), &status);
        else
            fits_write_key_fixdbl(
                file, keyword.name.c_str(), std::get<double>(keyword.value), 1, keyword.comment.c_str(), &status);
    }
    fits_write_img(file, TUSHORT, 1, static_cast<LONGLONG>(frame.counts.size()),
        const_cast<std::uint16_t*>(frame.counts.data()), &status);
    fits_flush_file(file, &status);
    LONGLONG headStart = 0;
    LONGLONG dataStart = 0;
    LONGLONG dataEnd = 0;
    fits_get_hduaddrll(file, &headStart, &dataStart, &dataEnd, &status);
    if (file) {
        int closeStatus = 0;
        fits_close_file(file, &closeStatus);
        status = status ? status : closeStatus;
    }
    if (status) {
        char text[FLEN_STATUS];
        fits_get_errstatus(status, text);
        return "cannot compose " + path.string() + ": " + text;
    }
    // The file ends with its data's last 2880-byte block.
    const auto fileSize = static_cast<std::size_t>((dataEnd + 2879) / 2880 * 2880);
    return WriteBytes(path, static_cast<const char*>(memory.bytes), fileSize);
}

std::string TruthText(const std::vector<SampleFrame>& frames)
{
    std::ostringstream text;
    text << "# Stars of the sample observation, one line per star and file.\n"
            "# x, y: image coordinates of the star's centre, pixel centres at whole numbers;\n"
            "#   x = 1 is the first column, y = 1 the bottom row, which is the file's last row.\n"
            "# flux: the star's total counts after dark subtraction and flat fielding, sky excluded.\n"
            "# role: St1 (main comparison star), comp (comparison star), var (the variable), - (field star).\n"
            "# file  star        x        y        flux role\n";
    for (const auto& frame : frames) {
        for (const auto& star : frame.stars) {
            text << frame.fileName << Padded(std::to_string(star.id), 6) << Padded(Fixed(star.x, 3), 9)
                 << Padded(Fixed(star.y, 3), 9) << Padded(Fixed(star.flux, 1), 12) << ' ' << star.role << '\n';
        }
    }
    return text.str();
}

const char* const kSampleUsage
    = "Usage: lumvane-cli sample DIR\n"
      "Writes a small, realistic observation into DIR (made when missing) with CFITSIO: the patrol\n"
      "series field.001 ... field.012 of one star field with one variable star, the dark frame\n"
      "dark.fts, the flat field flat.fts, and truth.txt with each star's position and flux in every\n"
      "frame. Existing files of those names are replaced. It prints the name of each file written.\n"
      "It takes no options.\n";

int RunSample(const Args& args, std::ostream& out, std::ostream& err)
{
    if (args.size() != 1 || args[0].empty()) {
        err << kSampleUsage;
        return kExitUsage;
    }
    if (args[0].starts_with("-")) {
        // An option, not a folder: a folder of that name is written as ./-NAME.
        err << "lumvane-cli sample: unexpected argument '" << args[0] << "'\n" << kSampleUsage;
        return kExitUsage;
    }
    const fs::path folder = args[0];
    std::error_code error;
    fs::create_directories(folder, error);
    if (error || !fs::is_directory(folder)) {
        err << "lumvane-cli sample: cannot make the folder " << folder.string() << ": "
            << (error ? error.message() : "a file of that name exists") << '\n';
        return kExitFileError;
    }

    const std::vector<SampleFrame> frames = MakeSampleObservation();
    for (const auto& frame : frames) {
        const fs::path path = folder / frame.fileName;
        if (const std::string problem = WriteFrame(path, frame); !problem.empty()) {
            err << "lumvane-cli sample: " << problem << '\n';
            return kExitFileError;
        }
        out << path.string() << '\n';
    }
    const std::string truth = TruthText(frames);
    const fs::path truthPath = folder / "truth.txt";
    if (const std::string problem = WriteBytes(truthPath, truth.data(), truth.size()); !problem.empty()) {
        err << "lumvane-cli sample: " << problem << '\n';
        return kExitFileError;
    }
    out << truthPath.string() << '\n';
    return kExitDone;
}

} // namespace

Subcommand SampleSubcommand()
{
    return { "sample", "writes a sample patrol series with dark, flat and truth.txt", RunSample, kSampleUsage, {} };
}

} // namespace lumvane::cli
