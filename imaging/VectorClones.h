#pragma once

// Compiles a hot loop twice, for AVX2 and for the portable x86-64 baseline;
// the loader picks the one the processor runs. The arithmetic is the same
// integer arithmetic either way, so the bytes cannot differ. The sanitizer
// build turns the clones off, so that its test run covers the baseline.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(LUMAGROVE_BASELINE_ONLY)
#define LUMAGROVE_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define LUMAGROVE_VECTOR_CLONES
#endif
