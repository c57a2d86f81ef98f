#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "cli/CommandLine.h"
#include "manuals/Manuals.h"
#include "manuals/Roff.h"
#include "operations/OperationTable.h"

namespace lumagrove::manuals {
namespace {

// The part of a page from `start` to the next tagged paragraph at the same
// level (".TP" outside any ".RS" block).
std::string ItemFrom(const std::string& page, std::size_t start) {
    int depth = 0;
    std::size_t line = page.find('\n', start);
    while (line != std::string::npos && line + 1 < page.size()) {
        const std::string_view rest(page.data() + line + 1, page.size() - line - 1);
        if (rest.starts_with(".RS")) ++depth;
        if (rest.starts_with(".RE")) --depth;
        if (depth == 0 && (rest.starts_with(".TP") || rest.starts_with(".SH"))) break;
        line = page.find('\n', line + 1);
    }
    return page.substr(start, line == std::string::npos ? std::string::npos : line - start);
}

TEST(CommandLinePage, ListsEveryCommandWithItsMenuEntryOptionsAndDefaults) {
    const std::string page = CommandLinePage();
    for (const OperationEntry& entry : OperationTable()) {
        if (entry.command == nullptr) continue;
        const std::size_t at = page.find(".TP\n.B " + RoffQuoted(RoffLiteral(entry.command)) + '\n');
        ASSERT_NE(at, std::string::npos) << entry.command;
        const std::string item = ItemFrom(page, at);
        EXPECT_NE(item.find(RoffSentence(entry.commandSummary)), std::string::npos) << entry.command;
        EXPECT_NE(item.find(RoffText(PlainMenuPath(entry))), std::string::npos) << entry.command;
        for (const OptionDescriptor* option : entry.options) {
            EXPECT_NE(item.find(RoffLiteral(option->flag)), std::string::npos) << entry.command << ' ' << option->flag;
            EXPECT_NE(item.find(RoffSentence(option->help)), std::string::npos) << entry.command << ' ' << option->flag;
            EXPECT_NE(item.find("Default: " + RoffLiteral(option->defaultText())), std::string::npos)
                << entry.command << ' ' << option->flag;
        }
        // Every command with options has an example that spells them out.
        if (!entry.options.empty()) {
            EXPECT_NE(page.find(RoffLiteral(std::string("lumagrove-cli ") + entry.command + " " +
                                            (*entry.options.begin())->flag)),
                      std::string::npos)
                << entry.command;
        }
    }
    // Every option of every command, with its value's name and its help.
    for (const auto& [flagAndValue, help] : cli::OptionRowsForEveryCommand()) {
        const std::string flag = flagAndValue.substr(0, flagAndValue.find(' '));
        const std::size_t at = page.find(RoffQuoted(RoffLiteral(flag + (flag == flagAndValue ? "" : " "))));
        ASSERT_NE(at, std::string::npos) << flag;
        EXPECT_NE(ItemFrom(page, page.rfind(".TP\n", at)).find(RoffSentence(help)), std::string::npos) << flag;
    }
    for (const char* section : {"NAME", "SYNOPSIS", "DESCRIPTION", "COMMANDS", "OPTIONS",
                                "\"PIPES, CHAINS AND BATCHES\"", "EXIT STATUS", "EXAMPLES"}) {
        EXPECT_NE(page.find(std::string(".SH ") + section + '\n'), std::string::npos) << section;
    }
}

TEST(DesktopPage, ListsEveryMenuEntryWithWhatItDoes) {
    const std::string page = DesktopPage();
    for (const OperationEntry& entry : OperationTable()) {
        const std::size_t at = page.find(".TP\n.B " + RoffQuoted(RoffText(PlainMenuPath(entry))) + '\n');
        ASSERT_NE(at, std::string::npos) << entry.menuPath;
        const std::string item = ItemFrom(page, at);
        EXPECT_NE(item.find(RoffSentence(entry.menuSummary)), std::string::npos) << entry.menuPath;
        if (entry.command != nullptr) {
            EXPECT_NE(item.find(RoffLiteral(entry.command)), std::string::npos) << entry.command;
        }
    }
}

// The dialogs' values start where the command line's options do.
TEST(DesktopPage, NamesTheStartingValueOfEveryDialogValue) {
    const std::string page = DesktopPage();
    const std::size_t parameters = page.find(".SH PARAMETERS\n");
    ASSERT_NE(parameters, std::string::npos);
    const std::string section = page.substr(parameters, page.find(".SH", parameters + 1) - parameters);
    for (const OperationEntry& entry : OperationTable()) {
        if (entry.dialog == ParameterDialog::None || entry.kind != EntryKind::Operation) continue;
        for (const OptionDescriptor* option : entry.options) {
            const std::string name = RoffLiteral(std::string_view(option->flag).substr(2));
            const std::size_t at =
                section.find(".IR \"" + name + "\" \", from " + RoffLiteral(option->defaultText()) + '"');
            ASSERT_NE(at, std::string::npos) << entry.command << ' ' << option->flag;
            EXPECT_NE(ItemFrom(section, at).find(RoffSentence(option->help)), std::string::npos) << option->flag;
        }
    }
}

TEST(Roff, KeepsTextFromBeingReadAsRequestsOrEscapes) {
    EXPECT_EQ(RoffText(".x\n'y\nz.w"), "\\&.x\n\\&'y\nz.w");
    EXPECT_EQ(RoffText("a\\b"), "a\\eb");
    EXPECT_EQ(RoffText("high-pass"), "high-pass");
    EXPECT_EQ(RoffLiteral("--sigma"), "\\-\\-sigma");
    EXPECT_EQ(RoffQuoted("say \"hi\""), "\"say \\(dqhi\\(dq\"");
    EXPECT_EQ(RoffSentence("edge map: x"), "Edge map: x.");
    EXPECT_EQ(RoffSentence(".5 more"), "\\&.5 more.");
}

}  // namespace
}  // namespace lumagrove::manuals
