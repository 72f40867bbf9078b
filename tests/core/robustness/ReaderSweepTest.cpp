// Every reader against the inputs a damaged disk, a wrong click in a file
// dialog or a half-copied night leaves behind: each gives a clear message or a
// stated fallback, and nothing the user already has is lost.

#include "AllocationCeiling.h"

#include "core/app/SettingsFile.h"
#include "core/image/FitsReader.h"
#include "core/notes/NotesFile.h"
#include "core/photometry/OptionRules.h"

#include "support/FitsWriter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <random>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lumvane {
namespace {

using test::DataBlocks;
using test::HeaderBlocks;
using test::ImageCards;

/// Bytes that are no text format at all: every byte value, NULs included.
std::string Junk(std::size_t size)
{
    std::mt19937 generator(20240305);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(generator() & 0xFF);
    return bytes;
}

/// Runs a read of `name`, failing when it has not returned after a second (a
/// reader waiting for a pipe's writer); the pipe then gets a writer for a
/// moment, so that the read ends.
template <class Read> auto WithoutWaiting(const std::string& name, Read read)
{
    auto reading = std::async(std::launch::async, read);
    if (reading.wait_for(std::chrono::seconds(1)) != std::future_status::ready) {
        ADD_FAILURE() << name << " is still being read after a second";
        ::close(::open(name.c_str(), O_WRONLY | O_NONBLOCK));
    }
    return reading.get();
}

/// A whole, valid image of the given size; pixel n holds n.
std::string ImageFile(int width, int height, std::vector<std::string> extraCards = {})
{
    std::vector<std::string> cards = ImageCards(width, height);
    cards.insert(cards.end(), extraCards.begin(), extraCards.end());
    std::vector<std::int16_t> values(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (std::size_t n = 0; n < values.size(); ++n)
        values[n] = static_cast<std::int16_t>(n);
    return HeaderBlocks(cards) + DataBlocks(values);
}

/// Everything of a store that a read may change.
struct StoreState {
    std::vector<std::int16_t> img, ds, ff;
    int imgWidth = 0, imgHeight = 0;
    std::string headerText;
    int naxis1 = 0, naxis2 = 0, bitpix = 0;
    std::string entryName;

    static std::vector<std::int16_t> Cells(const ImagePlane& plane)
    {
        std::vector<std::int16_t> cells;
        if (!plane.HasCells())
            return cells;
        for (int y = 0; y <= plane.Height(); ++y)
            cells.insert(cells.end(), plane.Row(y), plane.Row(y) + plane.Width() + 1);
        return cells;
    }
    explicit StoreState(const ImageStore& store)
        : img(Cells(store.img))
        , ds(Cells(store.ds))
        , ff(Cells(store.ff))
        , imgWidth(store.img.Width())
        , imgHeight(store.img.Height())
        , headerText(store.header.headerText)
        , naxis1(store.header.naxis1)
        , naxis2(store.header.naxis2)
        , bitpix(store.header.bitpix)
        , entryName(store.files.Entry(store.files.CurrentFile()).name)
    {
    }
    bool operator==(const StoreState&) const = default;
};

enum class FitsOutcome {
    NothingChanged, ///< a message, and the store exactly as before
    PlaneKept, ///< a message; the header was recorded but every plane kept
    PlaneReplaced, ///< a message; the plane holds what the file gave
};

struct FitsCase {
    const char* what;
    FitsReadStatus status;
    FitsOutcome outcome;
};

class FitsReaderSweep : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The user's image, and a dark frame, before the bad read.
        test::WriteFileBytes(dir.File("good.fts"), ImageFile(30, 30));
        store.files.SetCurrentFile(1);
        ASSERT_EQ(ReadFitsImage(store, dir.File("good.fts"), PlaneId::Img, random).status, FitsReadStatus::Read);
        ASSERT_EQ(ReadFitsImage(store, dir.File("good.fts"), PlaneId::Ds, random).status, FitsReadStatus::Read);
    }

    /// Reads `name` into IMG and checks the outcome the case states.
    FitsReadResult Check(const std::string& name, const FitsCase& expected)
    {
        SCOPED_TRACE(expected.what);
        const StoreState before(store);
        const FitsReadResult result = ReadFitsImage(store, name, PlaneId::Img, random);
        EXPECT_EQ(result.status, expected.status);
        EXPECT_FALSE(result.message.empty());
        const StoreState after(store);
        switch (expected.outcome) {
        case FitsOutcome::NothingChanged:
            EXPECT_TRUE(after == before);
            EXPECT_FALSE(result.headerRecorded);
            EXPECT_FALSE(result.cuts);
            break;
        case FitsOutcome::PlaneKept:
            EXPECT_EQ(after.img, before.img);
            EXPECT_EQ(after.ds, before.ds);
            EXPECT_FALSE(result.cuts);
            break;
        case FitsOutcome::PlaneReplaced:
            EXPECT_EQ(after.ds, before.ds);
            EXPECT_TRUE(result.cuts);
            break;
        }
        return result;
    }

