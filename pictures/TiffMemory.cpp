#include "pictures/TiffMemory.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace lumagrove::pictures {
namespace {

TiffMemory& MemoryOf(thandle_t handle) { return *static_cast<TiffMemory*>(handle); }

std::uint64_t Size(const TiffMemory& memory) {
    return memory.reading.empty() ? memory.written.size() : memory.reading.size();
}

tmsize_t ReadMemory(thandle_t handle, void* into, tmsize_t length) {
    TiffMemory& memory = MemoryOf(handle);
    if (length < 0 || memory.at >= memory.reading.size()) return 0;
    const std::uint64_t count =
        std::min<std::uint64_t>(static_cast<std::uint64_t>(length), memory.reading.size() - memory.at);
    std::memcpy(into, memory.reading.data() + memory.at, count);
    memory.at += count;
    return static_cast<tmsize_t>(count);
}

tmsize_t WriteMemory(thandle_t handle, void* from, tmsize_t length) {
    TiffMemory& memory = MemoryOf(handle);
    if (length < 0) return -1;
    const std::uint64_t end = memory.at + static_cast<std::uint64_t>(length);
    try {
        if (end > memory.written.size()) memory.written.resize(end);
    } catch (const std::exception&) {
        return -1;  // libtiff reports a short write as an error
    }
    std::memcpy(memory.written.data() + memory.at, from, static_cast<std::size_t>(length));
    memory.at = end;
    return length;
}

tmsize_t RefuseWrite(thandle_t, void*, tmsize_t) { return -1; }

toff_t SeekMemory(thandle_t handle, toff_t offset, int whence) {
    TiffMemory& memory = MemoryOf(handle);
    std::uint64_t base = 0;
    if (whence == SEEK_CUR) base = memory.at;
    if (whence == SEEK_END) base = Size(memory);
    if (offset > std::numeric_limits<std::uint64_t>::max() - base) return static_cast<toff_t>(-1);
    memory.at = base + offset;
    return memory.at;
}

toff_t SizeOfMemory(thandle_t handle) { return Size(MemoryOf(handle)); }

int CloseMemory(thandle_t) { return 0; }

// Reading may use the bytes in place, as libtiff would a mapped file.
int MapMemory(thandle_t handle, void** base, toff_t* size) {
    TiffMemory& memory = MemoryOf(handle);
    if (memory.reading.empty()) return 0;
    *base = const_cast<std::uint8_t*>(memory.reading.data());
    *size = memory.reading.size();
    return 1;
}

void UnmapMemory(thandle_t, void*, toff_t) {}

int DropMessage(TIFF*, void*, const char*, const char*, va_list) { return 1; }

struct OptionsFree {
    void operator()(TIFFOpenOptions* options) const { TIFFOpenOptionsFree(options); }
};

TiffHandle Open(TiffMemory& memory, const char* mode, std::uint64_t allocationLimit) {
    std::unique_ptr<TIFFOpenOptions, OptionsFree> options(TIFFOpenOptionsAlloc());
    if (!options) return nullptr;
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), DropMessage, nullptr);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), DropMessage, nullptr);
    if (allocationLimit != 0) {
        TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), static_cast<tmsize_t>(std::min<std::uint64_t>(
                                                               allocationLimit, std::numeric_limits<tmsize_t>::max())));
    }
    const bool reading = mode[0] == 'r';
    return TiffHandle(TIFFClientOpenExt("picture", mode, &memory, ReadMemory, reading ? RefuseWrite : WriteMemory,
                                        SeekMemory, CloseMemory, SizeOfMemory, MapMemory, UnmapMemory, options.get()));
}

}  // namespace

TiffHandle OpenTiffForReading(TiffMemory& memory, std::uint64_t allocationLimit) {
    memory.at = 0;
    return Open(memory, "r", allocationLimit);
}

TiffHandle OpenTiffForWriting(TiffMemory& memory) {
    memory.written.clear();
    memory.at = 0;
    return Open(memory, "w", 0);
}

}  // namespace lumagrove::pictures
