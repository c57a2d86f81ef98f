#include <gtest/gtest.h>

#include <set>

#include "resources/ControlIds.h"
#include "resources/Resources.h"
#include "support/MenuIds.h"

namespace lumagrove::resources {
namespace {

using testing::MenuId;

void CollectCommands(const std::vector<MenuItem>& items, std::vector<int>& commands) {
    for (const MenuItem& item : items) {
        if (item.isPopup()) {
            EXPECT_EQ(item.command, 0) << item.text;
            CollectCommands(item.items, commands);
        } else {
            commands.push_back(item.command);
        }
    }
}

const MenuItem& Entry(const std::vector<MenuItem>& items, const std::string& text) {
    for (const MenuItem& item : items) {
        if (item.text == text) return item;
    }
    ADD_FAILURE() << "no entry " << text;
    static const MenuItem none;
    return none;
}

std::vector<std::string> Texts(const std::vector<MenuItem>& items) {
    std::vector<std::string> texts;
    for (const MenuItem& item : items) texts.push_back(item.text);
    return texts;
}

TEST(ResourcesTest, ImageWindowMenuHoldsEveryCommandOnce) {
    const MenuTemplate* menu = FindMenu(ImageWindowMenu);
    ASSERT_NE(menu, nullptr);
    std::vector<int> commands;
    CollectCommands(menu->popups, commands);
    const std::set<int> distinct(commands.begin(), commands.end());
    EXPECT_EQ(distinct.size(), commands.size()) << "an identifier appears twice";
    std::set<int> expected{40001, 40002, 40003, 40014, 40025, 40039};
    for (int id = 40005; id <= 40013; ++id) expected.insert(id);
    for (int id = 40016; id <= 40021; ++id) expected.insert(id);
    for (int id : {40023, 40024, 40031, 40032, 40033, 40034, 40035, 40036, 40037, 40038}) expected.insert(id);
    EXPECT_EQ(distinct, expected);
}

void CollectPaths(const std::vector<MenuItem>& items, const std::string& prefix,
                  std::vector<std::pair<std::string, int>>& paths) {
    for (const MenuItem& item : items) {
        if (item.isPopup()) {
            CollectPaths(item.items, prefix + item.text + " > ", paths);
        } else {
            paths.emplace_back(prefix + item.text, item.command);
        }
    }
}

// The menu is the operation table laid out: the popups in the order the
// table first names them, each row's path leading to its id.
TEST(ResourcesTest, ImageWindowMenuLaysOutTheOperationTable) {
    const MenuTemplate* menu = FindMenu(ImageWindowMenu);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(Texts(menu->popups), (std::vector<std::string>{"&File", "&Action", "Options"}));
    EXPECT_EQ(Texts(menu->popups.at(0).items), (std::vector<std::string>{"Save As...", "&Close"}));
    std::vector<std::pair<std::string, int>> laidOut;
    CollectPaths(menu->popups, "", laidOut);
    std::vector<std::pair<std::string, int>> rows;
    for (const OperationEntry& entry : OperationTable()) rows.emplace_back(entry.menuPath, entry.menuId);
    EXPECT_EQ(laidOut, rows);
}

TEST(ResourcesTest, HoughPopupsNameTheirEntries) {
    const MenuItem& action = FindMenu(ImageWindowMenu)->popups.at(1);
    EXPECT_EQ(action.text, "&Action");
    const MenuItem& hough = Entry(action.items, "Hough Transforms");
    const MenuItem& lines = Entry(hough.items, "Lines");
    const MenuItem& circles = Entry(hough.items, "Circles");
    EXPECT_EQ(Texts(lines.items), (std::vector<std::string>{"Show Hough Space", "Detect lines (show lines only)",
                                                            "Detect lines (superimpose on original)",
                                                            "Detect lines using direction info"}));
    EXPECT_EQ(Texts(circles.items), (std::vector<std::string>{"Show Hough Space", "Detect Circles (show circles only)",
                                                              "Detect Circles (superimpose on original)",
                                                              "Detect circles using direction info"}));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(lines.items[i].command, MenuId("Action > Hough Transforms > Lines > Show Hough Space") + i);
        EXPECT_EQ(circles.items[i].command, MenuId("Action > Hough Transforms > Circles > Show Hough Space") + i);
    }
    EXPECT_EQ(action.items.back().command, MenuId("Action > Convert to 3D"));
    EXPECT_EQ(Entry(FindMenu(ImageWindowMenu)->popups.at(2).items, "Set Gradient and Gradient Direction Thresholds...")
                  .command,
              MenuId("Options > Set Gradient and Gradient Direction Thresholds..."));
}

TEST(ResourcesTest, ControlWindowTemplateMatchesTheLayout) {
    const DialogTemplate* dialog = FindDialog(ControlWindowDialog);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->title, "Lumagrove");
    EXPECT_EQ(dialog->className, "Lumagrove");
    EXPECT_TRUE(dialog->hasPosition);
    EXPECT_EQ(dialog->rect.width, 186);
    EXPECT_EQ(dialog->rect.height, 102);
    EXPECT_NE(dialog->frameStyle & frame::VisibleAtCreation, 0u);
    EXPECT_EQ(dialog->control(control::LoadImage)->kind, ControlKind::DefaultPushButton);
    EXPECT_TRUE(dialog->control(control::CloseAll)->has(style::Disabled));
    EXPECT_TRUE(dialog->control(control::DropList)->has(style::Sorted | style::AcceptsFiles | style::Notify));
    EXPECT_FALSE(dialog->control(control::PerformanceList)->has(style::Sorted));
    const DialogRect list = dialog->control(control::PerformanceList)->rect;
    EXPECT_EQ((std::vector<int>{list.x, list.y, list.width, list.height}), (std::vector<int>{68, 20, 111, 52}));
    EXPECT_EQ(dialog->control(NoControlId), nullptr) << "labels are not looked up";
}

