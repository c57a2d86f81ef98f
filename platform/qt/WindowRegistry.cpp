#include "platform/qt/WindowRegistry.h"

#include <map>
#include <mutex>
#include <unordered_map>

#include "platform/qt/ThreadQueue.h"
#include "platform/qt/Widgets.h"

namespace lumagrove::platform::backend {

namespace {

std::mutex registryMutex;
std::uint32_t lastWindowId = 0;
std::map<std::uint32_t, std::shared_ptr<WindowRecord>> windows;  // ordered: oldest first

std::mutex classMutex;
std::unordered_map<std::string, WindowClass> classes;

}  // namespace

Size WindowRecord::frameExtra() const {
    const int menu = (!isDialog() && menuResource != 0) ? MenuBarHeight : 0;
    return Size{2 * FrameBorder, CaptionHeight + menu + 2 * FrameBorder};
}

Rect WindowRecord::outerFrame() const {
    const Size extra = frameExtra();
    std::lock_guard lock(placementMutex);
    return Rect{position.x, position.y, viewSize.width + extra.width, viewSize.height + extra.height};
}

std::string WindowRecord::currentTitle() const {
    std::lock_guard lock(placementMutex);
    return title;
}

Window AddWindowRecord(const std::shared_ptr<WindowRecord>& record) {
    std::lock_guard lock(registryMutex);
    record->handle = Window{++lastWindowId};
    windows[record->handle.id] = record;
    return record->handle;
}

std::shared_ptr<WindowRecord> FindWindowRecord(Window window) {
    std::lock_guard lock(registryMutex);
    const auto found = windows.find(window.id);
    return found == windows.end() ? nullptr : found->second;
}

std::shared_ptr<WindowRecord> FindOwnWindowRecord(Window window) {
    auto record = FindWindowRecord(window);
    if (record && record->queue != ThreadQueue::Current()) return nullptr;
    return record;
}

std::vector<std::shared_ptr<WindowRecord>> WindowsOwnedBy(Window owner) {
    std::vector<std::shared_ptr<WindowRecord>> owned;
    std::lock_guard lock(registryMutex);
    for (const auto& [id, record] : windows) {
        if (record->owner == owner) owned.push_back(record);
    }
    return owned;
}

void ForgetWindow(Window window) {
    std::shared_ptr<WindowRecord> record;
    {
        std::lock_guard lock(registryMutex);
        const auto found = windows.find(window.id);
        if (found == windows.end()) return;
        record = std::move(found->second);
        windows.erase(found);
    }
    record->destroying = true;
    record->ended = true;
    record->queue->releaseWindow(window);
    record->queue->wake();  // a modal loop waiting on this dialog must notice
    RunOnMain([window] { DropWidget(window); });
}

std::optional<WindowClass> FindWindowClass(std::string_view name) {
    std::lock_guard lock(classMutex);
    const auto found = classes.find(std::string(name));
    if (found == classes.end()) return std::nullopt;
    return found->second;
}

bool AddWindowClass(const WindowClass& windowClass) {
    std::lock_guard lock(classMutex);
    return classes.emplace(windowClass.name, windowClass).second;
}

Result Deliver(WindowRecord& record, Msg id, WordParam word, LongParam data) {
    if (record.dialogProcedure) {
        if (record.dialogProcedure(record.handle, id, word, data)) return 1;
        return DefaultDialogProcedure(record.handle, id, word, data);
    }
    if (record.procedure) return record.procedure(record.handle, id, word, data);
    return record.isDialog() ? DefaultDialogProcedure(record.handle, id, word, data)
                             : DefaultWindowProcedure(record.handle, id, word, data);
}

Result DeliverOnOwnThread(const Message& message) {
    const auto record = FindOwnWindowRecord(message.window);
    if (!record) return 0;
    return Deliver(*record, message.id, message.word, message.data);
}

}  // namespace lumagrove::platform::backend
