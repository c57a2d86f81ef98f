#pragma once

// Compiles a hot loop twice, for AVX2 and for the portable x86-64 baseline;
// the loader picks the one the processor runs. The arithmetic is the same
// integer arithmetic either way, so the bytes cannot differ. A build with
// LUMAGROVE_BASELINE_ONLY has no clones, so that one of the sanitized test
// runs covers the baseline on a machine that would pick AVX2.
//
// Clang builds (the fuzzers, a compiler check) have no clones either: clang
// before 18 gives a cloned function's dispatcher a name of its own, so a
// call from another file does not link, and declaring the clones at the call
// site instead miscompiles member functions in clang 14.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && !defined(LUMAGROVE_BASELINE_ONLY)
#define LUMAGROVE_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define LUMAGROVE_VECTOR_CLONES
#endif