TEST(ResourcesTest, ParameterDialogsAreModalWithTheirItems) {
    const DialogTemplate* parameters = FindDialog(ParametersDialog);
    const DialogTemplate* edges = FindDialog(EdgeParametersDialog);
    ASSERT_NE(parameters, nullptr);
    ASSERT_NE(edges, nullptr);
    EXPECT_EQ(parameters->title, "Parameters");
    EXPECT_EQ(edges->title, "Edge Detector Parameters");
    EXPECT_TRUE(parameters->className.empty());
    EXPECT_EQ(parameters->frameStyle & frame::VisibleAtCreation, 0u);
    const ControlTemplate* spin = parameters->control(control::WindowSizeSpin);
    ASSERT_NE(spin, nullptr);
    EXPECT_EQ(spin->kind, ControlKind::UpDown);
    EXPECT_TRUE(spin->has(style::AttachToPrevious | style::AlignRight | style::KeepsBuddyInteger));
    // The up-down attaches to the control listed just before it.
    for (std::size_t i = 1; i < parameters->controls.size(); ++i) {
        if (parameters->controls[i].id == control::WindowSizeSpin) {
            EXPECT_EQ(parameters->controls[i - 1].id, control::WindowSize);
        }
    }
    EXPECT_EQ(parameters->control(control::Ok)->kind, ControlKind::DefaultPushButton);
    EXPECT_EQ(edges->control(control::Ok)->kind, ControlKind::DefaultPushButton);
    EXPECT_EQ(edges->control(control::GradientDirection)->kind, ControlKind::Edit);
    EXPECT_EQ(FindDialog(102), nullptr);
}

TEST(ResourcesTest, DialogUnitsScaleWithRoundingHalvesAway) {
    EXPECT_EQ(ScaleRounded(7, 6, 4), 11);  // 10.5
    EXPECT_EQ(ScaleRounded(5, 6, 4), 8);   // 7.5
    EXPECT_EQ(ScaleRounded(3, 6, 4), 5);   // 4.5
    EXPECT_EQ(ScaleRounded(1, 5, 4), 1);   // 1.25
    EXPECT_EQ(ScaleRounded(-7, 6, 4), -11);
    EXPECT_EQ(ScaleRounded(81, 13, 8), 132);  // 131.625
    const PixelRect button = ToPixels(DialogRect{7, 81, 54, 14}, BaseUnits{6, 13});
    EXPECT_EQ(button, (PixelRect{11, 132, 81, 23}));
}

}  // namespace
}  // namespace lumagrove::resources
