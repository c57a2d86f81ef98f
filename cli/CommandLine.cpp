#include "cli/CommandLine.h"

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>

#include "base/Version.h"
#include "cli/ParsedWords.h"
#include "session/ImageFiles.h"
#include "session/Messages.h"
#include "session/RunEntry.h"

namespace lumagrove::cli {
namespace {

constexpr char kProgram[] = "lumagrove-cli";

// What the user asked to see goes to `readouts`, standard output where
// scripts read it; problems go to standard error as "caption: text".
Reporter StreamReporter(std::ostream& readouts, std::ostream& err) {
    return [&readouts, &err](const Message& message) {
        if (message.kind == MessageKind::Readout) {
            readouts << message.text << '\n';
            return;
        }
        if (!message.caption.empty()) err << message.caption << ": ";
        err << message.text << '\n';
    };
}

// Whether `name` is the file standard output goes to: /dev/stdout, or the
// file or pipe the shell connected it to.
bool NamesStandardOutput(const std::string& name) {
    struct stat file {};
    struct stat output {};
    return ::stat(name.c_str(), &file) == 0 && ::fstat(STDOUT_FILENO, &output) == 0 && file.st_dev == output.st_dev &&
           file.st_ino == output.st_ino;
}

int UsageError(std::ostream& err, const std::string& problem) {
    err << kProgram << ": " << problem << "\nTry '" << kProgram << " --help'.\n";
    return kUsageError;
}

int ShowCoordinates(const ParsedWords& parsed, std::ostream& out, std::ostream& err) {
    if (parsed.files.size() != 1) return UsageError(err, "xyz takes one INPUT file");
    return session::ReadCoordinateFile(parsed.files[0], StreamReporter(out, err)) ? kDone : kFailed;
}

int RunOperation(const OperationEntry& entry, const ParsedWords& parsed, std::ostream& out, std::ostream& err) {
    if (parsed.files.size() != 2)
        return UsageError(err, std::string(entry.command) + " takes an INPUT and an OUTPUT file");
    const std::string& input = parsed.files[0];
    if (session::NamesCoordinateFile(input)) {
        err << kProgram << ": " << input << " holds XYZ coordinates, not an image (see the xyz command)\n";
        return kFailed;
    }
    // An image written to standard output ("/dev/stdout | next") must not
    // have the intensity samples in front of it.
    const Reporter report = StreamReporter(NamesStandardOutput(parsed.files[1]) ? err : out, err);
    const std::optional<ImageRecord> source = session::ReadImageFile(input, report);
    if (!source) return kFailed;

    const auto start = std::chrono::steady_clock::now();
    const session::EntryRun run = session::RunEntry(entry, *source, parsed.arguments, report);
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    if (!run.finished) return kFailed;
    if (parsed.time) err << session::CompletedIn(elapsed.count()) << '\n';
    if (!run.result) return kFailed;
    return session::WriteImageFile(*run.result, parsed.files[1], report) ? kDone : kFailed;
}

}  // namespace

int RunCommandLine(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
    if (arguments.empty()) return UsageError(err, "no command given");
    const std::string& command = arguments[0];
    if (command == "--help" || command == "-h" || command == "help") {
        out << UsageText();
        return kDone;
    }
    if (command == "--version") {
        out << kProgram << ' ' << VersionText() << '\n';
        return kDone;
    }

    const bool coordinates = command == "xyz";
    const OperationEntry* entry = coordinates ? nullptr : FindOperationByCommand(command);
    if (!coordinates && entry == nullptr) return UsageError(err, "unknown command '" + command + "'");

    const ParsedWords parsed = ParseWords(entry, command, arguments.subspan(1));
    if (parsed.help) {
        out << (coordinates ? CoordinatesHelp() : CommandHelp(*entry));
        return kDone;
    }
    if (parsed.problem) return UsageError(err, *parsed.problem);
    return coordinates ? ShowCoordinates(parsed, out, err) : RunOperation(*entry, parsed, out, err);
}

}  // namespace lumagrove::cli
