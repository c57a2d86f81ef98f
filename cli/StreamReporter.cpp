#include "cli/StreamReporter.h"

#include "base/PrintableText.h"
#include "cli/CommandLine.h"

namespace lumagrove::cli {

void Say(std::ostream& err, const std::string& text) { err << kProgram << ": " << WithControlsEscaped(text) << '\n'; }

Reporter StreamReporter(std::ostream& readouts, std::ostream& err, bool quiet) {
    return [&readouts, &err, quiet](const Message& message) {
        if (message.kind == MessageKind::Readout) {
            readouts << WithControlsEscaped(message.text) << '\n';
            return;
        }
        if (quiet && IsWarning(message)) return;
        Say(err, message.caption.empty() ? message.text : message.caption + ": " + message.text);
    };
}

int UsageError(std::ostream& err, const std::string& problem) {
    Say(err, problem);
    err << "Try '" << kProgram << " --help'.\n";
    return kUsageError;
}

}  // namespace lumagrove::cli
