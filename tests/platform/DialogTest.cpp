#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QMessageBox>
#include <QTimer>

#include "LayerTest.h"
#include "platform/Dialog.h"
#include "platform/DroppedFiles.h"
#include "platform/MessageBox.h"
#include "resources/ControlIds.h"
#include "resources/Resources.h"

namespace lumagrove::platform::test {
namespace {

namespace control = resources::control;

// What a dialog procedure saw, from the thread it ran on.
struct DialogRun {
    std::mutex mutex;
    std::vector<std::thread::id> procedureThreads;
    std::optional<std::uint32_t> windowSize;
    std::atomic<bool> finished{false};
    std::atomic<int> result{-2};
    std::thread::id askingThread;
};

// Sets up "Parameters" as the program does and reads the window size on OK.
DialogProcedure ParametersProcedure(const std::shared_ptr<DialogRun>& run) {
    return [run](Window dialog, Msg id, WordParam word, LongParam) {
        {
            std::lock_guard lock(run->mutex);
            run->procedureThreads.push_back(std::this_thread::get_id());
        }
        if (id == Msg::InitDialog) {
            SetSpinRange(dialog, control::WindowSizeSpin, 3, 15);
            SetItemUnsigned(dialog, control::WindowSize, 3);
            SetItemText(dialog, control::Sigma, "1.00");
            return true;
        }
        if (id != Msg::Command) return false;
        if (LowWord(word) == control::Ok) {
            std::lock_guard lock(run->mutex);
            run->windowSize = ItemUnsigned(dialog, control::WindowSize);
            EndDialog(dialog, 1);
            return true;
        }
        if (LowWord(word) == control::Cancel) {
            EndDialog(dialog, 0);
            return true;
        }
        return false;
    };
}

// An owner window and a modal dialog over it, on a thread of their own.
LayerThread OpenModal(const std::string& ownerClass, int templateId, const std::shared_ptr<DialogRun>& run) {
    return LayerThread([ownerClass, templateId, run] {
        run->askingThread = std::this_thread::get_id();
        const Window owner = CreateWindowOfClass(ownerClass, "Owner", Size{300, 200});
        ShowWindow(owner);
        run->result = RunModalDialog(templateId, owner, ParametersProcedure(run));
        DestroyWindow(owner);
        run->finished = true;
    });
}

std::optional<Window> OpenDialogTitled(const std::string& title) {
    for (const Window dialog : testing::OpenDialogs()) {
        if (WindowTitle(dialog) == title) return dialog;
    }
    return std::nullopt;
}

bool MessageBoxOnScreen() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMessageBox*>(widget) != nullptr && widget->isVisible()) return true;
    }
    return false;
}

class DialogTest : public LayerTest {
protected:
    std::string ownerClass() { return registerClass(DefaultWindowProcedure, 0, ".owner"); }
};

TEST_F(DialogTest, ModalDialogAnsweredThroughItsWidgetsRunsItsProcedureOnTheAskingThread) {
    testing::AnswerNextDialog(testing::DialogAnswer{{{control::WindowSize, "7"}}, control::Ok});
    auto run = std::make_shared<DialogRun>();
    const LayerThread thread = OpenModal(ownerClass(), resources::ParametersDialog, run);
    ASSERT_TRUE(WaitUntil([&] { return run->finished.load(); }));

    EXPECT_EQ(run->result, 1);
    std::lock_guard lock(run->mutex);
    EXPECT_EQ(run->windowSize, 7u);
    ASSERT_FALSE(run->procedureThreads.empty());
    for (const auto id : run->procedureThreads) EXPECT_EQ(id, run->askingThread);
}

TEST_F(DialogTest, TwoDialogsOpenAtOnceEndInEitherOrder) {
    const std::string owner = ownerClass();
    auto first = std::make_shared<DialogRun>();
    auto second = std::make_shared<DialogRun>();
    const LayerThread one = OpenModal(owner, resources::ParametersDialog, first);
    ASSERT_TRUE(WaitUntil([] { return OpenDialogTitled("Parameters").has_value(); }));
    const LayerThread two = OpenModal(owner, resources::EdgeParametersDialog, second);
    ASSERT_TRUE(WaitUntil([] { return OpenDialogTitled("Edge Detector Parameters").has_value(); }));

    // The dialog opened first ends first: with nested event loops it could
    // not return before the later one.
    ASSERT_TRUE(testing::PressButton(*OpenDialogTitled("Parameters"), control::Ok));
    ASSERT_TRUE(WaitUntil([&] { return first->finished.load(); }));
    EXPECT_EQ(first->result, 1);
    EXPECT_FALSE(second->finished);
    EXPECT_TRUE(OpenDialogTitled("Edge Detector Parameters").has_value());

    ASSERT_TRUE(testing::PressButton(*OpenDialogTitled("Edge Detector Parameters"), control::Cancel));
    ASSERT_TRUE(WaitUntil([&] { return second->finished.load(); }));
    EXPECT_EQ(second->result, 0);
}

