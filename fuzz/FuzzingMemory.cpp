#include "FuzzingMemory.h"

#include <cstddef>
#include <new>

#define LUMAGROVE_TEXT(value) #value
#define LUMAGROVE_NUMBER_TEXT(value) LUMAGROVE_TEXT(value)

// How memory behaves under the fuzzers: as in a release build, but smaller.
//
// Above LUMAGROVE_FUZZING_MEMORY_MB megabytes an allocation fails, so that an input declaring a 2 GB image
// meets the program's own refusal instead of filling 2 GB and crowding out
// the fuzzing. Read by the AddressSanitizer runtime before anything else runs.
extern "C" const char* __asan_default_options() {
    return "allocator_may_return_null=1:max_allocation_size_mb=" LUMAGROVE_NUMBER_TEXT(LUMAGROVE_FUZZING_MEMORY_MB);
}

// A failed allocation throws std::bad_alloc, as it does in a release build;
// the sanitizer's own throwing operator new would end the run instead, and a
// refusal the program handles would count as a fault. The sanitizer's
// non-throwing forms do the allocating, so its checks still pair every new
// with its delete.
void* operator new(std::size_t size) {
    if (void* memory = ::operator new(size, std::nothrow)) return memory;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    if (void* memory = ::operator new[](size, std::nothrow)) return memory;
    throw std::bad_alloc();
}
void* operator new(std::size_t size, std::align_val_t alignment) {
    if (void* memory = ::operator new(size, alignment, std::nothrow)) return memory;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
    if (void* memory = ::operator new[](size, alignment, std::nothrow)) return memory;
    throw std::bad_alloc();
}
