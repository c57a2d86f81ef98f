#pragma once

#include <optional>
#include <string>

#include "platform/TestHooks.h"

// The answers tests queue and the records of what was shown; any thread.
namespace lumagrove::platform::backend {

std::optional<int> TakeMessageBoxAnswer();
// Outer empty: no answer queued; inner empty: the answer is "cancel".
std::optional<std::optional<std::string>> TakeFileDialogAnswer();
std::optional<testing::DialogAnswer> TakeDialogAnswer();
std::optional<int> TakePopupAnswer();

void RecordMessageBox(testing::ShownMessageBox shown);
void RecordFileDialog(testing::ShownFileDialog shown);
void RecordPopup(testing::ShownPopup shown);

}  // namespace lumagrove::platform::backend