    test::TempDir dir;
    ImageStore store;
    UniformRandom random;
};

TEST_F(FitsReaderSweep, BadFilesGiveAMessageAndKeepWhatTheUserHas)
{
    const std::string image = ImageFile(40, 40);
    const struct {
        std::string name;
        std::string bytes; ///< written unless the name is a folder or missing
        FitsCase expected;
    } cases[] = {
        { "empty.fts", "", { "an empty file", FitsReadStatus::NotSixteenBit, FitsOutcome::PlaneKept } },
        { "junk.fts", Junk(9000), { "binary junk", FitsReadStatus::NotSixteenBit, FitsOutcome::PlaneKept } },
        { "half-header.fts", image.substr(0, 300),
            { "a header cut before its END", FitsReadStatus::NoHeaderEnd, FitsOutcome::PlaneKept } },
        { "half-data.fts", image.substr(0, 2880 + 1234),
            { "data cut in a row", FitsReadStatus::Truncated, FitsOutcome::PlaneReplaced } },
        { "header-only.fts", image.substr(0, 2880),
            { "a header without its data", FitsReadStatus::Truncated, FitsOutcome::PlaneReplaced } },
        { "odd-byte.fts", image.substr(0, 2880 + 2 * 40 * 40 - 1),
            { "data one byte short", FitsReadStatus::Truncated, FitsOutcome::PlaneReplaced } },
    };
    for (const auto& c : cases) {
        test::WriteFileBytes(dir.File(c.name), c.bytes);
        Check(dir.File(c.name), c.expected);
    }
    // Names that are no file to read are refused before anything could wait on them.
    std::filesystem::create_directory(dir.File("folder.fts"));
    ::mkfifo(dir.File("pipe.fts").c_str(), 0600);
    const std::pair<std::string, const char*> unopenable[]
        = { { dir.File("missing.fts"), "No such file or directory" }, { dir.File("folder.fts"), "Is a directory" },
              { dir.File(""), "Is a directory" }, { dir.File("pipe.fts"), "not a regular file" },
              { "/dev/zero", "not a regular file" }, { "/proc/self/status", "not a regular file" } };
    for (const auto& [name, reason] : unopenable) {
        const FitsReadResult result = WithoutWaiting(name, [&] {
            return Check(name, { reason, FitsReadStatus::CannotOpen, FitsOutcome::NothingChanged });
        });
        EXPECT_EQ(result.message, "Cannot open file " + name + ": " + reason);
    }
}

TEST_F(FitsReaderSweep, APlaneThatCannotBeAllocatedLeavesEverythingAsItWas)
{
    // The largest plane the 16-bit sizes allow, 2 GB, on a machine without
    // it: only the header is on disk.
    const struct {
        int width, height;
    } sizes[] = { { 32767, 32767 }, { 16383, 32767 }, { 32767, 9000 } };
    for (const auto& size : sizes) {
        const std::string name = dir.File("huge.fts");
        test::WriteFileBytes(name, HeaderBlocks(ImageCards(size.width, size.height)));
        for (PlaneId plane : { PlaneId::Img, PlaneId::Ds, PlaneId::Ff }) {
            SCOPED_TRACE(std::to_string(size.width) + " x " + std::to_string(size.height));
            const StoreState before(store);
            FitsReadResult result;
            {
                test::AllocationCeiling ceiling(256u << 20);
                result = ReadFitsImage(store, name, plane, random);
            }
            EXPECT_EQ(result.status, FitsReadStatus::OutOfMemory);
            EXPECT_EQ(result.message,
                "Not enough memory for an image of " + std::to_string(size.width) + " x " + std::to_string(size.height)
                    + " pixels");
            EXPECT_FALSE(result.headerRecorded);
            EXPECT_TRUE(StoreState(store) == before);
            EXPECT_EQ(store.ff.HasCells(), false);
        }
    }
    // The store still works: the next good file reads.
    EXPECT_EQ(ReadFitsImage(store, dir.File("good.fts"), PlaneId::Img, random).status, FitsReadStatus::Read);
}

/// How much the peak memory of the process grows while `work` runs, in bytes:
/// measured in a child of its own, so that what this process used before
/// does not count; the child ends without freeing anything.
template <class Work> long PeakMemoryGrowth(Work work)
{
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        rusage before {};
        rusage after {};
        ::getrusage(RUSAGE_SELF, &before);
        work();
        ::getrusage(RUSAGE_SELF, &after);
        const long growth = (after.ru_maxrss - before.ru_maxrss) * 1024;
        _exit(::write(pipeEnds[1], &growth, sizeof growth) == sizeof growth ? 0 : 1);
    }
    ::close(pipeEnds[1]);
    long growth = -1;
    if (::read(pipeEnds[0], &growth, sizeof growth) != sizeof growth)
        growth = -1;
    ::close(pipeEnds[0]);
    ::waitpid(child, nullptr, 0);
    return growth;
}

