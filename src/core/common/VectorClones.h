#pragma once

// Loops over whole rows of pixels are compiled once more for each wider
// vector unit; the best the processor has is chosen when the program loads.
// With AVX-512 such a loop goes at the speed memory brings its rows. A build
// configured with LUMVANE_WIDEST_CLONE=avx2 stops at AVX2, so that a machine
// with AVX-512 runs as one without it does.
#if defined(__GNUC__) && defined(__x86_64__) && !defined(__clang__)
#if defined(LUMVANE_WIDEST_CLONE_AVX2)
#define LUMVANE_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define LUMVANE_VECTOR_CLONES __attribute__((target_clones("arch=x86-64-v4", "avx2", "default")))
#endif
#else
#define LUMVANE_VECTOR_CLONES
#endif
