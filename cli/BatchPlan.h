#pragma once

#include <span>
#include <string>
#include <vector>

namespace lumagrove::cli {

// One file of a batch, planned before anything is written.
struct BatchItem {
    std::string input;
    std::string output;
    // Why the item is skipped, empty when it is to be worked on.
    std::string conflict;
};

// Plans a batch whose inputs write the outputs of the same index. A file
// listed more than once (by any name: links, "../" or a second hard link) is
// planned once, under its first name. An item is skipped when its output is
// one of the inputs, or when an earlier item writes the same output: its
// result would destroy an image the batch has not read yet, or overwrite one
// it has made. Files are compared by device and inode where they exist, and
// outputs also by their full path with links resolved.
std::vector<BatchItem> PlanBatch(std::span<const std::string> inputs, std::span<const std::string> outputs);

}  // namespace lumagrove::cli
