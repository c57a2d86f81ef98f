#include "cli/CommandLine.h"

#include <chrono>
#include <new>
#include <optional>
#include <vector>

#include "base/Version.h"
#include "cli/OptionValues.h"
#include "formats/Readers.h"
#include "operations/OperationTable.h"

namespace lumagrove::cli {
namespace {

constexpr char kProgram[] = "lumagrove-cli";

Reporter ReporterTo(std::ostream& err) {
    return [&err](const Message& message) {
        if (!message.caption.empty()) err << message.caption << ": ";
        err << message.text << '\n';
    };
}

int UsageError(std::ostream& err, const std::string& problem) {
    err << kProgram << ": " << problem << "\n\n" << UsageText();
    return kUsageError;
}

bool ApplicableOption(const OperationEntry& entry, std::string_view flag, OptionField& field) {
    for (OptionField candidate : entry.options) {
        if (candidate != OptionField::None && flag == DescribeOption(candidate).flag) {
            field = candidate;
            return true;
        }
    }
    return false;
}

struct ParsedCommand {
    OperationArguments arguments;
    std::vector<std::string> files;
    bool time = false;
    bool help = false;
};

// Splits the words after the command into options and file names; returns
// an error text, or nothing when the words are well formed.
std::optional<std::string> ParseWords(const OperationEntry* entry, std::span<const std::string> words,
                                      ParsedCommand& parsed) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word == "--time") {
            parsed.time = true;
        } else if (word == "--help") {
            parsed.help = true;
        } else if (word.size() > 2 && word.starts_with("--")) {
            const std::size_t equals = word.find('=');
            const std::string flag = word.substr(0, equals);
            OptionField field = OptionField::None;
            if (entry == nullptr || !ApplicableOption(*entry, flag, field)) {
                return "option " + flag + " does not apply to this command";
            }
            std::string value;
            if (equals != std::string::npos) {
                value = word.substr(equals + 1);
            } else if (i + 1 < words.size()) {
                value = words[++i];
            } else {
                return "option " + flag + " needs a value";
            }
            if (!SetOption(field, value, parsed.arguments)) {
                return "'" + value + "' is not a valid value for " + flag;
            }
        } else {
            parsed.files.push_back(word);
        }
    }
    return std::nullopt;
}

int ShowCoordinates(const std::string& name, std::ostream& out, std::ostream& err) {
    CoordinateRecord record;
    record.path = name;
    const Reporter toError = ReporterTo(err);
    const int read = ReadXyz(record, [&](const Message& message) {
        if (message.caption == "Coordinates") {
            out << message.text << '\n';
        } else {
            toError(message);
        }
    });
    return read ? kDone : kFailed;
}

bool LoadImage(const std::string& name, ImageRecord& record, std::ostream& err) {
    record.title = name;
    const Reporter report = ReporterTo(err);
    switch (KindOfFileName(name)) {
        case ImageFileKind::Pgm: return ReadPgm(record, report);
        case ImageFileKind::Intensity: return ReadIntensity(record, report);
        case ImageFileKind::Xyz: break;
    }
    err << kProgram << ": " << name << " holds XYZ coordinates, not an image (see the xyz command)\n";
    return false;
}

int RunOperation(const OperationEntry& entry, const ParsedCommand& parsed, std::ostream& err) {
    ImageRecord source;
    if (!LoadImage(parsed.files[0], source, err)) return kFailed;

    const auto start = std::chrono::steady_clock::now();
    OperationResult result;
    try {
        result = entry.run({source.pixels, source.width, source.height}, parsed.arguments, ReporterTo(err));
    } catch (const std::bad_alloc&) {
        ReporterTo(err)({"Not enough memory to complete the operation.", "Error", MessageIcon::None});
        return kFailed;
    }
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    if (result.outcome == OperationOutcome::Refused) return kFailed;
    if (parsed.time) err << "Completed in " << elapsed.count() << " ms\n";
    if (result.outcome == OperationOutcome::NoImage) return kFailed;

    ImageRecord output;
    output.width = result.width;
    output.height = result.height;
    output.pixels = std::move(result.pixels);
    return WritePgm(output, parsed.files[1], ReporterTo(err)) ? kDone : kFailed;
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

    ParsedCommand parsed;
    if (const auto problem = ParseWords(entry, arguments.subspan(1), parsed)) return UsageError(err, *problem);
    if (parsed.help) {
        out << UsageText();
        return kDone;
    }
    if (coordinates) {
        if (parsed.files.size() != 1) return UsageError(err, "xyz takes one INPUT file");
        return ShowCoordinates(parsed.files[0], out, err);
    }
    if (parsed.files.size() != 2) return UsageError(err, command + " takes an INPUT and an OUTPUT file");
    return RunOperation(*entry, parsed, err);
}

}  // namespace lumagrove::cli
