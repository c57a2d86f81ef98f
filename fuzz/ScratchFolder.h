#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace lumagrove::fuzzing {

// A folder of its own for one fuzzing process, removed with everything in
// it when the process ends normally. The readers take file names, so every
// input is handed to them as a file in here.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(std::string_view name) const { return (path_ / name).string(); }

    // Replaces the file `name` with exactly these bytes; returns its path.
    std::string write(std::string_view name, const std::uint8_t* data, std::size_t size) const;
    std::string write(std::string_view name, std::string_view bytes) const {
        return write(name, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }

    // Removes everything in the folder, keeping the folder.
    void empty() const;

private:
    std::filesystem::path path_;
};

}  // namespace lumagrove::fuzzing
