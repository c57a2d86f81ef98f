#include "cli/StreamReporter.h"

#include "base/PrintableText.h"
#include "cli/CommandLine.h"

namespace lumagrove::cli {

Reporter StreamReporter(std::ostream& readouts, std::ostream& err) {
    return [&readouts, &err](const Message& message) {
        if (message.kind == MessageKind::Readout) {
            readouts << WithControlsEscaped(message.text) << '\n';
            return;
        }
        if (!message.caption.empty()) err << message.caption << ": ";
        err << WithControlsEscaped(message.text) << '\n';
    };
}

int UsageError(std::ostream& err, const std::string& problem) {
    err << kProgram << ": " << WithControlsEscaped(problem) << "\nTry '" << kProgram << " --help'.\n";
    return kUsageError;
}

}  // namespace lumagrove::cli