TEST_F(DialogTest, CloseBoxCancelsAModalDialog) {
    auto run = std::make_shared<DialogRun>();
    const LayerThread thread = OpenModal(ownerClass(), resources::ParametersDialog, run);
    ASSERT_TRUE(WaitUntil([] { return OpenDialogTitled("Parameters").has_value(); }));
    testing::CloseBoxClicked(*OpenDialogTitled("Parameters"));
    ASSERT_TRUE(WaitUntil([&] { return run->finished.load(); }));
    EXPECT_EQ(run->result, 0);
}

TEST_F(DialogTest, SpinStepsItsBuddyWithinTheRange) {
    auto run = std::make_shared<DialogRun>();
    const LayerThread thread = OpenModal(ownerClass(), resources::ParametersDialog, run);
    ASSERT_TRUE(WaitUntil([] { return OpenDialogTitled("Parameters").has_value(); }));
    const Window dialog = *OpenDialogTitled("Parameters");
    EXPECT_EQ(testing::ShownItemText(dialog, control::WindowSize), "3");
    EXPECT_EQ(testing::ShownItemText(dialog, control::Sigma), "1.00");

    testing::ClickSpin(dialog, control::WindowSizeSpin, false);
    EXPECT_EQ(testing::ShownItemText(dialog, control::WindowSize), "3") << "held at the lower limit";
    for (int i = 0; i < 20; ++i) testing::ClickSpin(dialog, control::WindowSizeSpin, true);
    EXPECT_EQ(testing::ShownItemText(dialog, control::WindowSize), "15") << "held at the upper limit";
    testing::TypeIntoItem(dialog, control::WindowSize, "8");
    testing::ClickSpin(dialog, control::WindowSizeSpin, true);
    EXPECT_EQ(testing::ShownItemText(dialog, control::WindowSize), "9") << "steps from what was typed";

    testing::PressButton(dialog, control::Ok);
    ASSERT_TRUE(WaitUntil([&] { return run->finished.load(); }));
    std::lock_guard lock(run->mutex);
    EXPECT_EQ(run->windowSize, 9u);
}

TEST_F(DialogTest, ItemsArePlacedFromDialogUnits) {
    auto run = std::make_shared<DialogRun>();
    const LayerThread thread = OpenModal(ownerClass(), resources::ParametersDialog, run);
    ASSERT_TRUE(WaitUntil([] { return OpenDialogTitled("Parameters").has_value(); }));
    const Window dialog = *OpenDialogTitled("Parameters");
    const Rect ok = testing::ItemGeometry(dialog, control::Ok);
    const Rect cancel = testing::ItemGeometry(dialog, control::Cancel);
    const Rect edit = testing::ItemGeometry(dialog, control::WindowSize);
    const Rect spin = testing::ItemGeometry(dialog, control::WindowSizeSpin);
    const Rect sigma = testing::ItemGeometry(dialog, control::Sigma);

    // OK and Cancel: same size, side by side 63 units apart on one line.
    EXPECT_EQ(ok.width, cancel.width);
    EXPECT_EQ(ok.height, cancel.height);
    EXPECT_EQ(ok.y, cancel.y);
    EXPECT_NEAR(static_cast<double>(ok.x - cancel.x) / ok.width, 63.0 / 50.0, 0.05);
    // The up-down sits on the right edge of its edit, which gave up the room.
    EXPECT_EQ(spin.x, edit.x + edit.width);
    EXPECT_EQ(spin.y, edit.y);
    EXPECT_EQ(spin.height, edit.height);
    EXPECT_EQ(edit.width + spin.width, sigma.width);
    // Both 26 units wide; the client area is 160 of the same units.
    const int baseX = (cancel.width * 4 + 25) / 50;
    EXPECT_EQ(WindowFrame(dialog).width - 2 * FrameBorder, resources::ScaleRounded(160, baseX, 4));

    testing::PressButton(dialog, control::Cancel);
    ASSERT_TRUE(WaitUntil([&] { return run->finished.load(); }));
}

