#include "cli/BatchPlan.h"

#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <utility>

namespace lumagrove::cli {
namespace {

using FileIdentity = std::pair<dev_t, ino_t>;

// The file a name leads to, following links; none when there is no file yet.
std::optional<FileIdentity> IdentityOf(const std::string& name) {
    struct stat status {};
    if (stat(name.c_str(), &status) != 0) return std::nullopt;
    return FileIdentity{status.st_dev, status.st_ino};
}

// The name with every link and "." or ".." in the part that exists resolved,
// so that two spellings of one place compare equal.
std::string FullPath(const std::string& name) {
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(name, error);
    return error ? std::filesystem::absolute(name, error).lexically_normal().string() : resolved.string();
}

// The input filed under `key`, or null.
template <typename Key>
const std::string* InputAt(const std::map<Key, std::string>& inputs, const std::optional<Key>& key) {
    if (!key) return nullptr;
    const auto found = inputs.find(*key);
    return found == inputs.end() ? nullptr : &found->second;
}

}  // namespace

std::vector<BatchItem> PlanBatch(std::span<const std::string> inputs, std::span<const std::string> outputs) {
    std::vector<BatchItem> items;
    std::map<FileIdentity, std::string> inputFiles;  // each under the name it was first listed by
    std::set<std::string> missingInputs;             // these fail when read, but once each
    for (std::size_t index = 0; index < inputs.size(); ++index) {
        const std::optional<FileIdentity> file = IdentityOf(inputs[index]);
        const bool first = file ? inputFiles.try_emplace(*file, inputs[index]).second
                                : missingInputs.insert(FullPath(inputs[index])).second;
        if (first) items.push_back({inputs[index], outputs[index], {}});
    }

    // Each output planned so far, with the input whose result goes there.
    std::map<std::string, std::string> resultPaths;
    std::map<FileIdentity, std::string> resultFiles;
    for (BatchItem& item : items) {
        const std::optional<FileIdentity> file = IdentityOf(item.output);
        if (const std::string* input = InputAt(inputFiles, file)) {
            item.conflict = "its result " + item.output + " would overwrite the input " + *input;
            continue;
        }
        const std::string path = FullPath(item.output);
        const std::string* earlier = InputAt(resultPaths, std::optional(path));
        if (earlier == nullptr) earlier = InputAt(resultFiles, file);
        if (earlier != nullptr) {
            item.conflict = "its result would overwrite " + item.output + ", the result of " + *earlier;
            continue;
        }
        resultPaths.emplace(path, item.input);
        if (file) resultFiles.emplace(*file, item.input);
    }
    return items;
}

}  // namespace lumagrove::cli