TEST_F(FitsReaderSweep, AHeaderOfAHugeImageCostsOnlyTheRowsTheFileHolds)
{
    // A header that declares a plane of 2 GB and one row, saturated: the
    // rows the file does not hold are zeros, never touched, and the marks
    // take only what the row needs.
    const std::string name = dir.File("huge.fts");
    std::vector<std::string> cards = ImageCards(32767, 32767);
    cards.push_back(test::ValueCard("BZERO", "32768"));
    std::string saturatedRow;
    for (int x = 0; x < 32767; ++x)
        saturatedRow += "\x7f\xff";
    test::WriteFileBytes(name, HeaderBlocks(cards) + saturatedRow);
    long limit = 100L << 20;
#ifdef __SANITIZE_ADDRESS__
    limit += (2L << 30) / 8; // the sanitizer's own record of every byte allocated
#endif
    for (PlaneId plane : { PlaneId::Img, PlaneId::Ds }) {
        ImageStore fresh;
        const long growth = PeakMemoryGrowth([&] {
            const FitsReadStatus status = ReadFitsImage(fresh, name, plane, random).status;
            const ImagePlane& img = fresh.Plane(plane);
            if (status != FitsReadStatus::Truncated || !img.Saturated(32767, 32767) || img.Saturated(1, 1))
                _exit(1);
        });
        EXPECT_GE(growth, 0);
        EXPECT_LT(growth, limit);
    }

    // A caller that shows images refuses it, and keeps what it had.
    const StoreState before(store);
    const FitsReadResult refused = ReadFitsImage(store, name, PlaneId::Img, random, nullptr, 200'000'000);
    EXPECT_EQ(refused.status, FitsReadStatus::TooLarge);
    EXPECT_EQ(refused.message, "An image of 32767 x 32767 pixels is larger than the 200 megapixels that can be shown");
    EXPECT_TRUE(StoreState(store) == before);
}

TEST_F(FitsReaderSweep, SizesBeyondSixteenBitsOrBelowOneReadAsNoPixels)
{
    // 40000, negative and zero sizes are among the fuzz seeds below.
    const std::string sizes[][2] = { { "99999999999999999999", "10" }, { "1E999", "10" }, { "nan", "10" } };
    for (const auto& size : sizes) {
        SCOPED_TRACE(size[0] + " x " + size[1]);
        const std::string name = dir.File("sizes.fts");
        test::WriteFileBytes(name,
            HeaderBlocks({ test::Card("SIMPLE  =                    T"), test::ValueCard("BITPIX", "16"),
                test::ValueCard("NAXIS", "2"), test::ValueCard("NAXIS1", size[0]), test::ValueCard("NAXIS2", size[1]) })
                + Junk(2880));
        const FitsReadResult result = ReadFitsImage(store, name, PlaneId::Img, random);
        EXPECT_EQ(result.status, FitsReadStatus::Read);
        EXPECT_TRUE(store.img.Width() == 0 || store.img.Height() == 0);
    }
}

TEST(FuzzSeeds, ReadAsTheirNamesSay)
{
    // The small valid and quirky files the fuzzer starts from, read here with
    // the sanitizers of the test build.
    const struct {
        const char* name;
        FitsReadStatus status;
        int width, height;
    } seeds[] = {
        { "plain-30x30.fits", FitsReadStatus::Read, 30, 30 },
        { "one-block-19-cards.fits", FitsReadStatus::Read, 26, 26 },
        { "two-block.fits", FitsReadStatus::Read, 26, 27 },
        { "three-blocks.fits", FitsReadStatus::Read, 26, 26 },
        { "end-in-comment-late.fits", FitsReadStatus::Read, 26, 26 },
        { "signed-no-bzero.fits", FitsReadStatus::Read, 25, 25 },
        { "bscale-huge.fits", FitsReadStatus::Read, 25, 25 },
        { "bscale-nan.fits", FitsReadStatus::Read, 25, 25 },
        { "tiny-1x1.fits", FitsReadStatus::Read, 1, 1 },
        { "zero-size.fits", FitsReadStatus::Read, 0, 7 },
        { "negative-size.fits", FitsReadStatus::Read, 0, 0 },
        { "wide-naxis1.fits", FitsReadStatus::Read, 0, 3 }, // 40000 is no 16-bit value
        { "quirky-values.fits", FitsReadStatus::Read, 0, 30 }, // "NAXIS1=" is no NAXIS1 card
        { "header-only.fits", FitsReadStatus::Truncated, 64, 64 },
        { "truncated-data.fits", FitsReadStatus::Truncated, 40, 40 },
        { "no-end.fits", FitsReadStatus::NoHeaderEnd, 0, 0 },
        { "bitpix-8.fits", FitsReadStatus::NotSixteenBit, 0, 0 },
        { "bitpix-minus32.fits", FitsReadStatus::NotSixteenBit, 0, 0 },
        { "lowercase-keys.fits", FitsReadStatus::NotSixteenBit, 0, 0 },
        { "empty.fits", FitsReadStatus::NotSixteenBit, 0, 0 },
        { "short-junk.fits", FitsReadStatus::NotSixteenBit, 0, 0 },
    };
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(LUMVANE_FUZZ_CORPUS_DIR))
        files += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, std::size(seeds)) << "a seed without its line here";
    for (const auto& seed : seeds) {
        SCOPED_TRACE(seed.name);
        ImageStore store;
        UniformRandom random;
        store.files.SetCurrentFile(1);
        const FitsReadResult result
            = ReadFitsImage(store, std::string(LUMVANE_FUZZ_CORPUS_DIR "/") + seed.name, PlaneId::Img, random);
        EXPECT_EQ(result.status, seed.status);
        EXPECT_EQ(result.message.empty(), seed.status == FitsReadStatus::Read);
        EXPECT_EQ(store.img.Width(), seed.width);
        EXPECT_EQ(store.img.Height(), seed.height);
    }
}

