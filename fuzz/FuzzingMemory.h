#pragma once

// Above this many megabytes an allocation fails under the fuzzers (see
// FuzzingMemory.cpp); a fuzzer that decodes pictures also caps the memory
// the decoders may count on at this.
#define LUMAGROVE_FUZZING_MEMORY_MB 64
