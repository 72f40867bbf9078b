#pragma once

#include "core/common/UniformRandom.h"
#include "core/image/CutProposal.h"
#include "core/image/ImageStore.h"

#include <limits>
#include <optional>
#include <string>

namespace lumvane {

enum class FitsReadStatus {
    Read, ///< header and every pixel read
    Truncated, ///< the file ends inside the data: rows not wholly in it are marked missing, their cells beyond it 0
    NotSixteenBit, ///< BITPIX is not 16: header values recorded, plane unchanged
    NoHeaderEnd, ///< no END card: header values recorded, plane unchanged
    CannotOpen, ///< nothing in the store changed
    OutOfMemory, ///< the plane can't be allocated: nothing in the store changed
    TooLarge, ///< more pixels than the caller can show: nothing in the store changed
};

/// @brief What a read did, and the message its caller shows for it.
struct FitsReadResult {
    FitsReadStatus status = FitsReadStatus::Read;
    /// The message to show (empty after a complete read); title "Error!".
    std::string message;
    /// True when HeaderValues and the file's list entry were replaced (the
    /// caller then refreshes its file information).
    bool headerRecorded = false;
    /// Bytes of header before the data (a whole number of 2880-byte blocks).
    long long headerBytes = 0;
    /// Proposed display cuts: only for a read into IMG that filled the plane.
    std::optional<DisplayCuts> cuts;
    /// True when the read left an image in the plane: read whole, or truncated.
    bool GaveImage() const { return status == FitsReadStatus::Read || status == FitsReadStatus::Truncated; }
};

/// @brief Work done on each row of a read as soon as the row holds its
/// values, while it is still in cache (a series calibrates its frames so).
class RowFinisher {
public:
    /// The header is read and the plane has the image's size: before any row.
    virtual void Begin(const ImagePlane& plane, const HeaderValues& header) = 0;
    /// Row y (1..H) of the plane holds its values as read.
    virtual void FinishRow(ImagePlane& plane, int y) = 0;

protected:
    ~RowFinisher() = default;
};

/// @brief Reads a 16-bit FITS file into one plane of the store.
///
/// The header runs to the end of the 2880-byte block that holds its END card;
/// keywords are the names in columns 1 to 8 of its cards (the first card of a
/// name counts). Pixels convert by the FITS rule, physical = BSCALE * s + BZERO
/// with s the signed 16-bit value (BSCALE 1 and BZERO 0 where the header lacks
/// them, whatever an earlier file had), and are stored as physical - 32767 rounded
/// half-even and clipped to physical 0..65534; pixels clipped at the top, or
/// at 65534 in the file, are marked saturated. The first row of the file
/// becomes y = NAXIS2. A read into IMG also proposes display cuts, drawing from
/// `random`. A `finisher` is given every row of a read that reaches the pixels
/// (Read or Truncated, rows missing from the file included); the cuts are
/// proposed from the rows as read. An image of more than `maxPixels` pixels
/// is refused (TooLarge).
FitsReadResult ReadFitsImage(ImageStore& store, const std::string& fileName, PlaneId plane, UniformRandom& random,
    RowFinisher* finisher = nullptr, long long maxPixels = std::numeric_limits<long long>::max());

} // namespace lumvane