TEST(NotesReaderSweep, BadFilesAreRefusedWithTheirReasonOrReadAsText)
{
    test::TempDir dir;
    std::filesystem::create_directory(dir.File("folder.txt"));
    test::WriteFileBytes(dir.File("empty.txt"), "");
    test::WriteFileBytes(dir.File("junk.txt"), Junk(kNotesFileLimit));
    const struct {
        const char* name;
        NotesReadStatus status;
        const char* reason;
    } cases[] = {
        { "missing.txt", NotesReadStatus::Unreadable, "No such file or directory" },
        { "folder.txt", NotesReadStatus::Unreadable, "Is a directory" },
        { "empty.txt", NotesReadStatus::Read, "" },
        { "junk.txt", NotesReadStatus::Read, "" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const NotesReadResult result = ReadNotesFile(dir.File(c.name));
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(result.reason, c.reason);
        if (c.status != NotesReadStatus::Read) {
            EXPECT_EQ(result.text, "");
        }
        // The box never gets a CR: every line end became its own line break.
        EXPECT_EQ(result.text.find('\r'), std::string::npos);
    }
}

TEST(SettingsReaderSweep, DamagedSettingsFilesGiveTheDesignValuesAndStayAsTheyAre)
{
    test::TempDir dir;
    const OptionsTab design;
    const struct {
        const char* what;
        std::string bytes;
    } damaged[] = {
        { "empty", "" },
        { "binary junk", Junk(5000) },
        { "larger than any settings file", "Do not change this file!\r\n20302011\r\n" + std::string(5000, ' ') },
    };
    for (const auto& d : damaged) {
        SCOPED_TRACE(d.what);
        const std::filesystem::path file = SettingsFilePath(dir.Path());
        test::WriteFileBytes(file.string(), d.bytes);
        const SettingsLoadResult loaded = LoadSettings(file);
        EXPECT_FALSE(loaded.created);
        EXPECT_TRUE(loaded.reason.empty());
        // Nothing of a damaged file is taken: the controls keep their design values.
        EXPECT_TRUE(loaded.unreadable);
        EXPECT_TRUE(loaded.tab == design);
        EXPECT_EQ(test::ReadFileBytes(file.string()), d.bytes);
    }

    // A folder or a pipe where the file should be can't be read: the
    // controls keep their design values, and the folder or pipe stays.
    using std::filesystem::file_type;
    for (const file_type type : { file_type::directory, file_type::fifo }) {
        test::TempDir other;
        const std::filesystem::path file = SettingsFilePath(other.Path());
        if (type == file_type::directory)
            std::filesystem::create_directory(file);
        else
            ::mkfifo(file.c_str(), 0600);
        const SettingsLoadResult unreadable = WithoutWaiting(file.string(), [&] { return LoadSettings(file); });
        EXPECT_FALSE(unreadable.created);
        EXPECT_TRUE(unreadable.unreadable);
        EXPECT_TRUE(unreadable.tab == design);
        EXPECT_EQ(std::filesystem::status(file).type(), type);
    }

    // A missing program folder: nothing created, and the reason told.
    const SettingsLoadResult missing = LoadSettings(SettingsFilePath(dir.Path() / "gone"));
    EXPECT_FALSE(missing.created);
    EXPECT_EQ(missing.reason, "No such file or directory");
    EXPECT_TRUE(missing.tab == design);
}

} // namespace
} // namespace lumvane
