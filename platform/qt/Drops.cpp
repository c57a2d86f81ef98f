#include "platform/qt/Drops.h"

#include <map>
#include <mutex>

#include "platform/DroppedFiles.h"

namespace lumagrove::platform {

namespace {

std::mutex dropsMutex;
WordParam lastDrop = 0;
std::map<WordParam, std::vector<std::string>> drops;

}  // namespace

WordParam backend::StoreDrop(std::vector<std::string> names) {
    std::lock_guard lock(dropsMutex);
    drops[++lastDrop] = std::move(names);
    return lastDrop;
}

std::vector<std::string> TakeDroppedFiles(WordParam drop) {
    std::lock_guard lock(dropsMutex);
    const auto found = drops.find(drop);
    if (found == drops.end()) return {};
    std::vector<std::string> names = std::move(found->second);
    drops.erase(found);
    return names;
}

}  // namespace lumagrove::platform
