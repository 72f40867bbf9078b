#include "core/results/RecoveryFile.h"

#include "core/results/ResultValues.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <sys/stat.h>
#include <unistd.h>

namespace lumvane {

/// Hands a file's written bytes to the disk on a thread of its own, at most
/// once in kInterval, so that no byte waits longer than that and the series
/// never waits for the disk.
class RecoveryFile::Flusher {
public:
    static constexpr std::chrono::seconds kInterval { 5 };

    Flusher()
        : m_thread([this] { Run(); })
    {
    }

    ~Flusher()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_wake.notify_one();
        m_thread.join();
    }

    Flusher(const Flusher&) = delete;
    Flusher& operator=(const Flusher&) = delete;

    /// Bytes were written to the file: they reach the disk within kInterval.
    void Written(const OpenFile& file)
    {
        {
            const std::lock_guard lock(m_mutex);
            // A copy of its own: the writer may close or replace the file meanwhile.
            m_pending = OpenFile(::dup(file.Descriptor()));
        }
        m_wake.notify_one();
    }

private:
    void Run()
    {
        std::unique_lock lock(m_mutex);
        auto lastFlush = std::chrono::steady_clock::now() - kInterval;
        for (;;) {
            m_wake.wait(lock, [this] { return m_stopping || m_pending.IsOpen(); });
            // Bytes written after a flush began wait for the next one, at most
            // kInterval after it began; the last ones go at once when stopping.
            m_wake.wait_until(lock, lastFlush + kInterval, [this] { return m_stopping; });
            if (!m_pending.IsOpen())
                return;
            const OpenFile file = std::move(m_pending);
            lastFlush = std::chrono::steady_clock::now();
            lock.unlock();
            ::fdatasync(file.Descriptor());
            lock.lock();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    OpenFile m_pending; ///< written and not yet flushed
    bool m_stopping = false;
    std::thread m_thread; ///< last: it starts once the rest is made
};

std::filesystem::path RecoveryFileOf(const std::filesystem::path& resultsFile)
{
    std::filesystem::path name = resultsFile;
    name += ".recovery.txt";
    return name;
}

bool RecoveryFile::Shape::operator==(const Shape& other) const
{
    return stars == other.stars && radii == other.radii && settings.st1Magnitude == other.settings.st1Magnitude
        && settings.relativeToSt1 == other.settings.relativeToSt1 && settings.radii == other.settings.radii;
}

RecoveryFile::RecoveryFile(std::filesystem::path name)
    : m_name(std::move(name))
    , m_flusher(std::make_unique<Flusher>())
{
}

RecoveryFile::~RecoveryFile() = default;

bool RecoveryFile::OnDiskAsWritten() const
{
    struct stat open { };
    struct stat named { };
    return m_file.IsOpen() && ::fstat(m_file.Descriptor(), &open) == 0 && ::stat(m_name.c_str(), &named) == 0
        && open.st_dev == named.st_dev && open.st_ino == named.st_ino
        && static_cast<std::uintmax_t>(open.st_size) == m_size;
}

WriteResult RecoveryFile::Write(const ResultsTable& table, const FileList& files, ResultsFileSettings settings)
{
    settings.relativeToSt1 = true;
    const int fileCount = files.CurrentFile();
    Shape shape { SavedStarSlots(table), {}, settings };
    for (int k = 0; k < ResultsTable::kDiaphragms; ++k)
        shape.radii[static_cast<std::size_t>(k)] = table.Cell(ResultsTable::kRadiusColumn, fileCount + k);

    std::string text;
    const bool whole = !(shape == m_shape) || fileCount <= m_files || !OnDiskAsWritten();
    if (whole) {
        text = ResultsFileHeading(table);
        m_files = 0;
    }
    for (int file = m_files + 1; file <= fileCount; ++file)
        text += ResultsFileLines(table, files, settings, file);

    WriteResult written;
    if (whole) {
        m_file = OpenFile();
        written = WriteFileBytes(m_name.string(), text, &m_file);
        m_size = written.written ? text.size() : 0;
    } else {
        written = m_file.Write(text);
        // A file cut short (a full disk) goes back to the files it held whole.
        const auto held = static_cast<off_t>(m_size);
        if (!written.written
            && (::ftruncate(m_file.Descriptor(), held) != 0 || ::lseek(m_file.Descriptor(), held, SEEK_SET) != held))
            m_file = OpenFile();
        if (written.written) {
            m_size += text.size();
            m_flusher->Written(m_file);
        }
    }
    if (!written.written)
        return written;
    m_files = fileCount;
    m_shape = std::move(shape);
    return written;
}

} // namespace lumvane
