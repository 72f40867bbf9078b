#include "core/common/FileWrite.h"

#include <cerrno>
#include <cstring>
#include <fstream>

namespace lumvane {

WriteResult WriteFileBytes(const std::string& fileName, std::string_view bytes)
{
    errno = 0;
    std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
    if (out) {
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
    }
    if (out)
        return { true, {} };
    return { false, errno != 0 ? std::strerror(errno) : "write error" };
}

std::string CannotWriteFileText(std::string_view fileName, std::string_view reason)
{
    std::string text = "Cannot write file ";
    text.append(fileName).append(": ").append(reason);
    return text;
}

} // namespace lumvane
