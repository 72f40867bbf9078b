#pragma once

#include <cstdint>

namespace lumvane {

/// @brief The program's one uniform pseudo-random sequence in [0, 1).
///
/// It always starts from the same state, so the same files opened in the same
/// order get the same proposed cuts in every run and on every platform
/// (SplitMix64, 53 random bits a draw).
class UniformRandom {
public:
    double Next();

private:
    std::uint64_t m_state = 0x4C756D76616E6521ULL;
};

} // namespace lumvane
