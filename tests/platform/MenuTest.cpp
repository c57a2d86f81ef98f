#include "LayerTest.h"
#include "platform/Menu.h"
#include "resources/ControlIds.h"
#include "support/MenuIds.h"

namespace lumagrove::platform::test {
namespace {

using lumagrove::testing::MenuId;

class MenuTest : public LayerTest {
protected:
    // A window whose right click pops up the second popup of menu 102, and
    // which logs the commands it receives.
    std::string popupClass(const std::shared_ptr<MessageLog>& log, int menuResource = 0) {
        return registerClass(
            [log](Window window, Msg id, WordParam word, LongParam data) -> Result {
                log->add(id, word, data);
                if (id == Msg::RightUp) {
                    PopupMenuAtCursor(Menu::Load(resources::ImageWindowMenu).subMenu(1), window);
                    return 0;
                }
                return DefaultWindowProcedure(window, id, word, data);
            },
            menuResource);
    }
};

TEST_F(MenuTest, PopupChoiceArrivesAsACommandOnTheWindowThread) {
    testing::AnswerNextPopup(MenuId("Action > Hough Transforms > Circles > Detect circles using direction info"));
    auto log = std::make_shared<MessageLog>();
    ThreadWindow image(popupClass(log), Size{200, 200}, [](Window window) { ShowWindow(window); });
    PostMessage(image.window(), Msg::RightUp, 0, PackPoint(10, 10));
    ASSERT_TRUE(WaitUntil([&] { return log->count(Msg::Command) == 1; }));

    const Seen chosen = log->of(Msg::Command)[0];
    EXPECT_EQ(
        LowWord(chosen.word),
        static_cast<unsigned>(MenuId("Action > Hough Transforms > Circles > Detect circles using direction info")));
    EXPECT_EQ(chosen.thread, image.threadId());
    const auto popups = testing::ShownPopups();
    ASSERT_EQ(popups.size(), 1u);
    EXPECT_EQ(popups[0].owner, image.window());
    EXPECT_EQ(popups[0].items,
              (std::vector<std::string>{"Negate", "Binarize", "Smoothing", "Histogram equalization",
                                        "Fourier Transform", "Edge Detection", "Hough Transforms", "Convert to 3D"}));
}

TEST_F(MenuTest, PopupsOfSeveralWindowsAnswerTheirOwnWindow) {
    auto firstLog = std::make_shared<MessageLog>();
    auto secondLog = std::make_shared<MessageLog>();
    ThreadWindow first(popupClass(firstLog), Size{200, 200});
    ThreadWindow second(registerClass(
                            [secondLog](Window window, Msg id, WordParam word, LongParam data) -> Result {
                                secondLog->add(id, word, data);
                                if (id == Msg::RightUp) {
                                    PopupMenuAtCursor(Menu::Load(resources::ImageWindowMenu).subMenu(1), window);
                                }
                                return DefaultWindowProcedure(window, id, word, data);
                            },
                            0, ".second"),
                        Size{200, 200});
    testing::AnswerNextPopup(MenuId("Action > Negate"));
    PostMessage(first.window(), Msg::RightUp);
    ASSERT_TRUE(WaitUntil([&] { return firstLog->count(Msg::Command) == 1; }));
    testing::AnswerNextPopup(MenuId("Action > Convert to 3D"));
    PostMessage(second.window(), Msg::RightUp);
    ASSERT_TRUE(WaitUntil([&] { return secondLog->count(Msg::Command) == 1; }));
    EXPECT_EQ(LowWord(firstLog->of(Msg::Command)[0].word), static_cast<unsigned>(MenuId("Action > Negate")));
    EXPECT_EQ(LowWord(secondLog->of(Msg::Command)[0].word), static_cast<unsigned>(MenuId("Action > Convert to 3D")));
    EXPECT_EQ(firstLog->count(Msg::Command), 1u);
}

TEST_F(MenuTest, MenuBarOfTheClassReachesEveryEntry) {
    auto log = std::make_shared<MessageLog>();
    ThreadWindow image(popupClass(log, resources::ImageWindowMenu), Size{300, 200},
                       [](Window window) { ShowWindow(window); });
    const Window window = image.window();
    for (const int entry : {MenuId("File > Save As..."), MenuId("Options > Set Threshold..."),
                            MenuId("Options > Set Gradient and Gradient Direction Thresholds..."),
                            MenuId("Action > Hough Transforms > Lines > Show Hough Space"),
                            MenuId("Action > Hough Transforms > Circles > Show Hough Space")}) {
        ASSERT_TRUE(testing::ChooseFromMenuBar(window, entry)) << entry;
    }
    EXPECT_FALSE(testing::ChooseFromMenuBar(window, 40004)) << "no such entry";
    ASSERT_TRUE(WaitUntil([&] { return log->count(Msg::Command) == 5; }));
    std::vector<unsigned> chosen;
    for (const Seen& seen : log->of(Msg::Command)) chosen.push_back(LowWord(seen.word));
    EXPECT_EQ(chosen, (std::vector<unsigned>{40001, 40014, 40025, 40031, 40035}));
}

TEST_F(MenuTest, MenuHandlesFollowTheResource) {
    const Menu bar = Menu::Load(resources::ImageWindowMenu);
    EXPECT_EQ(bar.itemTexts(), (std::vector<std::string>{"&File", "&Action", "Options"}));
    EXPECT_EQ(bar.subMenu(0).itemTexts(), (std::vector<std::string>{"Save As...", "&Close"}));
    EXPECT_TRUE(bar.subMenu(3).isNull());
    EXPECT_TRUE(bar.subMenu(1).subMenu(0).isNull()) << "Negate is a command, not a popup";
    EXPECT_TRUE(Menu::Load(999).isNull());
    Menu shared = bar;
    shared.reset();
    EXPECT_TRUE(shared.isNull());
    EXPECT_FALSE(bar.isNull());
}

}  // namespace
}  // namespace lumagrove::platform::test
