#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace lumvane::cli {

constexpr int kSampleWidth = 512;
constexpr int kSampleHeight = 512;
constexpr int kSampleFrames = 12;

/// One header keyword of a sample file: a text (written quoted) or a number
/// (written with one decimal).
struct SampleKeyword {
    std::string name;
    std::variant<std::string, double> value;
    std::string comment;
};

/// One star as it lies on one frame.
struct SampleStar {
    int id = 0; ///< the same star keeps its id on every frame
    /// Image coordinates of the centre, pixel centres at whole numbers: x = 1
    /// is the first column, y = 1 the bottom row, which is the file's last row.
    double x = 0.0;
    double y = 0.0;
    /// Total counts of the star once the frame is dark subtracted and flat
    /// fielded, sky excluded.
    double flux = 0.0;
    std::string role; ///< "St1", "comp", "var", or "-" for a field star
};

/// One file of the sample observation, ready to write.
struct SampleFrame {
    std::string fileName;
    /// Physical counts in the order a FITS writer writes them: the file's first
    /// row (the top of the image, y = 512) first, each row from x = 1.
    std::vector<std::uint16_t> counts;
    std::vector<SampleKeyword> keywords;
    std::vector<SampleStar> stars; ///< empty for the dark frame and the flat field
};

/// @brief The sample observation: the patrol series field.001 .. field.012 of
/// one star field, then dark.fts and flat.fts, all 512 x 512.
///
/// The science frames hold a camera pedestal, dark current and the sky and
/// stars seen through the flat's vignetting, with Poisson and read noise; the
/// field drifts by a few pixels, the seeing changes, and one star varies. Every
/// call, on every platform, gives the same frames.
std::vector<SampleFrame> MakeSampleObservation();

} // namespace lumvane::cli
