#include "cli/StandardOutput.h"

#include "cli/Commands.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <iostream>

#include <unistd.h>

namespace lumvane::cli {

StandardOutput::StandardOutput()
{
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
}

StandardOutput::int_type StandardOutput::overflow(int_type c)
{
    if (!Drain())
        return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int StandardOutput::sync()
{
    return Drain() ? 0 : -1;
}

bool StandardOutput::Drain()
{
    const char* next = pbase();
    while (m_error == 0 && next < pptr()) {
        const ssize_t written = ::write(STDOUT_FILENO, next, static_cast<std::size_t>(pptr() - next));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            m_error = written < 0 ? errno : EIO;
        else
            next += written;
    }
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
    return m_error == 0;
}

int FinalStatus(int status, StandardOutput& output)
{
    output.pubsync();
    if (output.Error() == 0)
        return status;
    if (output.Error() == EPIPE)
        return 128 + SIGPIPE;
    std::cerr << "lumvane-cli: cannot write standard output: " << std::strerror(output.Error()) << '\n';
    return kExitFileError;
}

} // namespace lumvane::cli
