#pragma once

// Byte loops marked with this are built for plain x86-64 and for AVX2, and
// the loader picks the version the processor can run.
#ifndef LUMAGROVE_VECTOR_CLONES
#if defined(__x86_64__) && defined(__GNUC__)
#define LUMAGROVE_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define LUMAGROVE_VECTOR_CLONES
#endif
#endif
