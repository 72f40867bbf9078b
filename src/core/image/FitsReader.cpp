#include "core/image/FitsReader.h"

#include "core/common/NumericValue.h"
#include "core/common/Rounding.h"
#include "core/common/VectorClones.h"
#include "core/image/HeaderTarget.h"
#include "core/routines/SequentialFile.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace lumvane {
namespace {

constexpr std::size_t kBlockBytes = 2880;
constexpr std::size_t kCardBytes = 80;
constexpr std::size_t kStoredHeaderMinimum = 5760;
// No real header comes near this; it bounds the search in a file without END.
constexpr std::size_t kMaxHeaderBlocks = 1000;

const char* const kNotSixteenBit = "This file most probably is not in a 16 bit FITS format and might not be displayed";

bool IsEndCard(std::string_view card)
{
    return card.substr(0, 3) == "END" && card.find_first_not_of(' ', 3) == std::string_view::npos;
}

// The header blocks from the start of the file through the block that holds
// the END card.
struct RawHeader {
    std::string text;
    std::size_t cardCount = 0; ///< cards before END (all cards without END)
    bool hasEnd = false;
};

RawHeader ReadHeader(SequentialFile& file)
{
    RawHeader header;
    std::string block(kBlockBytes, ' ');
    for (std::size_t blocks = 0; blocks < kMaxHeaderBlocks && !header.hasEnd; ++blocks) {
        const std::size_t got = file.Read(block.data(), kBlockBytes);
        header.text.append(block, 0, got);
        for (std::size_t at = blocks * kBlockBytes; at + kCardBytes <= header.text.size(); at += kCardBytes) {
            if (IsEndCard(std::string_view(header.text).substr(at, kCardBytes))) {
                header.hasEnd = true;
                break;
            }
            ++header.cardCount;
        }
        if (got < kBlockBytes)
            break;
    }
    return header;
}

// Keyword look-up over the cards of a header: the name in columns 1 to 8 of a
// card, the first card of that name counting.
class Cards {
public:
    explicit Cards(const RawHeader& header)
        : m_text(header.text)
        , m_count(header.cardCount)
    {
    }

    std::string_view Card(std::size_t index) const { return m_text.substr(index * kCardBytes, kCardBytes); }

    std::optional<std::string_view> Find(std::string_view keyword) const
    {
        for (std::size_t i = 0; i < m_count; ++i) {
            const auto card = Card(i);
            const auto name = card.substr(0, 8);
            if (name.substr(0, keyword.size()) == keyword
                && name.find_first_not_of(' ', keyword.size()) == std::string_view::npos)
                return card;
        }
        return std::nullopt;
    }

    /// The leading number after the card's "=", 0 when there is none.
    std::optional<double> Number(std::string_view keyword) const
    {
        const auto card = Find(keyword);
        if (!card)
            return std::nullopt;
        const auto equals = card->find('=');
        return equals == std::string_view::npos ? 0.0 : NumericValue(card->substr(equals + 1));
    }

    /// The text between the card's first apostrophe and the next one.
    std::optional<std::string_view> Quoted(std::string_view keyword) const
    {
        const auto value = AfterApostrophe(keyword);
        return value ? std::optional(value->substr(0, value->find('\''))) : std::nullopt;
    }

    /// The quoted text in a field of `width` characters: cut, or padded
    /// with blanks; never the closing quote.
    std::optional<std::string> QuotedField(std::string_view keyword, std::size_t width = 8) const
    {
        const auto value = Quoted(keyword);
        return value ? std::optional(Field(*value, width)) : std::nullopt;
    }

    /// 10 characters from a column offset of the keyword's card; an absent
    /// keyword takes them from the header's first card at that offset.
    std::string ColumnText(std::string_view keyword, std::size_t offset) const
    {
        const auto card = Find(keyword);
        const auto source = card ? *card : m_text.substr(0, kCardBytes);
        return Field(source.substr(std::min(offset, source.size())), 10);
    }

    static std::string Field(std::string_view text, std::size_t width)
    {
        std::string field(text.substr(0, width));
        field.resize(width, ' ');
        return field;
    }

private:
    /// The rest of the keyword's card after its first apostrophe.
    std::optional<std::string_view> AfterApostrophe(std::string_view keyword) const
    {
        const auto card = Find(keyword);
        const auto open = card ? card->find('\'') : std::string_view::npos;
        return open == std::string_view::npos ? std::nullopt : std::optional(card->substr(open + 1));
    }

