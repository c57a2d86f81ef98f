#include "base/LargeBlocks.h"

#include <sys/mman.h>

#include <array>
#include <iterator>
#include <mutex>
#include <new>
#include <vector>

namespace lumagrove {
namespace {

constexpr std::size_t kHugePageBytes = std::size_t{2} << 20;
// What a process keeps between calls: enough for an operation's output and
// its scratch at 8192 x 8192, little enough not to matter beside them.
constexpr std::size_t kKeptBlocks = 4;
constexpr std::size_t kKeptBytes = std::size_t{256} << 20;

struct Block {
    std::uint8_t* bytes;
    std::size_t capacity;
};

struct Dropped {
    std::array<Block, kKeptBlocks + 1> blocks{};
    std::size_t count = 0;
};

class KeptBlocks {
public:
    KeptBlocks() { blocks_.reserve(kKeptBlocks + 1); }

    // The smallest kept block that fits without wasting more than the
    // request itself, so that a small image never pins a huge block.
    std::uint8_t* take(std::size_t size, std::size_t& capacity) {
        const std::lock_guard lock(mutex_);
        // Newest first among equals: its pages are the likeliest still cached.
        auto best = blocks_.rend();
        for (auto block = blocks_.rbegin(); block != blocks_.rend(); ++block) {
            if (block->capacity < size || block->capacity > 2 * size) continue;
            if (best == blocks_.rend() || block->capacity < best->capacity) best = block;
        }
        if (best == blocks_.rend()) return nullptr;
        const Block found = *best;
        blocks_.erase(std::next(best).base());
        keptBytes_ -= found.capacity;
        capacity = found.capacity;
        return found.bytes;
    }

    // Keeps the block and returns the blocks to unmap: the oldest ones it
    // displaces, or itself when it is too large to keep.
    Dropped keep(Block block) noexcept {
        Dropped dropped;
        const std::lock_guard lock(mutex_);
        if (block.capacity > kKeptBytes) {
            dropped.blocks[dropped.count++] = block;
            return dropped;
        }
        blocks_.push_back(block);  // within the capacity reserved at the start: cannot throw
        keptBytes_ += block.capacity;
        while (blocks_.size() > kKeptBlocks || keptBytes_ > kKeptBytes) {
            dropped.blocks[dropped.count++] = blocks_.front();
            keptBytes_ -= blocks_.front().capacity;
            blocks_.erase(blocks_.begin());
        }
        return dropped;
    }

private:
    std::mutex mutex_;
    std::vector<Block> blocks_;  // oldest first
    std::size_t keptBytes_ = 0;
};

// Never destroyed, so that an image freed during the program's exit still
// finds it.
KeptBlocks& Kept() {
    static KeptBlocks* const kept = new KeptBlocks;
    return *kept;
}

}  // namespace

std::uint8_t* AllocateLargeBlock(std::size_t size, std::size_t& capacity) {
    if (std::uint8_t* block = Kept().take(size, capacity)) return block;
    capacity = (size + kHugePageBytes - 1) / kHugePageBytes * kHugePageBytes;
    void* block = mmap(nullptr, capacity, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (block == MAP_FAILED) throw std::bad_alloc();
    // A request, not a requirement: without huge pages the block still works.
    madvise(block, capacity, MADV_HUGEPAGE);
    return static_cast<std::uint8_t*>(block);
}

void ReleaseLargeBlock(std::uint8_t* block, std::size_t capacity) noexcept {
    const Dropped dropped = Kept().keep({block, capacity});
    for (std::size_t i = 0; i < dropped.count; ++i) munmap(dropped.blocks[i].bytes, dropped.blocks[i].capacity);
}

}  // namespace lumagrove
