#pragma once

#include <array>
#include <streambuf>

namespace lumvane::cli {

/// @brief Standard output that remembers why it failed: the bytes go straight
/// to descriptor 1 in blocks, and the first failed write is kept.
class StandardOutput : public std::streambuf {
public:
    StandardOutput();
    StandardOutput(const StandardOutput&) = delete;
    StandardOutput& operator=(const StandardOutput&) = delete;

    /// The system's error number of the first write that failed; 0 while
    /// everything went out.
    int Error() const { return m_error; }

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    bool Drain();

    std::array<char, 1 << 16> m_buffer {};
    int m_error = 0;
};

/// @brief The exit status of a run whose output went to `output`, all flushed:
/// `status` when every byte went out; 141, quietly, when the reader of a pipe
/// went away (the status of a tool the closed pipe's signal ended); else 2,
/// with "lumvane-cli: cannot write standard output: REASON" on standard error.
int FinalStatus(int status, StandardOutput& output);

} // namespace lumvane::cli