    std::string_view m_text;
    std::size_t m_count;
};

bool AllDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int ToInt(std::string_view digits)
{
    int value = 0;
    for (const char c : digits)
        value = value * 10 + (c - '0');
    return value;
}

bool IsIsoDate(std::string_view text)
{
    return text.size() >= 10 && AllDigits(text.substr(0, 4)) && text[4] == '-' && AllDigits(text.substr(5, 2))
        && text[7] == '-' && AllDigits(text.substr(8, 2));
}

struct CalendarDate {
    int year = 0;
    int month = 0;
    int day = 0;
};

std::optional<CalendarDate> ParseDate(std::string_view text)
{
    CalendarDate date;
    if (IsIsoDate(text)) {
        date = { ToInt(text.substr(0, 4)), ToInt(text.substr(5, 2)), ToInt(text.substr(8, 2)) };
    } else if (text.size() >= 8 && AllDigits(text.substr(0, 2)) && text[2] == '/' && AllDigits(text.substr(3, 2))
        && text[5] == '/' && AllDigits(text.substr(6, 2))) {
        // The old 'DD/MM/YY' form, years 1900 to 1999.
        date = { 1900 + ToInt(text.substr(6, 2)), ToInt(text.substr(3, 2)), ToInt(text.substr(0, 2)) };
    } else {
        return std::nullopt;
    }
    if (date.month < 1 || date.month > 12 || date.day < 1 || date.day > 31)
        return std::nullopt;
    return date;
}

// "hh:mm:ss" with an optional fraction of seconds; the hour may be one digit
// after a blank (' 9:27:27.00').
std::optional<UtcTime> ParseTimeOfDay(std::string_view text)
{
    const auto start = text.find_first_not_of(' ');
    if (start == std::string_view::npos)
        return std::nullopt;
    text = text.substr(start);
    const auto colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon > 2 || text.size() < colon + 6)
        return std::nullopt;
    const auto hour = text.substr(0, colon);
    const auto minute = text.substr(colon + 1, 2);
    const auto second = text.substr(colon + 4, 2);
    if (!AllDigits(hour) || !AllDigits(minute) || text[colon + 3] != ':' || !AllDigits(second))
        return std::nullopt;
    UtcTime time;
    time.hour = ToInt(hour);
    time.minute = ToInt(minute);
    time.second = ToInt(second);
    auto rest = text.substr(colon + 6);
    if (!rest.empty() && rest.front() == '.') {
        double scale = 0.1;
        for (std::size_t i = 1; i < rest.size() && rest[i] >= '0' && rest[i] <= '9'; ++i, scale /= 10.0)
            time.second += (rest[i] - '0') * scale;
    }
    if (time.hour > 23 || time.minute > 59 || time.second >= 61.0)
        return std::nullopt;
    return time;
}

struct ObservationTime {
    std::string date = std::string(8, ' ');
    std::string time = std::string(8, ' ');
    std::optional<UtcTime> start;
};

// Date from DATE-OBS (else DATE); time from an ISO DATE-OBS, else TIME-OBS,
// UT, UT-START, UTSTART, TIME, in that order. Only the file's own cards count.
ObservationTime ReadObservationTime(const Cards& cards)
{
    ObservationTime result;
    const auto dateValue = cards.Quoted("DATE-OBS") ? cards.Quoted("DATE-OBS") : cards.Quoted("DATE");
    std::optional<std::string_view> timeValue;
    if (dateValue) {
        if (IsIsoDate(*dateValue)) {
            result.date = std::string(dateValue->substr(0, 10));
            if (cards.Quoted("DATE-OBS") && dateValue->size() > 11 && (*dateValue)[10] == 'T') {
                timeValue = dateValue->substr(11);
                result.time = Cards::Field(*timeValue, 8);
            }
        } else {
            result.date = *(cards.QuotedField("DATE-OBS") ? cards.QuotedField("DATE-OBS") : cards.QuotedField("DATE"));
        }
    }
    if (!timeValue) {
        for (const char* keyword : { "TIME-OBS", "UT", "UT-START", "UTSTART", "TIME" }) {
            if (const auto field = cards.QuotedField(keyword)) {
                result.time = *field;
                timeValue = cards.Quoted(keyword);
                break;
            }
        }
    }
    const auto date = dateValue ? ParseDate(*dateValue) : std::nullopt;
    const auto timeOfDay = timeValue ? ParseTimeOfDay(*timeValue) : std::nullopt;
    if (date && timeOfDay) {
        result.start = *timeOfDay;
        result.start->year = date->year;
        result.start->month = date->month;
        result.start->day = date->day;
    }
    return result;
}

