#include <algorithm>
#include <fstream>
#include <regex>
#include <sstream>

#include <gtest/gtest.h>

#include "operations/OperationTable.h"
#include "pictures/Pictures.h"

namespace lumagrove {
namespace {

std::string Readme() {
    std::ifstream file(LUMAGROVE_SOURCE_DIR "/README.md");
    EXPECT_TRUE(file) << "README.md not found";
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The row of the README's table that starts with `start`, without its end of line.
std::string RowStartingWith(const std::string& text, const std::string& start) {
    const std::size_t at = text.find("\n" + start);
    if (at == std::string::npos) return {};
    return text.substr(at + 1, text.find('\n', at + 1) - at - 1);
}

// The README's lists of menu entries and commands are written by hand; this
// keeps them from drifting away from the table the program actually uses,
// ids and option defaults included.
TEST(Readme, ListsEveryMenuEntryAndCommandOfTheOperationTable) {
    const std::string text = Readme();
    for (const OperationEntry& entry : OperationTable()) {
        EXPECT_NE(text.find("| " + PlainMenuPath(entry) + " | " + std::to_string(entry.menuId) + " | " +
                            entry.menuSummary + " |"),
                  std::string::npos)
            << entry.menuPath;
        if (entry.command == nullptr) continue;
        std::string options;
        for (const OptionDescriptor* option : entry.options) {
            options += std::string(options.empty() ? "" : " ") + "`" + option->flag + " " + option->valueName + "` [" +
                       option->defaultText() + "]";
        }
        const std::string row = RowStartingWith(text, std::string("| `") + entry.command + "` |");
        EXPECT_TRUE(row.ends_with(" " + options + " |") || (options.empty() && row.ends_with("| |")))
            << entry.command << ": " << row;
    }
}

// Where the README says which names are pictures, read and written, it lists
// the endings of the format rows, in their order.
TEST(Readme, ListsTheEndingsOfThePictureFormatRows) {
    std::string text = Readme();
    std::replace(text.begin(), text.end(), '\n', ' ');
    // ".png or .jpg" as the README writes it: "`.png` or `.jpg`".
    const auto quoted = [](const std::string& list) {
        return std::regex_replace(list, std::regex("(\\.\\w+)"), "`$1`");
    };
    const std::string read = quoted(ListOfEndings(PictureFileFormats()));
    const std::string written = quoted(ListOfEndings(PictureFileFormats(), true));
    EXPECT_NE(text.find("ending in " + read), std::string::npos) << read;
    EXPECT_NE(text.find("ending in " + written), std::string::npos) << written;
}

}  // namespace
}  // namespace lumagrove
