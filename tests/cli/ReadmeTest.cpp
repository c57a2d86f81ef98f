#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "operations/OperationTable.h"

namespace lumagrove {
namespace {

// The README's lists of menu entries and commands are written by hand; this keeps it from
// drifting away from the table the program actually uses.
TEST(Readme, ListsEveryMenuEntryAndCommandOfTheOperationTable) {
    std::ifstream file(LUMAGROVE_SOURCE_DIR "/README.md");
    ASSERT_TRUE(file) << "README.md not found";
    std::stringstream text;
    text << file.rdbuf();
    for (const OperationEntry& entry : OperationTable()) {
        EXPECT_NE(text.str().find(std::string("| ") + entry.menuPath + " | " + std::to_string(entry.menuId) + " | " +
                                  entry.summary + " |"),
                  std::string::npos)
            << entry.menuPath;
        if (entry.command == nullptr) continue;
        EXPECT_NE(text.str().find(std::string("| `") + entry.command + "` |"), std::string::npos) << entry.command;
    }
}

}  // namespace
}  // namespace lumagrove
