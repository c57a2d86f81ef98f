#include <sstream>
#include <string_view>
#include <vector>

#include "cli/GeneralOptions.h"
#include "cli/ParsedWords.h"
#include "manuals/Manuals.h"
#include "operations/OperationTable.h"
#include "pictures/Pictures.h"

namespace lumagrove::manuals {
namespace {

std::string Joined(const std::vector<std::string>& words, std::string_view separator) {
    std::string text;
    for (const std::string& word : words) {
        if (!text.empty()) text += separator;
        text += word;
    }
    return text;
}

}  // namespace

// Plain bash, without the bash-completion package's helpers, so that it
// works wherever it is sourced. Commands and flags are fixed words of the
// table and need no quoting; file names may hold blanks, hence mapfile.
std::string BashCompletion() {
    std::vector<std::string> commands;
    for (const OperationEntry& entry : OperationTable()) {
        if (entry.command != nullptr) commands.emplace_back(entry.command);
    }
    std::vector<std::string> general;
    for (const cli::ToolOption& option : cli::ToolOptions()) general.emplace_back(option.flag);
    for (const cli::GeneralOption& option : cli::kGeneralOptions) general.emplace_back(option.flag);
    std::vector<std::string> valued;
    for (const OptionDescriptor* option : AllOptions()) valued.emplace_back(option->flag);
    std::vector<std::string> formats;
    for (const ImageFormat& format : ImageFormatsWithPictures()) {
        if (format.writtenAs != nullptr) formats.emplace_back(format.writtenAs);
    }

    std::ostringstream script;
    script << "# bash completion for lumagrove-cli, written from its table of commands\n"
              "_lumagrove_cli()\n"
              "{\n"
              "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]} command options i\n"
              "    local commands=\""
           << Joined(commands, " ")
           << "\"\n"
              "    COMPREPLY=()\n"
              "    if [[ $COMP_CWORD -eq 1 ]]; then\n"
              "        COMPREPLY=($(compgen -W \"$commands "
           << cli::kCoordinatesCommand << ' ' << cli::kHistogramCommand
           << " --help --version\" -- \"$cur\"))\n"
              "        return\n"
              "    fi\n"
              "    # The command whose options apply: the first word, or the one after\n"
              "    # the last \"then\" of a chain (the commands that make no image have\n"
              "    # none); after \"--\" only file names.\n"
              "    command=${COMP_WORDS[1]}\n"
              "    local chains=yes\n"
              "    [[ $command == "
           << cli::kCoordinatesCommand << " || $command == " << cli::kHistogramCommand
           << " ]] && chains=no\n"
              "    for ((i = 2; i < COMP_CWORD; i++)); do\n"
              "        [[ ${COMP_WORDS[i]} == -- ]] && break\n"
              "        [[ ${COMP_WORDS[i-1]} == then && $chains == yes ]] && command=${COMP_WORDS[i]}\n"
              "    done\n"
              "    if [[ $i -eq $COMP_CWORD ]]; then\n"
              "        if [[ $prev == then && $chains == yes ]]; then\n"
              "            COMPREPLY=($(compgen -W \"$commands\" -- \"$cur\"))\n"
              "            return\n"
              "        fi\n"
              "        case $command in\n";
    for (const OperationEntry& entry : OperationTable()) {
        if (entry.command == nullptr) continue;
        std::vector<std::string> flags;
        for (const OptionDescriptor* option : entry.options) flags.emplace_back(option->flag);
        for (const std::string& flag : general) flags.push_back(flag);
        script << "            " << entry.command << ") options=\"" << Joined(flags, " ") << "\" ;;\n";
    }
    script << "            " << cli::kCoordinatesCommand << ") options=\"--help --\" ;;\n"
           << "            " << cli::kHistogramCommand << ") options=\"" << cli::kHistogramJson
           << " --quiet --help --\" ;;\n"
              "            *) return ;;\n"
              "        esac\n"
              "        case $prev in\n";
    for (const cli::ToolOption& option : cli::ToolOptions()) {
        const std::string_view value = option.valueName;
        script << "            " << option.flag << ") ";
        if (value == "DIR") {
            script << "compopt -o dirnames 2>/dev/null; COMPREPLY=($(compgen -d -- \"$cur\"))";
        } else if (value == "FORMAT") {
            script << "COMPREPLY=($(compgen -W \"" << Joined(formats, " ") << "\" -- \"$cur\"))";
        } else {
            script << "true";  // a number: nothing to offer
        }
        script << "; return ;;\n";
    }
    script << "            # After an option that takes a value there is nothing to offer.\n"
              "            "
           << Joined(valued, "|")
           << ") [[ \" $options \" == *\" $prev \"* ]] && return ;;\n"
              "        esac\n"
              "        if [[ $cur == -* ]]; then\n"
              "            COMPREPLY=($(compgen -W \"$options\" -- \"$cur\"))\n"
              "            return\n"
              "        fi\n"
              "    fi\n"
              "    compopt -o filenames 2>/dev/null\n"
              "    mapfile -t COMPREPLY < <(compgen -f -- \"$cur\")\n"
              "}\n"
              "complete -F _lumagrove_cli lumagrove-cli\n";
    return script.str();
}

}  // namespace lumagrove::manuals
