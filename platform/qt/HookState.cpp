#include "platform/qt/HookState.h"

#include <deque>
#include <mutex>

namespace lumagrove::platform {

namespace {

struct Hooks {
    std::deque<int> messageBoxAnswers;
    std::deque<std::optional<std::string>> fileDialogAnswers;
    std::deque<testing::DialogAnswer> dialogAnswers;
    std::deque<int> popupAnswers;
    std::vector<testing::ShownMessageBox> messageBoxes;
    std::vector<testing::ShownFileDialog> fileDialogs;
    std::vector<testing::ShownPopup> popups;
};

std::mutex hooksMutex;
Hooks hooks;

template <typename Value>
std::optional<Value> TakeFirst(std::deque<Value>& answers) {
    std::lock_guard lock(hooksMutex);
    if (answers.empty()) return std::nullopt;
    Value answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

template <typename Value>
void Append(std::vector<Value>& records, Value value) {
    std::lock_guard lock(hooksMutex);
    records.push_back(std::move(value));
}

template <typename Value>
std::vector<Value> Copy(const std::vector<Value>& records) {
    std::lock_guard lock(hooksMutex);
    return records;
}

template <typename Value>
void Queue(std::deque<Value>& answers, Value value) {
    std::lock_guard lock(hooksMutex);
    answers.push_back(std::move(value));
}

}  // namespace

std::optional<int> backend::TakeMessageBoxAnswer() { return TakeFirst(hooks.messageBoxAnswers); }
std::optional<std::optional<std::string>> backend::TakeFileDialogAnswer() { return TakeFirst(hooks.fileDialogAnswers); }
std::optional<testing::DialogAnswer> backend::TakeDialogAnswer() { return TakeFirst(hooks.dialogAnswers); }
std::optional<int> backend::TakePopupAnswer() { return TakeFirst(hooks.popupAnswers); }

void backend::RecordMessageBox(testing::ShownMessageBox shown) { Append(hooks.messageBoxes, std::move(shown)); }
void backend::RecordFileDialog(testing::ShownFileDialog shown) { Append(hooks.fileDialogs, std::move(shown)); }
void backend::RecordPopup(testing::ShownPopup shown) { Append(hooks.popups, std::move(shown)); }

void testing::AnswerNextMessageBox(int answer) { Queue(hooks.messageBoxAnswers, answer); }
void testing::AnswerNextFileDialog(std::optional<std::string> name) { Queue(hooks.fileDialogAnswers, std::move(name)); }
void testing::AnswerNextDialog(DialogAnswer answer) { Queue(hooks.dialogAnswers, std::move(answer)); }
void testing::AnswerNextPopup(int commandId) { Queue(hooks.popupAnswers, commandId); }

std::vector<testing::ShownMessageBox> testing::ShownMessageBoxes() { return Copy(hooks.messageBoxes); }
std::vector<testing::ShownFileDialog> testing::ShownFileDialogs() { return Copy(hooks.fileDialogs); }
std::vector<testing::ShownPopup> testing::ShownPopups() { return Copy(hooks.popups); }

void testing::ResetHooks() {
    std::lock_guard lock(hooksMutex);
    hooks = Hooks{};
}

}  // namespace lumagrove::platform
