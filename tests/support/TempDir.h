#pragma once

#include <filesystem>
#include <string>

namespace lumvane::test {

/// A fresh folder under the system's temporary folder, removed with its
/// contents when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    /// The full name of a file in the folder.
    std::string File(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

/// The whole content of a file as bytes.
std::string ReadFileBytes(const std::string& fileName);
/// Writes bytes to a file, replacing it.
void WriteFileBytes(const std::string& fileName, const std::string& bytes);
/// The full name of a bundled test file under tests/data.
std::string TestDataFile(const std::string& relativeName);

} // namespace lumvane::test
