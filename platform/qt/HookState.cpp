#include <deque>
#include <mutex>

#include "platform/TestHooks.h"
#include "platform/qt/SessionObserver.h"

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

// Records what the layer shows and hands it the answers queued above.
class Recorder final : public backend::SessionObserver {
public:
    void messageBoxShown(const testing::ShownMessageBox& shown) override { Append(hooks.messageBoxes, shown); }
    void fileDialogShown(const testing::ShownFileDialog& shown) override { Append(hooks.fileDialogs, shown); }
    void popupShown(const testing::ShownPopup& shown) override { Append(hooks.popups, shown); }

    std::optional<int> takeMessageBoxAnswer() override { return TakeFirst(hooks.messageBoxAnswers); }
    std::optional<std::optional<std::string>> takeFileDialogAnswer() override {
        return TakeFirst(hooks.fileDialogAnswers);
    }
    std::optional<testing::DialogAnswer> takeDialogAnswer() override { return TakeFirst(hooks.dialogAnswers); }
    std::optional<int> takePopupAnswer() override { return TakeFirst(hooks.popupAnswers); }
};

Recorder recorder;

// Installed as the test program starts, so that nothing shown before a test
// first looks goes unrecorded. Only test programs link this file.
[[maybe_unused]] const bool installed = (backend::InstallObserver(&recorder), true);

}  // namespace

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