HeaderValues ParseHeader(const RawHeader& raw, ObservationTime& observation)
{
    const Cards cards(raw);
    HeaderValues values;
    if (const auto bitpix = cards.Number("BITPIX"))
        AssignRounded(values.bitpix, *bitpix);
    if (const auto naxis1 = cards.Number("NAXIS1"))
        AssignRounded(values.naxis1, *naxis1);
    if (const auto naxis2 = cards.Number("NAXIS2"))
        AssignRounded(values.naxis2, *naxis2);
    // Each header stands alone: without BZERO and BSCALE the values are the
    // file's own, as the FITS standard reads them.
    values.bzero = ToSingle(cards.Number("BZERO").value_or(0.0));
    values.bscale = ToSingle(cards.Number("BSCALE").value_or(1.0));
    if (values.bscale == 0.0F)
        values.bscale = 1.0F;

    for (const char* keyword : { "EXPTIME", "EXPOSURE", "ITIME" }) {
        if (values.exposure != 0)
            break;
        if (const auto exposure = cards.Number(keyword))
            AssignRounded(values.exposure, *exposure);
    }
    if (const auto temperature = cards.Number("TEMPERAT") ? cards.Number("TEMPERAT") : cards.Number("CCD-TEMP"))
        values.temperature = ToSingle(*temperature);

    observation = ReadObservationTime(cards);
    values.date = observation.date;
    values.time = observation.time;
    values.history = cards.ColumnText("HISTORY", 10);
    // A quoted filter name is shown without its closing quote.
    values.filter = cards.QuotedField("FILTER", 10).value_or(cards.ColumnText("FILTER", 11));

    values.headerText = raw.text;
    if (values.headerText.size() < kStoredHeaderMinimum)
        values.headerText.resize(kStoredHeaderMinimum, ' ');
    return values;
}

FileEntry MakeEntry(const HeaderValues& values, const ObservationTime& observation, const std::string& fileName)
{
    FileEntry entry;
    entry.exposure = static_cast<float>(values.exposure);
    entry.time = values.time.substr(0, 5);
    entry.filter = values.filter.empty() ? ' ' : values.filter.front();
    entry.name = fileName.size() >= 12 ? fileName.substr(fileName.size() - 12) : Cards::Field(fileName, 12);
    entry.observationStart = observation.start;
    entry.target = HeaderTargetPosition(values.headerText);
    entry.filterName = HeaderFilterName(values.headerText);
    entry.airmass = HeaderAirmass(values.headerText);
    return entry;
}

// Converts big-endian 16-bit file values into stored values.
// The n-th 16-bit value of big-endian bytes. A load and a byte swap, which
// the compiler turns into whole-vector shifts.
inline std::uint16_t BigEndianAt(const unsigned char* bytes, std::size_t n)
{
    std::uint16_t value;
    std::memcpy(&value, bytes + 2 * n, sizeof value);
    if constexpr (std::endian::native == std::endian::little)
        value = static_cast<std::uint16_t>((value << 8) | (value >> 8));
    return value;
}

// stored = s + offset where s lies in low..high, else the stored value of
// physical 0 below and of 65534 above. Every term fits in 16 bits, so the loop
// runs on whole vectors of 16-bit lanes.
LUMVANE_VECTOR_CLONES
void ConvertOffsetRow(const unsigned char* bytes, std::size_t count, std::int16_t* out, std::uint16_t offset,
    std::int16_t low, std::int16_t high)
{
    for (std::size_t n = 0; n < count; ++n) {
        const std::uint16_t raw = BigEndianAt(bytes, n);
        const auto s = static_cast<std::int16_t>(raw);
        const auto sum = static_cast<std::int16_t>(static_cast<std::uint16_t>(raw + offset));
        out[n] = s < low ? static_cast<std::int16_t>(kStoredMin)
            : s > high   ? static_cast<std::int16_t>(kStoredMax)
                         : sum;
    }
}

