#include "ScratchFolder.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include <fcntl.h>
#include <unistd.h>

namespace lumagrove::fuzzing {

ScratchFolder::ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "lumagrove-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no scratch folder: " + pattern);
    path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string ScratchFolder::write(std::string_view name, const std::uint8_t* data, std::size_t size) const {
    const std::string target = file(name);
    // Plain system calls: the file is rewritten for every input, so the
    // fewer layers the better.
    const int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) throw std::runtime_error("cannot write " + target);
    std::size_t written = 0;
    while (written < size) {
        const ssize_t now = ::write(fd, data + written, size - written);
        if (now <= 0) {
            ::close(fd);
            throw std::runtime_error("cannot write " + target);
        }
        written += static_cast<std::size_t>(now);
    }
    ::close(fd);
    return target;
}

void ScratchFolder::empty() const {
    for (const auto& entry : std::filesystem::directory_iterator(path_)) std::filesystem::remove_all(entry.path());
}

}  // namespace lumagrove::fuzzing
