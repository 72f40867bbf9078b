#pragma once

// Loops over whole rows of pixels are compiled once more for each wider
// vector unit; the best the processor has is chosen when the program loads.
// With AVX-512 such a loop goes at the speed memory brings its rows.
#if defined(__GNUC__) && defined(__x86_64__) && !defined(__clang__)
#define LUMVANE_VECTOR_CLONES __attribute__((target_clones("arch=x86-64-v4", "avx2", "default")))
#else
#define LUMVANE_VECTOR_CLONES
#endif
