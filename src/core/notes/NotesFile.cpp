#include "core/notes/NotesFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace lumvane {

std::string NotesBoxText(std::string_view fileText)
{
    std::string text;
    text.reserve(fileText.size());
    for (std::size_t i = 0; i < fileText.size(); ++i) {
        const char c = fileText[i];
        if (c != '\r') {
            text += c;
            continue;
        }
        text += '\n';
        if (i + 1 < fileText.size() && fileText[i + 1] == '\n')
            ++i;
    }
    return text;
}

std::string NotesFileText(std::string_view boxText)
{
    std::string text;
    text.reserve(boxText.size() + boxText.size() / 16 + 2);
    for (const char c : boxText) {
        if (c == '\n')
            text += '\r';
        text += c;
    }
    text += "\r\n";
    return text;
}

NotesReadResult ReadNotesFile(const std::string& fileName)
{
    NotesReadResult result;
    std::error_code error;
    if (std::filesystem::is_directory(fileName, error)) {
        result.reason = std::strerror(EISDIR);
        return result;
    }
    std::ifstream in(fileName, std::ios::binary);
    if (!in) {
        result.reason = std::strerror(errno);
        return result;
    }
    // One byte past the limit is enough to refuse the file.
    std::string bytes(kNotesFileLimit + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) {
        result.reason = std::strerror(errno);
        return result;
    }
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (bytes.size() > kNotesFileLimit) {
        result.status = NotesReadStatus::TooBig;
        return result;
    }
    result.status = NotesReadStatus::Read;
    result.text = NotesBoxText(bytes);
    return result;
}

WriteResult WriteNotesFile(const std::string& fileName, std::string_view boxText)
{
    return WriteFileBytes(fileName, NotesFileText(boxText));
}

} // namespace lumvane
