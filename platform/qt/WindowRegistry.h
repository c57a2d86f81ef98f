#pragma once

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/Window.h"
#include "platform/qt/WindowRecord.h"

namespace lumagrove::platform::backend {

// All windows of the process by handle; safe from any thread.
Window AddWindowRecord(const std::shared_ptr<WindowRecord>& record);
std::shared_ptr<WindowRecord> FindWindowRecord(Window window);
// The window's record when the calling thread owns it, else nullptr.
std::shared_ptr<WindowRecord> FindOwnWindowRecord(Window window);
std::vector<std::shared_ptr<WindowRecord>> WindowsOwnedBy(Window owner);
// Removes a window without any message and drops its widget.
void ForgetWindow(Window window);

std::optional<WindowClass> FindWindowClass(std::string_view name);
bool AddWindowClass(const WindowClass& windowClass);

// Runs a message through the window's procedures, which the calling thread must own.
Result DeliverOnOwnThread(const Message& message);
Result Deliver(WindowRecord& record, Msg id, WordParam word, LongParam data);

}  // namespace lumagrove::platform::backend
