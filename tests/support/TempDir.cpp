#include "support/TempDir.h"

#include "core/common/FileWrite.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace lumvane::test {

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "lumvane-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary folder");
    m_path = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string ReadFileBytes(const std::string& fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + fileName);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

void WriteFileBytes(const std::string& fileName, const std::string& bytes)
{
    // A fixture that can't be written is the test's failure, not the program's.
    if (const WriteResult written = lumvane::WriteFileBytes(fileName, bytes); !written.written)
        throw std::runtime_error(CannotWriteFileText(fileName, written.reason));
}

std::string TestDataFile(const std::string& relativeName)
{
    return std::string(LUMVANE_TEST_DATA_DIR) + "/" + relativeName;
}

} // namespace lumvane::test
