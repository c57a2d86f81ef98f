#include <QApplication>
#include <QFileDialog>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "LayerTest.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"

namespace lumagrove::platform::test {
namespace {

FileDialogRequest SaveRequest(const std::string& initialName) {
    FileDialogRequest request;
    request.filters = {{"PGM Files (*.PGM)", "*.pgm"}, {"All Files (*.*)", "*.*"}};
    request.initialName = initialName;
    request.defaultExtension = "pgm";
    request.confirmOverwrite = true;
    return request;
}

class FileDialogTest : public LayerTest {
protected:
    void SetUp() override {
        LayerTest::SetUp();
        existing_ = (std::filesystem::temp_directory_path() / "lumagrove-platform-existing.pgm").string();
        std::ofstream(existing_) << "P5\n1 1\n255\n";
    }
    void TearDown() override {
        std::filesystem::remove(existing_);
        LayerTest::TearDown();
    }
    std::string existing_;
};

TEST_F(FileDialogTest, SavingOverAnExistingFileAsksFirst) {
    // "No" returns to the dialog, which is then cancelled.
    testing::AnswerNextFileDialog(existing_);
    testing::AnswerNextMessageBox(AnswerNo);
    testing::AnswerNextFileDialog(std::nullopt);
    EXPECT_EQ(AskSaveFileName(SaveRequest("start.pgm")), std::nullopt);
    EXPECT_EQ(testing::ShownFileDialogs().size(), 2u);
    ASSERT_EQ(testing::ShownMessageBoxes().size(), 1u);
    EXPECT_NE(testing::ShownMessageBoxes()[0].text.find(existing_), std::string::npos);

    testing::AnswerNextFileDialog(existing_);
    testing::AnswerNextMessageBox(AnswerYes);
    EXPECT_EQ(AskSaveFileName(SaveRequest("start.pgm")), existing_);

    // A new name needs no question.
    testing::ResetHooks();
    testing::AnswerNextFileDialog("/tmp/lumagrove-platform-new.pgm");
    EXPECT_EQ(AskSaveFileName(SaveRequest("")), "/tmp/lumagrove-platform-new.pgm");
    EXPECT_TRUE(testing::ShownMessageBoxes().empty());
    const auto shown = testing::ShownFileDialogs();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].save);
    EXPECT_EQ(shown[0].request.filters.size(), 2u);
}

TEST_F(FileDialogTest, OpeningANameThatDoesNotExistAsksWhenRequested) {
    FileDialogRequest request = SaveRequest("");
    request.confirmOverwrite = false;
    request.confirmCreate = true;
    testing::AnswerNextFileDialog("/tmp/lumagrove-platform-missing.pgm");
    testing::AnswerNextMessageBox(AnswerYes);
    EXPECT_EQ(AskOpenFileName(request), "/tmp/lumagrove-platform-missing.pgm");
    ASSERT_EQ(testing::ShownMessageBoxes().size(), 1u);
    EXPECT_FALSE(testing::ShownFileDialogs()[0].save);

    testing::AnswerNextFileDialog(existing_);
    EXPECT_EQ(AskOpenFileName(request), existing_);
    EXPECT_EQ(testing::ShownMessageBoxes().size(), 1u) << "an existing file needs no question";

    // Without the offer to create it, a missing file is refused and the dialog comes back.
    request.confirmCreate = false;
    testing::AnswerNextFileDialog("/tmp/lumagrove-platform-missing.pgm");
    testing::AnswerNextMessageBox(AnswerOk);
    testing::AnswerNextFileDialog(existing_);
    EXPECT_EQ(AskOpenFileName(request), existing_);
    ASSERT_EQ(testing::ShownMessageBoxes().size(), 2u);
    EXPECT_NE(testing::ShownMessageBoxes()[1].text.find("File not found"), std::string::npos);
}

TEST_F(FileDialogTest, RealDialogOfAWindowThreadLeavesTheMainThreadFreeAndEndsOnTheEvent) {
    ManualResetEvent closeAll(ManualResetEvent::Kind::InterruptsWindowThreads);
    std::atomic<bool> answered{false};
    std::optional<std::string> chosen = "unchanged";
    const std::string owner = registerClass(DefaultWindowProcedure);
    const LayerThread asking([&] {
        const Window window = CreateWindowOfClass(owner, "Owner", Size{300, 200});
        ShowWindow(window);
        chosen = AskSaveFileName(SaveRequest(existing_));
        answered = true;
    });
    const auto shownDialog = []() -> QFileDialog* {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QFileDialog*>(widget);
            if (dialog != nullptr && dialog->isVisible()) return dialog;
        }
        return nullptr;
    };
    const auto dialogOnScreen = [&] { return shownDialog() != nullptr; };
    ASSERT_TRUE(WaitUntil(dialogOnScreen));
    // Names match patterns case by case here: both cases are offered, and
    // every file is a name with or without a dot.
    EXPECT_EQ(shownDialog()->nameFilters(),
              (QStringList{QStringLiteral("PGM Files (*.pgm *.PGM)"), QStringLiteral("All Files (*)")}));
    testing::RunMainLoopUntil([] { return false; }, 50ms);
    EXPECT_FALSE(answered);
    closeAll.set();
    ASSERT_TRUE(WaitUntil([&] { return asking.finished(); }));
    EXPECT_EQ(chosen, std::nullopt);
    EXPECT_TRUE(WaitUntil([&] { return !dialogOnScreen(); }));
    closeAll.reset();
}

}  // namespace
}  // namespace lumagrove::platform::test
