#include "core/notes/NotesFile.h"

#include "core/routines/SequentialFile.h"

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
    const SmallFile file = SmallFileBytes(fileName, kNotesFileLimit);
    NotesReadResult result;
    result.reason = file.reason;
    if (file.tooBig)
        result.status = NotesReadStatus::TooBig;
    if (file.read) {
        result.status = NotesReadStatus::Read;
        result.text = NotesBoxText(file.bytes);
    }
    return result;
}

WriteResult WriteNotesFile(const std::string& fileName, std::string_view boxText)
{
    return WriteFileBytes(fileName, NotesFileText(boxText));
}

} // namespace lumvane
