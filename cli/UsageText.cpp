#include <iomanip>
#include <sstream>

#include "cli/CommandLine.h"
#include "cli/OptionValues.h"
#include "operations/OperationTable.h"

namespace lumagrove::cli {

std::string UsageText() {
    const OperationArguments defaults;
    std::ostringstream text;
    text << "Usage: lumagrove-cli COMMAND [OPTIONS] INPUT OUTPUT\n"
            "       lumagrove-cli xyz INPUT\n"
            "       lumagrove-cli --help\n"
            "       lumagrove-cli --version\n\n"
            "INPUT is read like the desktop reads it: a name ending in \"pgm\" is a PGM file,\n"
            "one ending in \"xyz\" an XYZ coordinate file, anything else raw 640 x 480 intensity.\n"
            "OUTPUT is written as a binary (P5) PGM file.\n\n"
            "Commands (options with their defaults):\n";
    for (const OperationEntry& entry : OperationTable()) {
        if (entry.command == nullptr) continue;
        std::string options;
        for (OptionField field : entry.options) {
            if (field == OptionField::None) continue;
            const OptionDescription& option = DescribeOption(field);
            options += std::string(" ") + option.flag + " " + option.valueName + " [" +
                       OptionValueText(field, defaults) + "]";
        }
        text << "  " << std::left << std::setw(22) << entry.command << entry.summary << '\n';
        if (!options.empty()) text << std::setw(24) << "" << "options:" << options << '\n';
    }
    text << "  " << std::left << std::setw(22) << "xyz"
         << "read an XYZ coordinate file and print its sample point\n\n"
            "Options for every command:\n"
            "  --time                print \"Completed in N ms\" to standard error\n"
            "  --help                print this text\n\n"
            "Exit status: 0 done, 1 the operation or a file failed, 2 a usage error.\n";
    return text.str();
}

}  // namespace lumagrove::cli
