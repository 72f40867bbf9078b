// Feeds arbitrary bytes to the FITS reader as a file: any crash, leak or
// undefined behaviour the sanitizers see is a finding.

#include "core/common/UniformRandom.h"
#include "core/image/FitsReader.h"
#include "core/image/ImageStore.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include <unistd.h>

namespace {

/// One scratch file per fuzzing process, in memory-backed storage when there is one.
const std::string& ScratchFile()
{
    static const std::string name = [] {
        std::error_code error;
        const std::filesystem::path folder
            = std::filesystem::is_directory("/dev/shm", error) ? "/dev/shm" : std::filesystem::temp_directory_path();
        return (folder / ("lumvane-fuzz-" + std::to_string(getpid()) + ".fits")).string();
    }();
    return name;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string& fileName = ScratchFile();
    std::FILE* file = std::fopen(fileName.c_str(), "wb");
    if (file == nullptr)
        return 0;
    const bool written = std::fwrite(data, 1, size, file) == size;
    std::fclose(file);
    if (!written)
        return 0;

    // A fresh store each time keeps a finding reproducible from its input
    // alone; the second read of the same file takes the in-place path, the
    // third fills a calibration plane (no cut proposal).
    lumvane::ImageStore store;
    lumvane::UniformRandom random;
    lumvane::ReadFitsImage(store, fileName, lumvane::PlaneId::Img, random);
    lumvane::ReadFitsImage(store, fileName, lumvane::PlaneId::Img, random);
    lumvane::ReadFitsImage(store, fileName, lumvane::PlaneId::Ds, random);
    return 0;
}
