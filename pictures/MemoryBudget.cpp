#include "pictures/MemoryBudget.h"

#include <sys/resource.h>

#include <algorithm>
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

std::uint64_t RoomInControlGroup() {
    const std::uint64_t limit = FileNumber("/sys/fs/cgroup/memory.max");
    if (limit == kUnlimited) return kUnlimited;
    const std::uint64_t used = FileNumber("/sys/fs/cgroup/memory.current");
    return limit > used ? limit - used : 0;
}

}  // namespace

std::uint64_t AvailableMemory() {
    std::uint64_t room = ProcField("/proc/meminfo", "MemAvailable:");
    if (room == 0) room = kUnlimited;  // no such line: nothing known, nothing refused
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