TEST_F(DialogTest, MessageBoxFromAWindowThreadIsOwnedCaptionedAndAnswered) {
    testing::AnswerNextMessageBox(AnswerOk);
    std::atomic<int> answer{-1};
    std::atomic<std::uint32_t> ownerId{0};
    const std::string owner = ownerClass();
    const LayerThread thread([&] {
        const Window window = CreateWindowOfClass(owner, "Owner", Size{300, 200});
        ownerId = window.id;
        answer = ShowMessageBox(window, "Window size must be an odd number", "Error", BoxIcon::Error);
        DestroyWindow(window);
    });
    ASSERT_TRUE(WaitUntil([&] { return thread.finished(); }));
    EXPECT_EQ(answer, AnswerOk);
    const auto shown = testing::ShownMessageBoxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].owner, Window{ownerId});
    EXPECT_EQ(shown[0].text, "Window size must be an odd number");
    EXPECT_EQ(shown[0].caption, "Error");
    EXPECT_EQ(shown[0].icon, BoxIcon::Error);
}

TEST_F(DialogTest, MainThreadsOwnBoxKeepsServingOtherThreads) {
    constexpr Msg Ping = PrivateMessage(3);
    const std::string name = registerClass([](Window window, Msg id, WordParam word, LongParam data) -> Result {
        return id == Ping ? 7 : DefaultWindowProcedure(window, id, word, data);
    });
    const Window control = CreateWindowOfClass(name, "Control", Size{200, 100});
    std::atomic<bool> boxOpen{true};
    std::atomic<Result> answer{0};
    std::atomic<bool> answeredWhileOpen{false};
    const LayerThread sender([&] {
        std::this_thread::sleep_for(50ms);
        answer = SendMessage(control, Ping);
        answeredWhileOpen = boxOpen.load();
    });
    // The person answers a while later, long after the other thread asked.
    QTimer::singleShot(400, [] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(widget); box != nullptr && box->isVisible()) {
                box->button(QMessageBox::Ok)->click();
            }
        }
    });
    EXPECT_EQ(ShowMessageBox(Window{}, "File: x could not be opened for reading.", "Error"), AnswerOk);
    boxOpen = false;
    EXPECT_EQ(answer, 7);
    EXPECT_TRUE(answeredWhileOpen);
    ASSERT_TRUE(WaitUntil([&] { return sender.finished(); }));
    DestroyWindow(control);
}

// The window manager writes the caption in the title bar beside its icon and
// buttons: a box with a short text must still be wide enough for all of it.
TEST_F(DialogTest, AMessageBoxWithAShortTextStillShowsItsWholeCaption) {
    const QString caption = QStringLiteral("A caption far longer than the text");
    int boxWidth = 0;
    QTimer::singleShot(0, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(widget); box != nullptr && box->isVisible()) {
                boxWidth = box->width();
                box->button(QMessageBox::Ok)->click();
            }
        }
    });
    EXPECT_EQ(ShowMessageBox(Window{}, "255 255", caption.toStdString(), BoxIcon::Error), AnswerOk);
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    EXPECT_GE(boxWidth, QFontMetrics(titleFont).horizontalAdvance(caption) + 100);
}

TEST_F(DialogTest, InterruptingEventEndsDialogsAndBoxesOfWindowThreadsAndWakesIdleOnes) {
    ManualResetEvent closeAll(ManualResetEvent::Kind::InterruptsWindowThreads);
    const std::string owner = ownerClass();
    auto dialogRun = std::make_shared<DialogRun>();
    const LayerThread withDialog = OpenModal(owner, resources::ParametersDialog, dialogRun);
    std::atomic<int> boxAnswer{-1};
    const LayerThread withBox([&] {
        const Window window = CreateWindowOfClass(owner, "Owner", Size{300, 200});
        boxAnswer = ShowMessageBox(window, "Waiting for a person", "Caption");
    });
    std::atomic<bool> idleReady{false};
    const LayerThread idle([&, closeAll] {
        const Window window = CreateWindowOfClass(owner, "Idle", Size{300, 200});
        idleReady = true;
        RunWindowLoop(window, closeAll);
    });
    ASSERT_TRUE(WaitUntil([&] { return OpenDialogTitled("Parameters") && MessageBoxOnScreen() && idleReady; }));
    testing::RunMainLoopUntil([] { return false; }, 50ms);
    EXPECT_FALSE(idle.finished());

    closeAll.set();
    ASSERT_TRUE(WaitUntil([&] { return dialogRun->finished && withBox.finished() && idle.finished(); }));
    EXPECT_EQ(dialogRun->result, 0);
    EXPECT_EQ(boxAnswer, Dismissed);
    EXPECT_TRUE(WaitUntil([] { return !MessageBoxOnScreen() && testing::OpenDialogs().empty(); }));
    closeAll.reset();
}

