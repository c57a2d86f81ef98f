#include "pictures/MemoryBudget.h"

#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <string>

namespace lumagrove::pictures {
namespace {

constexpr std::uint64_t kUnlimited = std::numeric_limits<std::uint64_t>::max();

// A "Name:   123 kB" line of a /proc file, in bytes.
std::uint64_t ProcField(const char* file, const std::string& field) {
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(field, 0) == 0) return std::strtoull(line.c_str() + field.size(), nullptr, 10) * 1024;
    }
    return 0;
}

std::uint64_t FileNumber(const char* file) {
    std::ifstream in(file);
    std::string text;
    if (!(in >> text) || text == "max") return kUnlimited;
    return std::strtoull(text.c_str(), nullptr, 10);
}

std::uint64_t RoomUnderLimit(int resource, std::uint64_t used) {
    rlimit limit{};
    if (getrlimit(resource, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return kUnlimited;
    return limit.rlim_cur > used ? limit.rlim_cur - used : 0;
}

std::uint64_t RoomUnder(const char* limitFile, const char* usageFile) {
    const std::uint64_t limit = FileNumber(limitFile);
    if (limit == kUnlimited) return kUnlimited;
    const std::uint64_t used = FileNumber(usageFile);
    return limit > used ? limit - used : 0;
}

// cgroup v2 has one hierarchy; v1 has a memory controller of its own, whose
// "no limit" is a number near 2^63 rather than "max".
std::uint64_t RoomInControlGroup() {
    return std::min(
        RoomUnder("/sys/fs/cgroup/memory.max", "/sys/fs/cgroup/memory.current"),
        RoomUnder("/sys/fs/cgroup/memory/memory.limit_in_bytes", "/sys/fs/cgroup/memory/memory.usage_in_bytes"));
}

// Set once, before decoding starts; batches decode on several threads.
std::atomic<std::uint64_t> memoryCap{kUnlimited};

// Room for the libraries' buffers that the estimates leave out: row and
// block caches, tables, codec state.
constexpr std::uint64_t kBookkeepingBytes = std::uint64_t{64} << 20;

}  // namespace

void CapAvailableMemory(std::uint64_t most) { memoryCap = most; }

std::uint64_t DecodeNeeds(std::uint64_t pixels, std::uint64_t workingBytes) {
    const std::uint64_t needed = pixels + workingBytes;
    return needed + needed / 4 + kBookkeepingBytes;
}

std::uint64_t DecodeBudget(std::uint64_t pixels, std::uint64_t workingBytes) {
    return std::min(AvailableMemory(), DecodeNeeds(pixels, workingBytes));
}

std::uint64_t AvailableMemory() {
    std::uint64_t room = ProcField("/proc/meminfo", "MemAvailable:");
    if (room == 0) room = kUnlimited;  // no such line: nothing known, nothing refused
    room = std::min<std::uint64_t>(room, memoryCap);
    room = std::min(room, RoomInControlGroup());
    room = std::min(room, RoomUnderLimit(RLIMIT_AS, ProcField("/proc/self/status", "VmSize:")));
    room = std::min(room, RoomUnderLimit(RLIMIT_DATA, ProcField("/proc/self/status", "VmData:")));
    return room;
}

DecodeOutcome CheckPictureSize(std::uint64_t width, std::uint64_t height, std::uint64_t workingBytes) {
    if (width == 0 || height == 0) return DecodeOutcome::NotAPicture;
    constexpr std::uint64_t kMostPixels = std::numeric_limits<std::int32_t>::max();
    if (width > kMostPixels || height > kMostPixels || width * height > kMostPixels) return DecodeOutcome::TooLarge;
    if (width * height + workingBytes > AvailableMemory()) return DecodeOutcome::OutOfMemory;
    return DecodeOutcome::Done;
}

}  // namespace lumagrove::pictures