// The largest stored value of a row: a whole vector of lanes at a time.
LUMVANE_VECTOR_CLONES
std::int16_t RowMaximum(const std::int16_t* row, std::size_t count)
{
    std::int16_t maximum = std::numeric_limits<std::int16_t>::min();
    for (std::size_t n = 0; n < count; ++n)
        maximum = std::max(maximum, row[n]);
    return maximum;
}

// Marks the pixels of row y (values from x = 1) that hold the top of the
// range: physical 65534, where the conversion put every larger value.
void MarkSaturated(ImagePlane& plane, int y, const std::int16_t* row, std::size_t count)
{
    if (RowMaximum(row, count) < kStoredMax)
        return;
    for (std::size_t n = 0; n < count; ++n)
        if (row[n] == kStoredMax)
            plane.SetSaturated(static_cast<int>(n) + 1, y, true);
}

class PixelConverter {
public:
    PixelConverter(float bscale, float bzero)
    {
        const double scale = bscale;
        const double zero = bzero;
        if (scale == 1.0 && zero == std::trunc(zero) && zero >= 0.0 && zero <= 65534.0) {
            const int offset = static_cast<int>(zero) - kPhysicalOffset;
            m_offset = static_cast<std::uint16_t>(offset);
            m_low = static_cast<std::int16_t>(std::max(kStoredMin - offset, -32768));
            m_high = static_cast<std::int16_t>(std::min(kStoredMax - offset, 32767));
            return;
        }
        m_table.resize(65536);
        for (int s = -32768; s <= 32767; ++s) {
            const double stored = RoundHalfEven(scale * s + zero - kPhysicalOffset);
            // An infinite scale times 0 has no value: it stores as physical 0.
            m_table[static_cast<std::uint16_t>(s)] = std::isnan(stored)
                ? static_cast<std::int16_t>(kStoredMin)
                : static_cast<std::int16_t>(std::clamp(stored, double(kStoredMin), double(kStoredMax)));
        }
    }

    void ConvertRow(const unsigned char* bytes, std::size_t count, std::int16_t* out) const
    {
        if (m_table.empty()) {
            ConvertOffsetRow(bytes, count, out, m_offset, m_low, m_high);
        } else {
            for (std::size_t n = 0; n < count; ++n)
                out[n] = m_table[BigEndianAt(bytes, n)];
        }
    }

private:
    // BSCALE 1 with a whole BZERO of 0..65534 (the usual 0 and 32768).
    std::uint16_t m_offset = 0;
    std::int16_t m_low = 0;
    std::int16_t m_high = 0;
    // Any other pair: the stored value of each raw value.
    std::vector<std::int16_t> m_table;
};

// Reads the rows that follow the header into the plane, the first file row at
// y = H, marking its saturated pixels and handing each row above `heldRows`
// to the finisher as soon as it is filled. Cells the file does not reach are
// set to 0 (a fresh plane holds zeros that cost nothing until touched) and
// their rows marked missing; returns false when the file ends early.
bool ReadPixels(SequentialFile& file, ImagePlane& plane, bool fresh, const PixelConverter& converter,
    RowFinisher* finisher, int heldRows)
{
    plane.Renew();
    const auto width = static_cast<std::size_t>(plane.Width());
    const int height = plane.Height();
    if (width == 0 || height == 0)
        return true;
    const auto finish = [&](int y) {
        if (finisher && y > heldRows)
            finisher->FinishRow(plane, y);
    };
    const std::size_t rowBytes = 2 * width;
    // A quarter of a megabyte a read: few system calls, and each chunk is
    // converted (and finished) while it is still in cache.
    const std::size_t rowsPerChunk = std::max<std::size_t>(1, (1u << 18) / rowBytes);
    std::vector<unsigned char> chunk(rowsPerChunk * rowBytes);
    for (int firstRow = 1; firstRow <= height;) {
        const auto rows = std::min<std::size_t>(rowsPerChunk, static_cast<std::size_t>(height - firstRow + 1));
        const std::size_t got = file.Read(chunk.data(), rows * rowBytes);
        for (std::size_t r = 0; r < rows; ++r) {
            const int y = height - firstRow - static_cast<int>(r) + 1;
            const std::size_t rowStart = r * rowBytes;
            const std::size_t values = rowStart < got ? std::min(width, (got - rowStart) / 2) : 0;
            std::int16_t* row = plane.Row(y) + 1;
            converter.ConvertRow(chunk.data() + rowStart, values, row);
            MarkSaturated(plane, y, row, values);
            if (values < width) {
                std::fill(row + values, row + width, std::int16_t { 0 });
                // The row the file ends in is missing as well as those below it.
                for (int missing = y; missing >= 1; --missing) {
                    if (missing < y && !fresh)
                        std::fill_n(plane.Row(missing) + 1, width, std::int16_t { 0 });
                    plane.SetRowMissing(missing, true);
                    finish(missing);
                }
                return false;
            }
            finish(y);
        }
        firstRow += static_cast<int>(rows);
    }
    return true;
}

} // namespace