// The control window's template names this class; one registration serves
// every test, each setting the procedure it needs.
std::function<Result(Window, Msg, WordParam, LongParam)>& ControlProcedure() {
    static std::function<Result(Window, Msg, WordParam, LongParam)> procedure;
    return procedure;
}

void RegisterControlClass() {
    static const bool registered = RegisterWindowClass(WindowClass{
        "Lumagrove",
        [](Window w, Msg id, WordParam word, LongParam data) { return ControlProcedure()(w, id, word, data); }, 0});
    ASSERT_TRUE(registered);
}

TEST_F(DialogTest, ModelessDialogOfAWindowClassTakesClicksDropsAndLinesFromOtherThreads) {
    RegisterControlClass();
    auto log = std::make_shared<MessageLog>();
    auto dropped = std::make_shared<std::vector<std::string>>();
    ControlProcedure() = [log, dropped](Window window, Msg id, WordParam word, LongParam data) -> Result {
        log->add(id, word, data);
        if (id == Msg::DropFiles) *dropped = TakeDroppedFiles(word);
        return DefaultWindowProcedure(window, id, word, data);
    };
    const Window control = CreateDialogFromTemplate(resources::ControlWindowDialog, Window{});
    ASSERT_TRUE(control);
    EXPECT_EQ(log->count(Msg::Create), 1u);
    ASSERT_TRUE(WaitUntil([&] { return testing::Snapshot(control) && testing::Snapshot(control)->visible; }));
    EXPECT_EQ(testing::Snapshot(control)->title, "Lumagrove");
    EXPECT_FALSE(testing::ShownItemEnabled(control, control::CloseAll));
    EXPECT_FALSE(testing::PressButton(control, control::CloseAll));

    const LayerThread reporter([control] {
        for (int ms : {5, 12}) {
            const int line =
                AddListLine(control, control::PerformanceList, "Completed in " + std::to_string(ms) + " ms");
            SelectListLine(control, control::PerformanceList, line);
        }
    });
    ASSERT_TRUE(WaitUntil([&] { return reporter.finished(); }));
    const std::vector<std::string> lines{"Completed in 5 ms", "Completed in 12 ms"};
    EXPECT_EQ(ListLines(control, control::PerformanceList), lines);
    EXPECT_EQ(testing::ShownListLines(control, control::PerformanceList), lines);
    EXPECT_EQ(testing::ShownListSelection(control, control::PerformanceList), 1);

    ASSERT_TRUE(testing::DropFilesOn(control, control::DropList, {"/data/scan.pgm", "/data/a.intensity"}));
    ASSERT_TRUE(testing::PressButton(control, control::LoadImage));
    ASSERT_TRUE(WaitUntil([&] { return log->count(Msg::Command) == 1 && log->count(Msg::DropFiles) == 1; }));
    EXPECT_EQ(*dropped, (std::vector<std::string>{"/data/scan.pgm", "/data/a.intensity"}));
    EXPECT_TRUE(testing::ShownListLines(control, control::DropList).empty());
    EXPECT_EQ(LowWord(log->of(Msg::Command)[0].word), static_cast<unsigned>(control::LoadImage));
    EXPECT_EQ(log->of(Msg::Command)[0].thread, std::this_thread::get_id());

    testing::CloseBoxClicked(control);
    ASSERT_TRUE(WaitUntil([&] { return !WindowExists(control); }));
    EXPECT_EQ(log->count(Msg::Destroy), 1u);
    ControlProcedure() = nullptr;
}

TEST_F(DialogTest, SortedListKeepsOrderIgnoringCase) {
    RegisterControlClass();
    ControlProcedure() = DefaultWindowProcedure;
    const Window control = CreateDialogFromTemplate(resources::ControlWindowDialog, Window{});
    for (const char* name : {"b.pgm", "C.pgm", "a.pgm"}) AddListLine(control, control::DropList, name);
    EXPECT_EQ(testing::ShownListLines(control, control::DropList),
              (std::vector<std::string>{"a.pgm", "b.pgm", "C.pgm"}));
    DestroyWindow(control);
    ControlProcedure() = nullptr;
}

}  // namespace
}  // namespace lumagrove::platform::test