FitsReadResult ReadFitsImage(ImageStore& store, const std::string& fileName, PlaneId plane, UniformRandom& random,
    RowFinisher* finisher, long long maxPixels)
{
    FitsReadResult result;
    SequentialFile file(fileName);
    if (!file.IsOpen()) {
        result.status = FitsReadStatus::CannotOpen;
        result.message = CannotOpenFileText(fileName, file.Reason());
        return result;
    }

    const RawHeader raw = ReadHeader(file);
    result.headerBytes = static_cast<long long>(raw.text.size());
    ObservationTime observation;
    HeaderValues values = ParseHeader(raw, observation);

    const auto recordHeader = [&] {
        store.files.RecordCurrent(MakeEntry(values, observation, fileName), plane == PlaneId::Img);
        store.header = std::move(values);
        result.headerRecorded = true;
    };
    if (values.bitpix != 16) {
        recordHeader();
        result.status = FitsReadStatus::NotSixteenBit;
        result.message = kNotSixteenBit;
        return result;
    }
    if (!raw.hasEnd) {
        recordHeader();
        result.status = FitsReadStatus::NoHeaderEnd;
        result.message = "The header of this file has no END card, so its image can't be found";
        return result;
    }

    // Work deferred on the image may use the dark and flat frames.
    if (plane != PlaneId::Img)
        store.img.PrepareAll();
    // A plane of the same size is read into in place: a series of frames
    // then costs no allocation and no page faults.
    ImagePlane& target = store.Plane(plane);
    const int width = std::max(0, int(values.naxis1));
    const int height = std::max(0, int(values.naxis2));
    if (static_cast<long long>(width) * height > maxPixels) {
        result.status = FitsReadStatus::TooLarge;
        result.message = "An image of " + std::to_string(width) + " x " + std::to_string(height)
            + " pixels is larger than the " + std::to_string(maxPixels / 1000000) + " megapixels that can be shown";
        return result;
    }
    ImagePlane fresh;
    const bool reuse = target.HasCells() && target.Width() == width && target.Height() == height;
    try {
        if (!reuse)
            fresh = ImagePlane(width, height);
    } catch (const std::bad_alloc&) {
        result.status = FitsReadStatus::OutOfMemory;
        result.message = "Not enough memory for an image of " + std::to_string(values.naxis1) + " x "
            + std::to_string(values.naxis2) + " pixels";
        return result;
    }
    ImagePlane& filled = reuse ? target : fresh;
    // The cuts are proposed from the bottom rows as read: those are finished after it.
    const int heldRows = finisher && plane == PlaneId::Img ? std::min(kCutSampleTop, height) : 0;
    if (finisher)
        finisher->Begin(filled, values);
    const bool complete
        = ReadPixels(file, filled, !reuse, PixelConverter(values.bscale, values.bzero), finisher, heldRows);
    if (!complete) {
        result.status = FitsReadStatus::Truncated;
        result.message = "The file " + fileName + " ends inside its image data: the rows missing from it are 0";
    }
    recordHeader();
    if (!reuse)
        target = std::move(fresh);
    if (plane == PlaneId::Img)
        result.cuts = ProposeCuts(store.img, random);
    for (int y = 1; y <= heldRows; ++y)
        finisher->FinishRow(target, y);
    return result;
}

} // namespace lumvane
